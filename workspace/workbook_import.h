#pragma once
// Flock and diet tables from spreadsheet workbooks (.xls and .xlsx alike): choosing the
// workbook, listing its sheets in flockSheetChoice and dietSheetChoice, and reading a sheet into a grid.

#include <filesystem>

#include "workspace/units.h"
#include "controls/dialogs.h"
#include "workspace/data_set.h"
#include "workspace/workspace_state.h"

namespace plumetra {

// A click on dataFileBox: the file dialog, then openWorkbookFile. Cancelling shows
// "Click again to choose a Name".
void chooseWorkbook(Workspace& ws, Dialogs& dialogs);

// Opens `file` as the workspace's workbook: dataFileName is its name, lastDir its folder, both
// sheet combos list its sheets, and the workbook counter counts it (the second one colours the
// analysis button). A file that is no workbook is reported and changes no table.
bool openWorkbookFile(Workspace& ws, const std::filesystem::path& file, Dialogs& dialogs);

// Menu items "Flock Data in Excel 12 (.xls)" and "Flock Data in Excel 16(.xlsx)": the flock
// tab, then a workbook chosen as by a click on dataFileBox.
void openFlockWorkbook(Workspace& ws, const UnitSettings& units, Dialogs& dialogs);

// Reads the sheet chosen for the active tab (tab 0: flockSheetChoice as a new flock data set,
// see replaceFlockDataSet; other tabs: dietSheetChoice into a fresh diet grid, cut to 8 rows).
// Headings come from the first row; numbers are written with formatNum; an empty cell stays
// empty. A sheet that cannot be read, or has no rows, is reported and changes nothing.
bool readExcelSheet(Workspace& ws, const UnitSettings& units, Dialogs& dialogs);

// The sheet of the open workbook that holds the flock headings: the one whose first ten rows
// hold a row naming the most flock Data IDs (three at least; the first such sheet on a tie), or
// -1 when none does.
int flockSheetIndex(const WorkbookReader& workbook);

// The diet loading step (a dietSheetChoice entry chosen): the sheet, the flock count, buildAnalysisGrid and
// the "Analysis Results" tab. False when nothing was chosen or the sheet was not read.
bool loadDietSheet(Workspace& ws, Dialogs& dialogs);

}  // namespace plumetra
