#pragma once
// The flock data workspace of one main window: the flock table and its matching state, the
// diet tables, the main window's controls, the folders and the open workbook.
// Members keep the names the rest of the program uses: ws.FlockData, ws.flockGrid,
// ws.diets.DietData.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/csv_reader.h"
#include "files/workbook.h"
#include "workspace/diet_table.h"
#include "workspace/flock_table.h"
#include "workspace/left_out_flock.h"
#include "workspace/main_window_controls.h"
#include "workspace/optional_items.h"

namespace plumetra {

struct Workspace : FlockTable, MainWindowControls {
  DietTables diets;
  // The columns of the optional flock items (mortality, birds sold, flock sex).
  OptionalColumns optionalColumns;

  std::filesystem::path AppDir;        // the application folder
  std::filesystem::path LastDir;       // folder of the last file dialog
  std::filesystem::path LocationFile;  // the chosen location without extension
  GridId ActiveGrid = GridId::Flock;   // grid of the last key press or mouse release
  GridId TargetGrid = GridId::Flock;   // grid last written by an import
  // The growth model cannot run (no growth parameters): the analysis grid gets no
  // prediction columns.
  bool ModelSkipped = false;

  // Every new flock data set (file, sheet, or a paste at the top-left cell) takes the next
  // number, so that results kept outside the workspace can tell they belong to an earlier one.
  int dataSetNumber = 0;
  // Flock-grid row of analysed flock r (entry 0 unused): the complete flocks of the last
  // analysis run. Empty while the rows are analysed as they stand.
  std::vector<int> analysedRows;
  // The flocks the last analysis run left out, and why.
  std::vector<LeftOutFlock> leftOutFlocks;
  // Numbers of the last text file that could be read two ways (flock-grid row and column).
  std::vector<UnclearNumber> unclearNumbers;
  // Where the analysis writes the Data ID list: std::nullopt beside the data file, an empty
  // path nowhere, else that file.
  std::optional<std::filesystem::path> listFileTarget;

  // The workbook chosen last, kept open until the next one is chosen.
  std::shared_ptr<const WorkbookReader> workbook;
  int WorkbookCount = 0;  // workbooks opened since start
};

Grid& gridOf(Workspace& ws, GridId id);
const Grid& gridOf(const Workspace& ws, GridId id);

}  // namespace plumetra
