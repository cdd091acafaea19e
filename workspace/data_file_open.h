#pragma once
// Opening a data file named by path rather than chosen in a file dialog (a file dropped on the
// window, an entry of the recent files): the file's kind is told by its extension and it
// takes the route its menu item or button would.

#include <filesystem>

#include "controls/dialogs.h"
#include "workspace/units.h"
#include "workspace/workspace_state.h"

namespace plumetra {

enum class DataFileKind { FlockWorkbook, FlockText, DietFile, Unknown };

// ".xls"/".xlsx" workbooks, ".csv"/".txt"/".tsv" flock tables, ".dts" diet files (any case).
DataFileKind dataFileKind(const std::filesystem::path& file);

// Opens `file` by its kind: a workbook lists its sheets on the flock tab, a text table is
// loaded as the flocks, a diet file fills the diet grid. A file of no known kind is reported.
// True when the file was opened.
bool openDataFile(Workspace& ws, const UnitSettings& units, const std::filesystem::path& file, Dialogs& dialogs);

}  // namespace plumetra
