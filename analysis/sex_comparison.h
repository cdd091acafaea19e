#pragma once
// The Low against High comparison within each flock sex, for data whose flocks grow as their own
// sex: a split by feed conversion over flocks of several sexes puts the females' lower feed
// conversions in Low and the males' in High, so each sex's flocks are split again on their own.

#include <array>
#include <string>
#include <vector>

#include "analysis/group_comparison.h"
#include "analysis/t_probability.h"
#include "workspace/split_flock.h"

namespace plumetra {

struct SexComparison {
  int sex = 0;                    // 0 mixed, 1 male, 2 female
  std::array<int, 4> flocks{};    // per group 1-3 (0 unused) the flocks of this sex in the whole split
  std::array<int, 4> ownSplit{};  // per group 1-3 the sex's flocks split on their own, 0 all of them
  Moments lowFcr{}, highFcr{};    // feed conversion of the sex's Low and High flocks
  Moments lowWeight{}, highWeight{};  // live weight, kg
  MeanDifference fcr{}, weight{};     // Low - High; not finite where a side has too few flocks
};

// Per sex present among the split's flocks (each flock's own sex, else `chosenSex`), males,
// females then mixed: its flocks, lowest feed conversion first, split by `splitPercent` (1-3) as
// the analysis splits all of them, Low against High. Empty when no "Flock Sex" column is matched.
std::vector<SexComparison> compareBySex(const SplitFlocks& split, int chosenSex,
                                        const std::array<double, 4>& splitPercent);

// The summary's lines: per sex "Males (47 flocks; Low 9, High 9 of their own; 35 in the High
// group): feed conversion Low 1.512, High 1.702, difference -0.190 (t = -5.10, p < 0.001); live
// weight ...", then the sex each calibrated group takes.
std::string sexComparisonText(const SplitFlocks& split, int chosenSex, const std::array<double, 4>& splitPercent);

// "Low Males, Middle Mixed, High Females": the sex each group would be calibrated as.
std::string groupSexesText(const SplitFlocks& split, int chosenSex);

}  // namespace plumetra
