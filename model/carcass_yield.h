#pragma once
// Carcass-yield estimates of a flock: a second-order response surface in met + cys and
// energy, each summed over four feed periods of the flock's life.

#include <array>
#include <span>

#include "model/model_state.h"

namespace plumetra {

inline constexpr int CarcassTermCount = 45;     // regression terms x(1..45)
inline constexpr int CarcassEstimateCount = 6;  // estimates 1..6
inline constexpr int FeedPeriods = 4;
// Period capacities in kg of feed per bird; period 4 takes whatever is left.
inline constexpr std::array<double, 3> FeedPeriodCapacity{0.6, 0.6, 1.2};

// The surface's coefficients, CarcassCoef[term][estimate] for terms 1..45 and estimates
// 1..6 (term 0 and estimate 0 unused).
extern const std::array<std::array<double, CarcassEstimateCount + 1>, CarcassTermCount + 1> CarcassCoef;

// p(j, d): the part of phase d's allotment eaten in feed period j, [j 1..4][d 1..dietCount].
using PeriodSplit = std::array<PhaseVector, FeedPeriods + 1>;
PeriodSplit carcassPeriodSplit(const PhaseVector& allotment, int dietCount);

// The term vector x(1..45) from the period sums of met + cys and of energy / 220 (1..4).
std::array<double, CarcassTermCount + 1> carcassTerms(const std::array<double, FeedPeriods + 1>& mc,
                                                   const std::array<double, FeedPeriods + 1>& en);

// Estimates 1..6 (index 0 unused) for the model's feedAllotment and dietCount, with met + cys
// (entry 9) and energy (entry 1) of each phase d from dietTable[d].
std::array<double, CarcassEstimateCount + 1> carcassEstimates(
    const GrowthInputs& model, std::span<const std::array<double, Nutrients>> dietTable);

}  // namespace plumetra
