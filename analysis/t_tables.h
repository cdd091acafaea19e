#pragma once
// Two-sided critical values of Student's t at the levels 0.10 (level 0) and 0.05 (level 1).

#include <array>

namespace plumetra {

inline constexpr int TLevel10 = 0;
inline constexpr int TLevel05 = 1;

// Degrees of freedom 0-9 (row 0 holds zeros).
inline constexpr std::array<std::array<double, 2>, 10> TCritSmall{{
    {0.0, 0.0},
    {6.314, 12.706},
    {2.920, 4.303},
    {2.353, 3.182},
    {2.132, 2.776},
    {2.015, 2.571},
    {1.943, 2.447},
    {1.895, 2.365},
    {1.860, 2.306},
    {1.833, 2.262},
}};

// Thresholds of the rows of TCritTable; 100 selects the same values as 90.
inline constexpr std::array<int, 28> TCritDfSteps{10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
                                                  20, 21, 22, 23, 24, 25, 26, 27, 28, 29,
                                                  30, 40, 50, 60, 70, 80, 90, 100};

inline constexpr std::array<std::array<double, 2>, 28> TCritTable{{
    {1.812, 2.228}, {1.796, 2.201}, {1.782, 2.179}, {1.771, 2.160}, {1.761, 2.145},
    {1.753, 2.131}, {1.746, 2.120}, {1.740, 2.110}, {1.734, 2.101}, {1.729, 2.093},
    {1.725, 2.086}, {1.721, 2.080}, {1.717, 2.074}, {1.714, 2.069}, {1.711, 2.064},
    {1.708, 2.060}, {1.706, 2.056}, {1.703, 2.052}, {1.701, 2.048}, {1.699, 2.045},
    {1.697, 2.042}, {1.684, 2.021}, {1.676, 2.009}, {1.671, 2.000}, {1.667, 1.994},
    {1.664, 1.990}, {1.660, 1.984}, {1.660, 1.984},
}};

// The critical value for df of 10 and more: the row of the largest threshold not above df.
// Smaller df give the first row.
double tCritLookup(int level, int df);

// The critical value for any df: TCritSmall below 10, tCritLookup from 10 on; 0 for df < 0.
double tCritical(int level, int df);

}  // namespace plumetra
