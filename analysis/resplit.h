#pragma once
// The split's flocks split again by another measure (adjusted FCR, EPEF, feed cost per kg):
// sorted by it, lowest first, and dealt into groups of the feed-conversion split's sizes, so
// Low, Middle and High keep their shares. Only the tables beside the analysis use it; the
// analysis grid and every stored calibration keep the split by feed conversion.

#include <span>
#include <string>

#include "workspace/split_flock.h"

namespace plumetra {

struct Resplit {
  SplitFlocks split;
  std::string problem;  // why the flocks cannot be split by the measure; empty when they were
};

// `values` holds the measure of each flock of `split`, in its order; `measure` names it for
// the problem ("EPEF").
Resplit resplitBy(const SplitFlocks& split, std::span<const double> values, const std::string& measure);

}  // namespace plumetra
