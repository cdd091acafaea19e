#include "analysis/holm.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace plumetra {

std::vector<double> holmAdjusted(std::span<const double> p) {
  std::vector<double> adjusted(p.begin(), p.end());
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < p.size(); ++i)
    if (std::isfinite(p[i])) order.push_back(i);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return p[a] < p[b]; });
  const double m = static_cast<double>(order.size());
  double running = 0;
  for (std::size_t j = 0; j < order.size(); ++j) {
    running = std::max(running, std::min(1.0, (m - static_cast<double>(j)) * p[order[j]]));
    adjusted[order[j]] = running;
  }
  return adjusted;
}

}  // namespace plumetra
