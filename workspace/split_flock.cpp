#include "workspace/split_flock.h"

namespace plumetra {

void writeFlockKeyHeadings(Grid& grid, int row) {
  grid.setText(row, 0, "Farm");
  grid.setText(row, 1, "House");
  grid.setText(row, 2, "Row");
}

void writeFlockKey(Grid& grid, int row, const FlockKey& key) {
  grid.setText(row, 0, key.farm);
  grid.setText(row, 1, key.house);
  grid.setText(row, 2, std::to_string(key.sourceRow));
}

std::optional<MeanSdResult> groupStatistics(const SplitFlocks& split, int group, const FlockValue& value) {
  std::vector<double> values;
  for (const SplitFlock& f : split.flocks) {
    if (group != AllGroups && f.group != group) continue;
    if (const std::optional<double> v = value(f)) values.push_back(*v);
  }
  return meanSdOf(values);
}

double groupMean(const SplitFlocks& split, int group, double SplitFlock::*value) {
  const auto stats = groupStatistics(split, group, [value](const SplitFlock& f) { return f.*value; });
  return stats ? stats->mean : 0.0;
}

double groupMeanIntake(const SplitFlocks& split, int group, int phase) {
  const auto stats = groupStatistics(
      split, group, [phase](const SplitFlock& f) { return f.intake[static_cast<std::size_t>(phase)]; });
  return stats ? stats->mean : 0.0;
}

}  // namespace plumetra
