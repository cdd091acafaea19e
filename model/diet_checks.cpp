#include "model/diet_checks.h"

#include <cmath>

#include "controls/number_format.h"

namespace plumetra {

std::string dietEnergyProblem(int diet, double energy, bool fed) {
  const std::string name = "Diet " + std::to_string(diet);
  const std::string tail = "; diet energies are kcal/kg";
  if (!std::isfinite(energy) || energy < 0) return name + " energy is not a usable number" + tail;
  if (energy == 0)
    return fed ? name + " has no energy but its phase is fed; enter its energy in kcal/kg" : std::string();
  const std::string shown = name + " energy " + generalNumber(energy);
  if (energy < 10) return shown + " looks like Mcal/kg" + tail;            // 2.8-3.4 Mcal/kg
  if (energy < 30) return shown + " looks like MJ/kg" + tail;              // 11.7-14.2 MJ/kg
  if (energy < LowestDietEnergy) return shown + " is below 1000" + tail;
  if (energy > HighestDietEnergy) return shown + " is above 5000, which looks like kJ/kg" + tail;
  return {};
}

}  // namespace plumetra
