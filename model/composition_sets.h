#pragma once
// The two built-in body-composition sets: fat curves per sex and the body-protein line.
// Set A suits traditional (fatter) breeds, set B lean breeds; set B is in force at start-up.

#include <array>

namespace plumetra {

struct FatParams {  // fat fraction of body weight: A * exp(-bF * exp(-cF * age))
  double A = 0;     // mature fat fraction
  double bF = 0;
  double cF = 0;
};

struct ProteinCurveParams {  // body-protein fraction at day 0 and day 70
  double maleDay0 = 0;
  double femaleDay0 = 0;
  double maleDay70 = 0;
  double femaleDay70 = 0;
};

struct CompositionSet {
  std::array<FatParams, 3> fat;  // per sex; row 0 (mixed) unused
  ProteinCurveParams protein;
};

inline constexpr CompositionSet CompositionSetA{
    {{{}, {0.170893, 1.1797, 0.0469}, {0.26, 1.299678536, 0.028357616}}},
    {0.1374, 0.1372, 0.17, 0.165}};
inline constexpr CompositionSet CompositionSetB{
    {{{}, {0.170893, 0.653067, 0.019016}, {0.22, 1.436713, 0.009229}}},
    {0.148, 0.145, 0.19, 0.17}};

// Female mature fat fractions of the two breed types of the settings window.
inline constexpr double LeanFemaleFat = 0.22;
inline constexpr double TraditionalFemaleFat = 0.26;
// Above this female mature fat fraction a calibration loads set A.
inline constexpr double SetAFatThreshold = 0.24;

}  // namespace plumetra
