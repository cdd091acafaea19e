#pragma once
// What the colours of the analysis grid mean, as a small grid: a coloured cell beside each
// meaning. Saved beside the analysis so a workbook explains itself.

#include "controls/grid.h"

namespace plumetra {

Grid analysisLegend();

}  // namespace plumetra
