#include "analysis/split_checks.h"

#include "analysis/split_statistics.h"
#include "controls/number_format.h"

#include <cmath>

namespace plumetra {

namespace {

// The labels of the three percentage boxes of the main window.
constexpr std::array<const char*, 3> GroupLabels{"Low", "Middle", "High"};

}  // namespace

std::optional<std::string> splitPercentProblem(const std::array<double, 4>& splitPercent) {
  for (std::size_t g = 1; g <= 3; ++g)
    if (!(splitPercent[g] >= 0.0 && splitPercent[g] <= 100.0))
      return "Each Flock Split percentage must lie between 0 and 100";
  // Exact, as typed: 20.5 + 59.5 + 20 passes, 33.3 three times does not.
  if (splitPercent[0] != 100.0) return "The Flock Split must add to 100 %";
  return std::nullopt;
}

std::optional<std::string> splitProblem(int flocks, const std::array<double, 4>& splitPercent) {
  if (flocks < MinAnalysedFlocks)
    return "At least " + std::to_string(MinAnalysedFlocks) + " complete flocks are needed for the analysis; there " +
           (flocks == 1 ? "is " : "are ") + std::to_string(std::max(flocks, 0)) + ".";
  const GroupSizes sizes = splitGroupSizes(flocks, splitPercent);
  const std::array<int, 3> n{sizes.first, sizes.middle, sizes.last};
  for (std::size_t g = 0; g < 3; ++g)
    if (n[g] == 0)
      return std::string("The Flock Split leaves the ") + GroupLabels[g] + " group without a flock (" +
             generalNumber(splitPercent[g + 1]) + " % of " + std::to_string(flocks) +
             " flocks); give it a larger percentage.";
  return std::nullopt;
}

std::optional<std::string> outlierRemovalProblem(int n, int found, int flocks,
                                                 const std::array<double, 4>& splitPercent) {
  if (n > found)
    return "Only " + std::to_string(found) + (found == 1 ? " outlier was" : " outliers were") +
           " found; no more than that can be removed.";
  if (auto problem = splitProblem(flocks - n, splitPercent)) return "After removing " + std::to_string(n) +
                                                                    " outliers: " + *problem;
  return std::nullopt;
}

}  // namespace plumetra
