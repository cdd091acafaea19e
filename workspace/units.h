#pragma once
// The unit choices of the settings window and the conversions that use them.
// Each choice is an index from 0, stored as such in the settings and calibration files.

namespace plumetra {

// The international pound, for weights and prices read in pounds.
inline constexpr double KilogramsPerPound = 0.45359237;

enum class AminoBasis { Total = 0, Avail = 1 };

struct UnitSettings {
  int energyChoice = 0;  // "Energy Choice": 0 Kcal/Kg, 1 Kcal/lb, 2 Mcal/kg, 3 Mcal/lb, 4 MJ/kg
  int weightChoice = 0;  // "Weight Choice": 0 Kilograms, 1 Pounds, 2 Grams
  int costChoice = 0;    // "Cost Choice": 0 per kg, 1 tonne, 2 lb, 3 short ton, 4 100 lb
  int millCostChoice = 0;  // "Mill Cost Choice"
  AminoBasis aminoBasis = AminoBasis::Total;
};

namespace detail {
inline double energyFactor(int choice) {
  switch (choice) {
    case 1: return 2.205;
    case 2: return 1000.0;
    case 3: return 2205.0;
    case 4: return 1000.0 / 4.184;
    default: return 1.0;
  }
}
inline double weightFactor(int choice) {
  switch (choice) {
    case 1: return 1.0 / 2.205;
    case 2: return 1.0 / 1000.0;
    default: return 1.0;
  }
}
}  // namespace detail

// direction 1 multiplies by the factor of the chosen unit, any other direction divides.
inline double convertEnergy(const UnitSettings& units, int direction, double value) {
  const double f = detail::energyFactor(units.energyChoice);
  return direction == 1 ? value * f : value / f;
}
inline double convertWeight(const UnitSettings& units, int direction, double value) {
  const double f = detail::weightFactor(units.weightChoice);
  return direction == 1 ? value * f : value / f;
}

}  // namespace plumetra
