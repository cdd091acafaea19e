#pragma once
// The Low against High comparison within each flock sex, for data whose flocks grow as their own
// sex: a split by feed conversion over flocks of several sexes mixes the sexes' own differences.

#include <array>
#include <string>
#include <vector>

#include "analysis/group_comparison.h"
#include "analysis/t_probability.h"
#include "workspace/split_flock.h"

namespace plumetra {

struct SexComparison {
  int sex = 0;                    // 0 mixed, 1 male, 2 female
  std::array<int, 4> flocks{};    // per group 1-3 (0 unused) the flocks of this sex
  Moments lowFcr{}, highFcr{};    // feed conversion of the sex's Low and High flocks
  Moments lowWeight{}, highWeight{};  // live weight, kg
  MeanDifference fcr{}, weight{};     // Low - High; not finite where a side has too few flocks
};

// Per sex present among the split's flocks (each flock's own sex, else `chosenSex`), males,
// females then mixed; empty when no "Flock Sex" column is matched.
std::vector<SexComparison> compareBySex(const SplitFlocks& split, int chosenSex);

// The summary's lines: per sex "Males (47 flocks: Low 10, High 9): feed conversion Low 1.512,
// High 1.702, difference -0.190 (t = -5.10, p < 0.001)", then the sex each calibrated group takes.
std::string sexComparisonText(const SplitFlocks& split, int chosenSex);

// "Low Males, Middle Mixed, High Females": the sex each group would be calibrated as.
std::string groupSexesText(const SplitFlocks& split, int chosenSex);

}  // namespace plumetra
