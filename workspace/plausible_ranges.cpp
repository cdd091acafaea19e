#include "workspace/plausible_ranges.h"

#include "controls/number_format.h"
#include "workspace/diet_table.h"
#include "workspace/units.h"

namespace plumetra {

bool PlausibleRange::holds(double value) const { return value >= low && value <= high; }

std::string PlausibleRange::bounds() const {
  return generalNumber(low) + " to " + generalNumber(high) + (unit.empty() ? "" : " " + std::string(unit));
}

const PlausibleRange& dietValueRange(int value) {
  switch (value) {
    case ValFeedCost: return FeedCostRange;
    case ValFeedWeight: return FeedWeightRange;
    case ValEnergy: return EnergyRange;
    case ValProtein: return ProteinRange;
    default: return AminoAcidRange;
  }
}

bool holdsInSomeUnit(int value, double v) {
  if (v == 0) return true;
  const PlausibleRange& range = dietValueRange(value);
  constexpr int energyUnits = 5, weightUnits = 3;
  if (value == ValEnergy) {
    for (int choice = 0; choice < energyUnits; ++choice)
      if (range.holds(convertEnergy({.energyChoice = choice}, 1, v))) return true;
    return false;
  }
  if (value == ValFeedWeight) {
    for (int choice = 0; choice < weightUnits; ++choice)
      if (range.holds(convertWeight({.weightChoice = choice}, 1, v))) return true;
    return false;
  }
  return range.holds(v);
}

}  // namespace plumetra
