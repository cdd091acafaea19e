#pragma once
// Where a flock table's headings are: the sheet of a workbook that holds them, so a workbook
// opens to its data, and whether a pasted block starts with them, so it lands as the table.

#include <string_view>

#include "files/workbook.h"

namespace plumetra {

// The first sheet whose first row reads as headings (at least three texts, no numbers) over
// at least one row holding a number; the first sheet (0) when none does or none can be read.
int flockSheetIndex(const WorkbookReader& workbook);

// Whether tab-separated text (a spreadsheet's clipboard) starts with a heading line: at least
// three texts and no number, over a line holding a number.
bool startsWithHeadings(std::string_view tabText);

}  // namespace plumetra
