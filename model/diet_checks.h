#pragma once
// Diets the growth model cannot use, found before any run: a fed phase without energy, or an
// energy that cannot be kilocalories per kilogram (the unit the model reads).

#include <string>

namespace plumetra {

inline constexpr double LowestDietEnergy = 1000;   // kcal/kg
inline constexpr double HighestDietEnergy = 5000;  // kcal/kg

// The message for diet `diet` (1-based) with this energy, or empty when the model can use it.
// A diet that is not fed may have no energy (many flocks have no withdrawal feed).
std::string dietEnergyProblem(int diet, double energy, bool fed);

}  // namespace plumetra
