#pragma once
// Chart axes with ticks at round values (1, 2 or 5 times a power of ten), shared by every
// chart of the desktop program.

class QChart;
class QValueAxis;

namespace plumetra::qt {

// The round range around [low, high], its ticks, and labels with the decimals the step needs.
void setRoundRange(QValueAxis* axis, double low, double high);

// Every value axis of the chart rounded around the range it has now.
void roundValueAxes(QChart* chart);

}  // namespace plumetra::qt
