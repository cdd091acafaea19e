#pragma once
// Axis ranges with ticks at round values (1, 2 or 5 times a power of ten), so a chart's
// labels read 1.5, 2.0, 2.5 rather than 1.437, 1.862, 2.287.

namespace plumetra {

struct AxisScale {
  double min = 0, max = 1, step = 1;
  int ticks = 2;  // tick marks from min to max inclusive
};

// The smallest of 1, 2 or 5 times a power of ten not below `rough` (above 0).
double roundTickStep(double rough);

// The smallest round range holding [low, high] with at most `maxTicks` ticks (at least 2).
// A single value gets a range of one step around it.
AxisScale roundAxisScale(double low, double high, int maxTicks = 8);

}  // namespace plumetra
