#include "workspace/flock_import.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "files/free_format.h"
#include "workspace/comma_file.h"
#include "workspace/import_notes.h"
#include "workspace/list_file.h"
#include "workspace/matching.h"
#include "workspace/analysis_grid.h"
#include "workspace/workbook_import.h"

namespace plumetra {

namespace {

constexpr char CsvDialogTitle[] = "Open Flock Data in a Comma Separated File";
constexpr int DietFileRows = 100;  // room for a diet table before it is cut to its sheet rows

struct TableSize {
  int rows = 0, cols = 0;
};

// Rows and widest row of tab-separated text (a line end at the very end adds no row).
TableSize measureTabText(std::string_view text) {
  TableSize size;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
    const std::string_view line = text.substr(pos, end - pos);
    ++size.rows;
    size.cols =
        std::max(size.cols, static_cast<int>(std::count(line.begin(), line.end(), '\t')) + 1);
    pos = end;
    if (pos < text.size())
      pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
  }
  return size;
}

// Pastes at the grid's current cell and says what did not fit.
void pasteReporting(Grid& grid, std::string_view text, std::vector<std::string>& notes) {
  const TableSize size = measureTabText(text);
  const int roomRows = grid.rows() - grid.row(), roomCols = grid.cols() - grid.col();
  grid.paste(text);
  if (size.rows > roomRows)
    notes.push_back("The table has " + std::to_string(size.rows) + " rows; the first " +
                    std::to_string(roomRows) + " were pasted and the last " +
                    std::to_string(size.rows - roomRows) + " were left out.");
  if (size.cols > roomCols)
    notes.push_back("The table has " + std::to_string(size.cols) + " columns; the first " +
                    std::to_string(roomCols) + " were pasted and the last " +
                    std::to_string(size.cols - roomCols) + " were left out.");
}

struct LastCell {
  int row = 1, col = 1;
};
LastCell lastFilledCell(const Grid& grid) {
  LastCell last;
  for (int r = 1; r < grid.rows(); ++r)
    for (int c = 1; c < grid.cols(); ++c)
      if (!grid.text(r, c).empty()) {
        last.row = std::max(last.row, r);
        last.col = std::max(last.col, c);
      }
  return last;
}

void trimToLastCell(Grid& grid, const LastCell& last) { grid.resize(last.row + 2, last.col + 2); }

// Whether any cell from `firstRow` down holds text.
bool hasTextFrom(const Grid& grid, int firstRow) {
  for (int r = firstRow; r < grid.rows(); ++r)
    for (int c = 0; c < grid.cols(); ++c)
      if (!grid.text(r, c).empty()) return true;
  return false;
}

// The flock grid keeps columns 0-100 only.
void cutFlockColumns(Grid& grid, std::vector<std::string>& notes) {
  if (grid.cols() <= MaxGridColumns) return;
  int lastUsed = -1;
  for (int c = MaxGridColumns; c < grid.cols() && lastUsed < 0; ++c)
    for (int r = 0; r < grid.rows(); ++r)
      if (!grid.text(r, c).empty()) {
        lastUsed = c;
        break;
      }
  if (lastUsed >= 0)
    notes.push_back("The flock table has more than " + std::to_string(MaxGridColumns) +
                    " columns; columns 1 to " + std::to_string(MaxGridColumns) +
                    " were read and the others were left out.");
  grid.setCols(MaxGridColumns);
}

bool isTextFileEntry(const std::string& entry) {
  return entry.find(".csv") != std::string::npos || isTabSeparatedName(entry);
}

// The file's text, or std::nullopt after telling the user why it cannot be used.
std::optional<std::string> readTableFile(const std::filesystem::path& file, Dialogs& dialogs) {
  std::optional<std::string> contents = readTextFile(file);
  if (!contents) {
    dialogs.message("The file " + file.string() + " could not be opened.");
    return std::nullopt;
  }
  if (contents->empty()) {
    dialogs.message("The file " + file.string() + " is empty.");
    return std::nullopt;
  }
  if (contents->find('\0') != std::string::npos) {
    dialogs.message("The file " + file.string() + " is not a text file.");
    return std::nullopt;
  }
  return contents;
}

// A text table read into `grid` (its previous content kept where the file writes nothing, as
// the comma route does); false when the file holds no data.
bool readTableText(const std::string& contents, const std::filesystem::path& file, Grid& grid,
                   int maxRows, std::vector<std::string>& notes) {
  if (isTabSeparatedName(file)) {
    grid = Grid(maxRows, PasteColumns);
    grid.setFixedRows(0);
    grid.setFixedCols(0);
    grid.setCurrent(0, 0);
    pasteReporting(grid, contents, notes);
    if (!hasTextFrom(grid, 0)) return false;
    trimToLastCell(grid, lastFilledCell(grid));
    return true;
  }
  grid.resize(maxRows, PasteColumns);
  const CommaFileRead read = SortCommas(contents, grid);
  notes.insert(notes.end(), read.notes.begin(), read.notes.end());
  return read.linesRead > 0;
}

}  // namespace

