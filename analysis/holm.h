#pragma once
// Holm's step-down adjustment of p-values for a family of tests made at once (every pair of
// farms or categories): the family-wise error stays at the level without Bonferroni's loss.

#include <span>
#include <vector>

namespace plumetra {

// Sorted ascending, the i-th smallest of m p-values (i = 1..m) becomes
// max over j <= i of min(1, (m - j + 1) p_(j)); returned in the order given. A p that is not
// finite stays so and does not count in m.
std::vector<double> holmAdjusted(std::span<const double> p);

}  // namespace plumetra
