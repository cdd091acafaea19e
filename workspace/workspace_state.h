#pragma once
// The flock data workspace of one main window: the flock table and its matching state, the
// diet tables, the grids that hold and show them, the user's choices the commands run with
// (sex, data file, location), the folders and the open workbook.

#include <array>
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
#include "controls/controls.h"
#include "controls/grid.h"
#include "workspace/optional_items.h"

namespace plumetra {

// An empty list that shows `prompt` until an entry is chosen.
inline Combo promptedChoice(std::string prompt) {
  Combo c;
  c.text = std::move(prompt);
  return c;
}

inline constexpr int NoSexChosen = -1;

// The main window's tabs, one per table: flocks, diets, analysis results.
inline constexpr int FlockTab = 0;
inline constexpr int DietTab = 1;
inline constexpr int AnalysisTab = 2;

// The three grids of the main window, for activeGrid and targetGrid.
enum class GridId { Flock, Diet, Analysis };

struct Workspace : FlockTable {
  // The flocks as pasted or read (row 0 the headings), the diets likewise, and the analysis
  // results as shown.
  Grid flockGrid{};
  Grid dietGrid{};
  Grid analysisGrid{};
  // The Data ID being matched on each side (its entries are the Data ID list), and the
  // sheets of the open workbook with the one chosen for the flocks and for the diets.
  Combo flockDataIds{};
  Combo dietDataIds{};
  Combo flockSheetChoice = promptedChoice("Select Excel Sheet");
  Combo dietSheetChoice = promptedChoice("Select Diet Sheet Here");
  // The analysis grid's headings to sort by (an entry's index is its grid column), the first
  // sort's column and the second's.
  Combo firstSortChoice = promptedChoice("Initial Sort");
  Combo secondSortChoice = promptedChoice("Second Sort");

  // The sex the flocks grow as (the growth model's code: 0 mixed, 1 male, 2 female) where
  // their own is not known; NoSexChosen until the user or a location's settings choose one.
  int chosenSex = NoSexChosen;
  // The percent of the flocks in the Low, Middle and High groups of the split, as typed.
  std::array<double, 3> splitPercent{20.0, 60.0, 20.0};
  // The flock data file as shown (a workbook by its name, a text file by its path); empty for
  // pasted flocks.
  std::string dataFileName;

  DietTables diets;
  // The columns of the optional flock items (mortality, birds sold, flock sex).
  OptionalColumns optionalColumns;

  std::filesystem::path appDir;        // the application folder
  std::filesystem::path lastDir;       // folder of the last file dialog
  std::filesystem::path locationFile;  // the chosen location without extension
  int shownTab = FlockTab;             // the table the user is working on
  GridId activeGrid = GridId::Flock;   // grid of the last key press or mouse release
  GridId targetGrid = GridId::Flock;   // grid last written by an import
  // The growth model cannot run (no growth parameters): the analysis grid gets no
  // prediction columns.
  bool modelSkipped = false;

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
  int workbookCount = 0;  // workbooks opened since start
};

Grid& gridOf(Workspace& ws, GridId id);
const Grid& gridOf(const Workspace& ws, GridId id);

}  // namespace plumetra
