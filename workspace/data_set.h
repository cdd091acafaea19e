#pragma once
// A new flock data set (a file, a sheet, or a table pasted at the top-left cell) replaces the
// previous one whole: no cell, number, count, match or result of the earlier data survives,
// except the matches whose heading text the new table has too.

#include <string>
#include <vector>

#include "controls/dialogs.h"
#include "workspace/units.h"
#include "workspace/workspace_state.h"

namespace plumetra {

inline constexpr int DietSheetRows = 8;  // a diet table keeps its heading row and diets 1-7

// The flock rows of a grid: the last row from 1 on that holds any text (blank cells in
// between do not end the table). 0 for a grid with headings only.
int flockRowsOf(const Grid& grid);

// Spreadsheet name of a grid column: 0 "A", 25 "Z", 26 "AA".
std::string columnLetters(int col);

// The columns whose heading is `heading` (blanks around either ignored).
std::vector<int> columnsHeaded(const Grid& grid, const std::string& heading);

// Makes `grid` (headings in row 0, flocks from row 1) the flock data set: the flock grid, the
// flock table, its count and text flags, the matches, the averages and sort lists and the
// analysis grid all start from it. A flock item matched before stays matched when exactly one
// column of the new table has its heading; the items that lose their match are told through
// `dialogs`. `unclear` lists the cells a text file could not settle (see readCsv). A cell
// holding "NaN" or "inf" alone (a missing value as some programs write it) is read as empty, and
// so it is in a diet table.
// Makes `grid` (headings in row 0, diets from row 1, cut to the diet grid's rows) the diet
// table: the diets matched or read before are forgotten, so none of their values stays; when
// items had been matched, `dialogs` asks to match them again on `source` (the sheet or file).
void replaceDietTable(Workspace& ws, Grid grid, const std::string& source, Dialogs& dialogs);

void replaceFlockDataSet(Workspace& ws, Grid grid, const UnitSettings& units, Dialogs& dialogs,
                         std::vector<UnclearNumber> unclear = {});

// The duplicate-heading refusal: "The heading "Weight" heads columns C and F; ...".
std::string duplicateHeadingProblem(const std::string& heading, const std::vector<int>& columns);

}  // namespace plumetra
