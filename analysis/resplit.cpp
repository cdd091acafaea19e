#include "analysis/resplit.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace plumetra {

Resplit resplitBy(const SplitFlocks& split, std::span<const double> values, const std::string& measure) {
  Resplit out;
  const std::size_t n = split.flocks.size();
  int unknown = 0;
  for (std::size_t i = 0; i < n; ++i) unknown += i < values.size() && std::isfinite(values[i]) ? 0 : 1;
  if (unknown > 0) {
    out.problem = std::to_string(unknown) + " of the " + std::to_string(n) + " flocks have no " + measure +
                  ", so the flocks cannot be split by it";
    return out;
  }
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), 0);
  // Equal values keep the feed-conversion order.
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });
  out.split.sizes = split.sizes;
  out.split.sexColumn = split.sexColumn;
  std::size_t next = 0;
  for (int g = 1; g <= 3; ++g)
    for (int i = 0; i < split.sizes[static_cast<std::size_t>(g)] && next < n; ++i, ++next) {
      SplitFlock f = split.flocks[order[next]];
      f.group = g;
      out.split.flocks.push_back(f);
    }
  return out;
}

}  // namespace plumetra
