#pragma once
// Whether a pasted block starts with a flock table's headings, so it lands as the table.

#include <string_view>

#include "files/workbook.h"

namespace plumetra {

// Whether tab-separated text (a spreadsheet's clipboard) starts with a heading line: at least
// three texts and no number, over a line holding a number.
bool startsWithHeadings(std::string_view tabText);

}  // namespace plumetra
