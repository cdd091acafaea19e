#pragma once
// Which sheet of a workbook holds the flocks, so a workbook opens to its data.

#include "files/workbook.h"

namespace plumetra {

// The first sheet whose first row reads as headings (at least three texts, no numbers) over
// at least one row holding a number; the first sheet (0) when none does or none can be read.
int flockSheetIndex(const WorkbookReader& workbook);

}  // namespace plumetra
