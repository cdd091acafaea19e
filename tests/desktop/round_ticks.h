#pragma once
// Whether every value axis of a chart has its ticks at round values: a whole number of steps
// of 1, 2 or 5 times a power of ten, starting on a step.

#include <QChart>
#include <QString>
#include <QValueAxis>

#include <cmath>

inline QString unroundTicks(const QChart* chart) {
  for (QAbstractAxis* axis : chart->axes()) {
    const auto* values = qobject_cast<const QValueAxis*>(axis);
    if (!values) continue;
    if (values->tickCount() < 2) return axis->titleText() + ": fewer than two ticks";
    const double step = (values->max() - values->min()) / (values->tickCount() - 1);
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step)));
    const bool round = std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 || std::abs(mantissa - 5) < 1e-9;
    if (!round || std::abs(values->min() / step - std::round(values->min() / step)) > 1e-6)
      return axis->titleText() + ": step " + QString::number(step) + " from " + QString::number(values->min());
  }
  return {};
}