bool isTabSeparatedName(const std::filesystem::path& file) {
  std::string ext = file.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return ext == ".txt" || ext == ".tsv";
}

void resetGrid(Workspace& ws) {
  const LastCell last = lastFilledCell(ws.flockGrid);
  trimToLastCell(ws.flockGrid, last);
  ws.FlockCount = last.row;
}

void Paste(Workspace& ws, std::string_view clipboardText, Dialogs& dialogs) {
  Grid& grid = gridOf(ws, ws.ActiveGrid);
  const bool flock = ws.ActiveGrid == GridId::Flock;
  std::vector<std::string> notes;
  if (flock) {
    grid.resize(MaxPasteFlocks + 1, PasteColumns);
    grid.setFixedRows(0);
    grid.setFixedCols(0);
  }
  pasteReporting(grid, clipboardText, notes);
  if (flock) {
    resetGrid(ws);
    cutFlockColumns(grid, notes);
    buildAnalysisGrid(ws);
  }
  showImportNotes(dialogs, notes);
}

bool LoadFlockSheet(Workspace& ws, const UnitSettings& units, Dialogs& dialogs,
                    const ListFileChoice& listFile) {
  if (ws.flockSheetChoice.index < 0) return false;
  if (!isTextFileEntry(ws.flockSheetChoice.chosen())) {
    if (!ReadExcelSheet(ws, dialogs)) return false;
  }
  ws.FlockCount = InputCount(ws.flockGrid);
  ws.flockGrid.setRows(ws.FlockCount + 2);
  const std::filesystem::path list = listFile ? *listFile : ListFilePath(ws);
  if (ReplayListFile(ws, units, dialogs, list) == ListReplay::Declined) return true;
  ws.flockGrid.setCurrent(ws.flockGrid.row(), 0);
  buildAnalysisGrid(ws);
  return true;
}

void CSVFlock(Workspace& ws, const UnitSettings& units, Dialogs& dialogs) {
  ws.TargetGrid = GridId::Flock;
  selectTab(ws, FlockTab);
  const auto file = dialogs.openFile({.title = CsvDialogTitle,
                                      .filter = "*.csv|*.csv",
                                      .fileName = "*.csv",
                                      .initialFolder = ws.LastDir});
  if (!file) return;
  LoadFlockTextFile(ws, units, dialogs, *file);
}

bool LoadFlockTextFile(Workspace& ws, const UnitSettings& units, Dialogs& dialogs,
                       const std::filesystem::path& file, const ListFileChoice& listFile) {
  const std::optional<std::string> contents = readTableFile(file, dialogs);
  if (!contents) return false;
  std::vector<std::string> notes;
  Grid grid = ws.flockGrid;
  if (!readTableText(*contents, file, grid, MaxFileFlocks + 1, notes)) {
    dialogs.message("The file " + file.string() + " holds no rows of data.");
    return false;
  }
  cutFlockColumns(grid, notes);
  ws.flockGrid = std::move(grid);
  ws.TargetGrid = GridId::Flock;
  ws.LastDir = file.parent_path();
  ws.dataFileBox.text = file.string();
  ws.dataFileBox.visible = true;
  showImportNotes(dialogs, notes);
  ws.flockSheetChoice.add(file.string());
  ws.flockSheetChoice.choose(static_cast<int>(ws.flockSheetChoice.items.size()) - 1);
  return LoadFlockSheet(ws, units, dialogs, listFile);
}

bool LoadDietTextFile(Workspace& ws, Dialogs& dialogs, const std::filesystem::path& file) {
  const std::optional<std::string> contents = readTableFile(file, dialogs);
  if (!contents) return false;
  std::vector<std::string> notes;
  Grid grid = ws.dietGrid;
  if (!readTableText(*contents, file, grid, DietFileRows, notes)) {
    dialogs.message("The file " + file.string() + " holds no rows of data.");
    return false;
  }
  if (hasTextFrom(grid, DietSheetRows))
    notes.push_back("Only the first " + std::to_string(DietSheetRows - 1) + " diets of " +
                    file.string() + " were read; the rows after them were left out.");
  grid.setRows(DietSheetRows);
  ws.dietGrid = std::move(grid);
  ws.TargetGrid = GridId::Diet;
  showImportNotes(dialogs, notes);
  ws.FlockCount = InputCount(ws.flockGrid);
  buildAnalysisGrid(ws);
  selectTab(ws, AnalysisTab);
  return true;
}

}  // namespace plumetra
