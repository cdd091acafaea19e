#include "workspace/workbook_import.h"

#include "workspace/heading_keys.h"

#include <algorithm>

#include "controls/number_format.h"
#include "workspace/flock_import.h"
#include "workspace/import_notes.h"
#include "workspace/matching.h"
#include "workspace/analysis_grid.h"
#include "workspace/data_set.h"

namespace plumetra {

namespace {

constexpr char NoNameChosen[] = "Click again to choose a Name";
constexpr char FlockSheetPrompt[] = "Select Flock Sheet";

// A sheet's field name as a database provider gives it: the heading's text, or F1, F2, ...
// for a column without one.
std::string fieldName(const SheetRow& headings, std::size_t i) {
  const SheetCell cell = i < headings.size() ? headings[i] : SheetCell{};
  if (const auto* text = std::get_if<std::string>(&cell); text && !text->empty()) return *text;
  if (const auto* number = std::get_if<double>(&cell)) return generalNumber(*number);
  return "F" + std::to_string(i + 1);
}

// How many flock Data IDs the headings of the sheet's best heading row name.
int flockItemsNamed(const Sheet& sheet) {
  constexpr std::size_t searchedRows = 10;
  int best = 0;
  for (std::size_t r = 0; r < sheet.rows.size() && r < searchedRows; ++r) {
    int named = 0;
    for (std::size_t c = 0; c < sheet.rows[r].size(); ++c)
      if (const auto* text = std::get_if<std::string>(&sheet.rows[r][c]))
        if (itemForHeading(MatchSide::Flock, *text) || feedPhaseRank(*text)) ++named;
    best = std::max(best, named);
  }
  return best;
}

}  // namespace

int flockSheetIndex(const WorkbookReader& workbook) {
  constexpr int fewestItems = 3;
  int chosen = -1, most = fewestItems - 1;
  const std::vector<std::string> names = workbook.sheetNames();
  for (std::size_t i = 0; i < names.size(); ++i) {
    const auto sheet = workbook.readSheet(names[i]);
    if (!sheet.ok()) continue;
    if (const int named = flockItemsNamed(sheet.get()); named > most) {
      most = named;
      chosen = static_cast<int>(i);
    }
  }
  return chosen;
}

bool openWorkbookFile(Workspace& ws, const std::filesystem::path& file, Dialogs& dialogs) {
  auto opened = openWorkbook(file);
  if (!opened.ok()) {
    dialogs.message("The file " + file.string() +
                    " could not be opened as a workbook: " + opened.error());
    return false;
  }
  ws.workbook = std::shared_ptr<const WorkbookReader>(std::move(opened.get()));
  ws.flockSheetChoice.clear();
  ws.flockSheetChoice.text = FlockSheetPrompt;
  ws.dietSheetChoice.clear();
  ws.dataFileName = file.filename().string();
  ws.lastDir = file.parent_path();
  for (const std::string& name : ws.workbook->sheetNames()) {
    ws.flockSheetChoice.add(name);
    ws.dietSheetChoice.add(name);
  }
  ws.flockSheetChoice.visible = true;
  ++ws.workbookCount;
  return true;
}

void chooseWorkbook(Workspace& ws, Dialogs& dialogs) {
  const auto file = dialogs.openFile({.title = "Open a Flock Data Workbook",
                                      .filter = "Excel( *.xls, *.xlsx )|*.xls;*.xlsx",
                                      .fileName = "*.xls",
                                      .initialFolder = ws.lastDir});
  ws.flockSheetChoice.clear();
  ws.flockSheetChoice.text = FlockSheetPrompt;
  if (!file || file->filename().string().size() < 5) {
    dialogs.message(NoNameChosen);
    return;
  }
  openWorkbookFile(ws, *file, dialogs);
}

void openFlockWorkbook(Workspace& ws, const UnitSettings& units, Dialogs& dialogs) {
  selectTab(ws, FlockTab);
  chooseWorkbook(ws, dialogs);
  loadFlockSheet(ws, units, dialogs);
}

bool readExcelSheet(Workspace& ws, const UnitSettings& units, Dialogs& dialogs) {
  const bool flockSide = ws.shownTab == FlockTab;
  const std::string sheetName = (flockSide ? ws.flockSheetChoice : ws.dietSheetChoice).chosen();
  if (!ws.workbook) {
    dialogs.message("No workbook is open: click on the data file box to choose one.");
    return false;
  }
  auto read = ws.workbook->readSheet(sheetName);
  if (!read.ok()) {
    dialogs.message("The sheet \"" + sheetName + "\" could not be read: " + read.error());
    return false;
  }
  const Sheet& sheet = read.get();
  std::size_t fields = 0;
  for (const SheetRow& row : sheet.rows) fields = std::max(fields, row.size());
  int records = static_cast<int>(sheet.rows.size()) - 1;
  if (records < 1 || fields == 0) {
    dialogs.message("The sheet \"" + sheetName + "\" holds no rows of data.");
    return false;
  }

  std::vector<std::string> notes = sheet.warnings;
  const std::size_t maxFields = static_cast<std::size_t>(MaxGridColumns - 1);
  if (flockSide && records > MaxFileFlocks) {
    notes.push_back("The sheet \"" + sheetName + "\" holds " + std::to_string(records) +
                    " flocks; the first " + std::to_string(MaxFileFlocks) +
                    " were read and the last " + std::to_string(records - MaxFileFlocks) +
                    " were left out.");
    records = MaxFileFlocks;
  }
  if (flockSide && fields > maxFields) {
    notes.push_back("The sheet \"" + sheetName + "\" has " + std::to_string(fields) +
                    " columns; the first " + std::to_string(maxFields) +
                    " were read and the last " + std::to_string(fields - maxFields) +
                    " were left out.");
    fields = maxFields;
  }
  if (!flockSide && records > DietSheetRows - 1)
    notes.push_back("The sheet \"" + sheetName + "\" holds " + std::to_string(records) +
                    " diets; the first " + std::to_string(DietSheetRows - 1) +
                    " were read and the last " + std::to_string(records - (DietSheetRows - 1)) +
                    " were left out.");

  ws.targetGrid = flockSide ? GridId::Flock : GridId::Diet;
  const Grid& previous = gridOf(ws, ws.targetGrid);
  Grid grid(records + 2, static_cast<int>(fields) + 1);
  grid.setFixedRows(previous.fixedRows());
  grid.setFixedCols(previous.fixedCols());
  for (std::size_t i = 0; i < fields; ++i)
    grid.setText(0, static_cast<int>(i), fieldName(sheet.rows[0], i));
  for (int r = 1; r <= records; ++r) {
    const SheetRow& row = sheet.rows[static_cast<std::size_t>(r)];
    for (std::size_t i = 0; i < std::min(fields, row.size()); ++i) {
      if (const auto* number = std::get_if<double>(&row[i]))
        grid.setText(r, static_cast<int>(i), formatSheetNumber(*number));
      else if (const auto* text = std::get_if<std::string>(&row[i]))
        grid.setText(r, static_cast<int>(i), *text);
    }
  }
  showImportNotes(dialogs, notes);
  if (flockSide) {
    replaceFlockDataSet(ws, std::move(grid), units, dialogs);
  } else {
    replaceDietTable(ws, std::move(grid), "the sheet \"" + sheetName + "\"", dialogs);
  }
  return true;
}

bool loadDietSheet(Workspace& ws, Dialogs& dialogs) {
  if (ws.dietSheetChoice.index < 0 || ws.dietSheetChoice.chosen().find(".csv") != std::string::npos)
    return false;
  if (!readExcelSheet(ws, UnitSettings{}, dialogs)) return false;  // the diet tab: no flock copy
  buildAnalysisGrid(ws);
  selectTab(ws, AnalysisTab);
  return true;
}

}  // namespace plumetra
