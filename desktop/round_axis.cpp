#include "desktop/round_axis.h"

#include "controls/axis_scale.h"

#include <QChart>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace plumetra::qt {

void setRoundRange(QValueAxis* axis, double low, double high) {
  const AxisScale scale = roundAxisScale(low, high);
  axis->setRange(scale.min, scale.max);
  axis->setTickCount(scale.ticks);
  const int decimals = std::max(0, static_cast<int>(std::ceil(-std::log10(scale.step) - 1e-9)));
  axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
}

void roundValueAxes(QChart* chart) {
  for (QAbstractAxis* axis : chart->axes())
    if (auto* values = qobject_cast<QValueAxis*>(axis)) setRoundRange(values, values->min(), values->max());
}

}  // namespace plumetra::qt
