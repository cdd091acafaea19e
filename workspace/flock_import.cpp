#include "workspace/flock_import.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "files/free_format.h"
#include "files/text_encoding.h"
#include "workspace/data_set.h"
#include "workspace/import_notes.h"
#include "workspace/list_file.h"
#include "workspace/matching.h"
#include "workspace/analysis_grid.h"
#include "workspace/text_table.h"
#include "workspace/workbook_import.h"

namespace plumetra {

namespace {

constexpr char CsvDialogTitle[] = "Open Flock Data in a Comma Separated File";
constexpr char ReplaceQuestion[] =
    "Flocks are loaded. Replace them, and everything worked out from them, with the pasted "
    "table? (To change only some cells, paste into the first cell to change instead.)";
constexpr int DietFileColumns = 256;  // as many as a workbook sheet gives

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

// The last column holding text in any row, headings included; -1 when none does.
int lastFilledColumn(const Grid& grid) {
  for (int c = grid.cols() - 1; c >= 0; --c)
    for (int r = 0; r < grid.rows(); ++r)
      if (!grid.text(r, c).empty()) return c;
  return -1;
}

// Cuts a grid to its last filled row and column plus one empty row and column.
void trimToFilled(Grid& grid) {
  grid.resize(flockRowsOf(grid) + 2, std::max(lastFilledColumn(grid), 0) + 2);
}

// Whether any cell from `firstRow` down holds text.
bool hasTextFrom(const Grid& grid, int firstRow) {
  for (int r = firstRow; r < grid.rows(); ++r)
    for (int c = 0; c < grid.cols(); ++c)
      if (!grid.text(r, c).empty()) return true;
  return false;
}

// The flock grid keeps columns 0-100 only; `cutBefore` says the reader already left text out.
void cutFlockColumns(Grid& grid, std::vector<std::string>& notes, bool cutBefore = false) {
  if (grid.cols() <= MaxGridColumns && !cutBefore) return;
  int lastUsed = cutBefore ? MaxGridColumns : -1;
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
  if (isOverTextFileBound(file)) {
    dialogs.message("The file " + file.string() + " is larger than " +
                    std::to_string(MaxTextFileBytes / (1024 * 1024)) +
                    " MB; no flock or diet table is that large. Save the table alone and open that file.");
    return std::nullopt;
  }
  std::optional<std::string> contents = readTextFile(file);
  if (!contents) {
    dialogs.message("The file " + file.string() + " could not be opened.");
    return std::nullopt;
  }
  if (contents->empty()) {
    dialogs.message("The file " + file.string() + " is empty.");
    return std::nullopt;
  }
  if (!hasUtf16Mark(*contents) && contents->find('\0') != std::string::npos) {
    dialogs.message("The file " + file.string() + " is not a text file.");
    return std::nullopt;
  }
  return contents;
}

// A text table read into a fresh grid; false when the file holds no data.
bool readTableText(const std::string& contents, const std::filesystem::path& file, int maxRows,
                   int maxCols, TextTableRead& read) {
  read = readTextTable(contents, isTabSeparatedName(file) ? '\t' : 0, maxRows, maxCols);
  return read.hasData;
}

}  // namespace

bool isTabSeparatedName(const std::filesystem::path& file) {
  std::string ext = file.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return ext == ".txt" || ext == ".tsv";
}

void resetGrid(Workspace& ws) {
  trimToFilled(ws.flockGrid);
  ws.flockCount = inputCount(ws.flockGrid);
}

void pasteClipboard(Workspace& ws, std::string_view clipboardText, const UnitSettings& units, Dialogs& dialogs) {
  Grid& grid = gridOf(ws, ws.activeGrid);
  std::vector<std::string> notes;
  if (ws.activeGrid != GridId::Flock) {
    pasteReporting(grid, clipboardText, notes);
    showImportNotes(dialogs, notes);
    return;
  }
  if (grid.row() == 0 && grid.col() == 0) {
    // A table with its heading row at the top-left cell is a new data set.
    if (ws.flockCount > 0 && !dialogs.yesNo(ReplaceQuestion)) return;
    Grid table(MaxPasteFlocks + 1, PasteColumns);
    table.setFixedRows(0);
    table.setFixedCols(0);
    table.setCurrent(0, 0);
    pasteReporting(table, clipboardText, notes);
    trimToFilled(table);
    cutFlockColumns(table, notes);
    showImportNotes(dialogs, notes);
    ws.dataFileName.clear();  // pasted flocks have no file of their own
    replaceFlockDataSet(ws, std::move(table), units, dialogs);
    return;
  }
  // Anywhere else a paste changes the cells it covers and adds rows or columns it needs.
  const TableSize size = measureTabText(clipboardText);
  grid.resize(std::max(grid.rows(), std::min(grid.row() + size.rows + 1, MaxPasteFlocks + 1)),
              std::max(grid.cols(), std::min(grid.col() + size.cols + 1, PasteColumns)));
  pasteReporting(grid, clipboardText, notes);
  cutFlockColumns(grid, notes);
  grid.setRows(std::max(inputCount(grid) + 2, 2));
  ws.flockCount = inputCount(grid);
  ws.analysedRows.clear();
  ws.leftOutFlocks.clear();
  copyMatchedColumns(ws, units);
  buildAnalysisGrid(ws);
  showImportNotes(dialogs, notes);
}

bool loadFlockSheet(Workspace& ws, const UnitSettings& units, Dialogs& dialogs,
                    const ListFileChoice& listFile) {
  if (ws.flockSheetChoice.index < 0) return false;
  if (!isTextFileEntry(ws.flockSheetChoice.chosen())) {
    if (!readExcelSheet(ws, units, dialogs)) return false;
  }
  const std::filesystem::path list = listFile ? *listFile : listFilePath(ws);
  replayListFile(ws, units, dialogs, list);
  ws.flockGrid.setCurrent(ws.flockGrid.row(), 0);
  return true;
}

void csvFlock(Workspace& ws, const UnitSettings& units, Dialogs& dialogs) {
  ws.targetGrid = GridId::Flock;
  selectTab(ws, FlockTab);
  const auto file = dialogs.openFile({.title = CsvDialogTitle,
                                      .filter = "*.csv|*.csv",
                                      .fileName = "*.csv",
                                      .initialFolder = ws.lastDir});
  if (!file) return;
  loadFlockTextFile(ws, units, dialogs, *file);
}

bool loadFlockTextFile(Workspace& ws, const UnitSettings& units, Dialogs& dialogs,
                       const std::filesystem::path& file, const ListFileChoice& listFile) {
  const std::optional<std::string> contents = readTableFile(file, dialogs);
  if (!contents) return false;
  TextTableRead read;
  if (!readTableText(*contents, file, MaxFileFlocks + 1, MaxGridColumns, read)) {
    dialogs.message("The file " + file.string() + " holds no rows of data.");
    return false;
  }
  if (read.moreRows)
    read.notes.push_back("The file holds more than " + std::to_string(MaxFileFlocks) + " flocks; the first " +
                         std::to_string(MaxFileFlocks) + " were read.");
  cutFlockColumns(read.grid, read.notes, read.moreColumns);
  read.grid.setFixedRows(ws.flockGrid.fixedRows());
  read.grid.setFixedCols(ws.flockGrid.fixedCols());
  ws.targetGrid = GridId::Flock;
  ws.lastDir = file.parent_path();
  ws.dataFileName = file.string();
  showImportNotes(dialogs, read.notes);
  replaceFlockDataSet(ws, std::move(read.grid), units, dialogs, std::move(read.unclear));
  ws.flockSheetChoice.add(file.string());
  ws.flockSheetChoice.choose(static_cast<int>(ws.flockSheetChoice.items.size()) - 1);
  return loadFlockSheet(ws, units, dialogs, listFile);
}

bool loadDietTextFile(Workspace& ws, Dialogs& dialogs, const std::filesystem::path& file) {
  const std::optional<std::string> contents = readTableFile(file, dialogs);
  if (!contents) return false;
  TextTableRead read;
  if (!readTableText(*contents, file, DietSheetRows + 1, DietFileColumns, read)) {
    dialogs.message("The file " + file.string() + " holds no rows of data.");
    return false;
  }
  Grid& grid = read.grid;
  if (read.moreRows || hasTextFrom(grid, DietSheetRows))
    read.notes.push_back("Only the first " + std::to_string(DietSheetRows - 1) + " diets of " +
                         file.string() + " were read; the rows after them were left out.");
  replaceDietTable(ws, std::move(grid), file.filename().string(), dialogs);
  showImportNotes(dialogs, read.notes);
  buildAnalysisGrid(ws);
  selectTab(ws, AnalysisTab);
  return true;
}

}  // namespace plumetra
