#pragma once
// The flock data workspace of one main window: the flock table and its matching state, the
// diet tables, the main window's controls, the folders and the open workbook.
// Members keep the names the rest of the program uses: ws.FlockData, ws.flockGrid,
// ws.diets.DietData.

#include <filesystem>
#include <memory>
#include <string>

#include "files/workbook.h"
#include "workspace/diet_table.h"
#include "workspace/flock_table.h"
#include "workspace/main_window_controls.h"

namespace plumetra {

struct Workspace : FlockTable, MainWindowControls {
  DietTables diets;

  std::filesystem::path AppDir;        // the application folder
  std::filesystem::path LastDir;       // folder of the last file dialog
  std::filesystem::path LocationFile;  // the chosen location without extension
  GridId ActiveGrid = GridId::Flock;   // grid of the last key press or mouse release
  GridId TargetGrid = GridId::Flock;   // grid last written by an import
  // The growth model cannot run (no growth parameters): the analysis grid gets no
  // prediction columns.
  bool ModelSkipped = false;

  // The workbook chosen last, kept open until the next one is chosen.
  std::shared_ptr<const WorkbookReader> workbook;
  int WorkbookCount = 0;  // workbooks opened since start
};

Grid& gridOf(Workspace& ws, GridId id);
const Grid& gridOf(const Workspace& ws, GridId id);

}  // namespace plumetra
