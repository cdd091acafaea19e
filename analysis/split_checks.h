#pragma once
// What a split needs before it can be analysed: percentages that make sense, enough flocks,
// and at least one flock in every group.

#include <array>
#include <optional>
#include <string>

namespace plumetra {

// Fewer complete flocks than this give no meaningful groups.
inline constexpr int MinAnalysedFlocks = 10;

// The message refusing the percentages (1 lowest-values box, 2 middle, 3 high-values box,
// 0 their sum), or nothing: each must lie in 0-100 and they must add to 100.
std::optional<std::string> splitPercentProblem(const std::array<double, 4>& splitPercent);

// The message refusing a split of `flocks` flocks, or nothing: at least MinAnalysedFlocks
// flocks, and no group left empty by the percentages.
std::optional<std::string> splitProblem(int flocks, const std::array<double, 4>& splitPercent);

// The message refusing the removal of `n` outliers when `found` were found from a split of
// `flocks`, or nothing: n may not exceed the outliers found, and what stays must still split.
std::optional<std::string> outlierRemovalProblem(int n, int found, int flocks,
                                                 const std::array<double, 4>& splitPercent);

}  // namespace plumetra
