#include "analysis/group_comparison.h"

#include "workspace/not_known.h"
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace plumetra {

namespace {
}

Moments momentsOf(std::span<const double> values) {
  Moments m;
  double sum = 0.0;
  for (double v : values)
    if (std::isfinite(v)) {
      sum += v;
      ++m.n;
    }
  if (m.n == 0) {
    m.mean = m.sd = NotKnown;
    return m;
  }
  m.mean = sum / m.n;
  double squares = 0.0;
  for (double v : values)
    if (std::isfinite(v)) squares += (v - m.mean) * (v - m.mean);
  m.sd = m.n > 1 ? std::sqrt(squares / (m.n - 1)) : NotKnown;
  return m;
}

double welchT(const Moments& a, const Moments& b) {
  if (a.n < 2 || b.n < 2) return NotKnown;
  const double se = std::sqrt(a.sd * a.sd / a.n + b.sd * b.sd / b.n);
  return se > 0 ? (a.mean - b.mean) / se : NotKnown;
}

GroupComparison compareGroups(std::span<const double> values, const std::array<int, 4>& sizes) {
  GroupComparison out;
  std::size_t from = 0;
  for (int g = 1; g <= 3; ++g) {
    const std::size_t count = std::min(static_cast<std::size_t>(std::max(sizes[g], 0)), values.size() - from);
    out.groups[g] = momentsOf(values.subspan(from, count));
    from += count;
  }
  out.groups[4] = momentsOf(values.subspan(0, from));
  out.tLowMiddle = welchT(out.groups[1], out.groups[2]);
  out.tMiddleHigh = welchT(out.groups[2], out.groups[3]);
  out.tLowHigh = welchT(out.groups[1], out.groups[3]);
  return out;
}

}  // namespace plumetra
