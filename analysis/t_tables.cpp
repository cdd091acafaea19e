#include "analysis/t_tables.h"

#include <algorithm>

namespace plumetra {

namespace {
int checkedLevel(int level) { return level == TLevel05 ? TLevel05 : TLevel10; }
}  // namespace

double tCritLookup(int level, int df) {
  // First threshold above df; the row before it is the one wanted.
  const auto above = std::upper_bound(TCritDfSteps.begin(), TCritDfSteps.end(), df);
  const auto row = above == TCritDfSteps.begin() ? 0 : (above - TCritDfSteps.begin()) - 1;
  return TCritTable[static_cast<std::size_t>(row)][static_cast<std::size_t>(checkedLevel(level))];
}

double tCritical(int level, int df) {
  if (df < 0) return 0.0;
  if (df < static_cast<int>(TCritSmall.size()))
    return TCritSmall[static_cast<std::size_t>(df)][static_cast<std::size_t>(checkedLevel(level))];
  return tCritLookup(level, df);
}

}  // namespace plumetra
