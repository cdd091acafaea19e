#include "workspace/data_set.h"

#include <utility>

#include "files/finite_numbers.h"
#include "files/trimmed_text.h"
#include "workspace/analysis_grid.h"
#include "workspace/auto_match.h"
#include "workspace/heading_row.h"
#include "workspace/matching.h"

namespace plumetra {

namespace {

constexpr int LastMatchedFlockItem = ItemDensity;

// Everything the earlier data set left in the flock table, its matching and its sort lists.
void forgetFlockData(Workspace& ws) {
  ws.flockData = {};
  ws.flockCol = {};
  ws.flockIdSet = {};
  ws.optionalColumns = {};
  for (int i = 0; i < FlockItemCount; ++i) ws.itemHeader[static_cast<std::size_t>(i)].clear();
  for (auto& fields : ws.farmOrder) fields[4] = 0;
  ws.nonNumeric = {};
  for (int i = 0; i < static_cast<int>(ws.flockDataIds.items.size()); ++i)
    ws.flockDataIds.items[static_cast<std::size_t>(i)] = std::string(dataIdList(0, i));
  ws.flockDataIds.choose(0);
  for (Combo* sorts : {&ws.firstSortChoice, &ws.secondSortChoice}) {
    sorts->items.clear();
    sorts->index = -1;
  }
  ws.analysedRows.clear();
  ws.leftOutFlocks.clear();
  ++ws.dataSetNumber;
}

// A cell holding "NaN" or "inf" alone is how some programs write a missing value; it is read
// as empty, so no such word reaches a file the program writes. The user is told how many.
void blankNonFiniteCells(Grid& grid, Dialogs& dialogs) {
  int blanked = 0;
  for (int r = 0; r < grid.rows(); ++r)
    for (int c = 0; c < grid.cols(); ++c)
      if (isNonFiniteNumberText(grid.text(r, c))) {
        grid.setText(r, c, "");
        ++blanked;
      }
  if (blanked > 0)
    dialogs.message(std::to_string(blanked) + (blanked == 1 ? " cell holds" : " cells hold") +
                    " \"NaN\" or \"inf\" (no number); read as empty.");
}

}  // namespace

int flockRowsOf(const Grid& grid) {
  for (int r = grid.rows() - 1; r >= 1; --r)
    for (int c = 0; c < grid.cols(); ++c)
      if (!grid.text(r, c).empty()) return r;
  return 0;
}

std::string columnLetters(int col) {
  std::string letters;
  for (int n = col + 1; n > 0; n = (n - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
  return letters;
}

std::vector<int> columnsHeaded(const Grid& grid, const std::string& heading) {
  std::vector<int> found;
  const std::string wanted = trimmed(heading);
  if (wanted.empty()) return found;
  for (int c = 0; c < grid.cols(); ++c)
    if (trimmed(grid.text(0, c)) == wanted) found.push_back(c);
  return found;
}

std::string duplicateHeadingProblem(const std::string& heading, const std::vector<int>& columns) {
  std::string list;
  for (std::size_t i = 0; i < columns.size(); ++i)
    list += (i == 0 ? "" : i + 1 == columns.size() ? " and " : ", ") + columnLetters(columns[i]);
  return "The heading \"" + trimmed(heading) + "\" heads columns " + list +
         "; give the columns different headings and match again.";
}

void replaceDietTable(Workspace& ws, Grid grid, const std::string& source, Dialogs& dialogs) {
  grid.setRows(DietSheetRows);
  blankNonFiniteCells(grid, dialogs);
  grid.setFixedRows(ws.dietGrid.fixedRows());
  grid.setFixedCols(ws.dietGrid.fixedCols());
  ws.dietGrid = std::move(grid);
  ws.targetGrid = GridId::Diet;
  if (forgetDietMatches(ws))
    dialogs.message("The diet items matched before were cleared: match them again on " + source + ".");
}

void replaceFlockDataSet(Workspace& ws, Grid grid, const UnitSettings& units, Dialogs& dialogs,
                         std::vector<UnclearNumber> unclear) {
  std::vector<std::pair<int, std::string>> matched;  // item, heading
  for (int i = 0; i <= LastMatchedFlockItem; ++i)
    if (ws.flockIdSet[static_cast<std::size_t>(i)])
      matched.emplace_back(i, ws.itemHeader[static_cast<std::size_t>(i)]);
  for (int entry = FirstOptionalEntry; entry < FlockListEnd; ++entry)
    if (const int col = matchedFlockColumn(ws, entry); col >= 0) matched.emplace_back(entry, ws.flockGrid.text(0, col));

  forgetFlockData(ws);
  if (const LiftedHeadings lifted = liftHeadings(grid); lifted.rowsLeftOut > 0) {
    dialogs.message(lifted.message);
    for (UnclearNumber& u : unclear) u.row -= lifted.rowsLeftOut;
  }
  blankNonFiniteCells(grid, dialogs);
  ws.flockCount = std::min(flockRowsOf(grid), MaxFlocks);
  grid.setRows(ws.flockCount + 2);
  ws.flockGrid = std::move(grid);
  ws.unclearNumbers = std::move(unclear);

  std::string lost;
  for (const auto& [item, heading] : matched) {
    const std::vector<int> columns = columnsHeaded(ws.flockGrid, heading);
    if (columns.size() == 1) {
      matchColumn(ws, MatchSide::Flock, item, columns[0], units, dialogs);
      continue;
    }
    lost += "\n  " + std::string(dataIdList(0, item)) + " (was \"" + heading + "\")";
    if (columns.size() > 1) lost += ": " + duplicateHeadingProblem(heading, columns);
  }
  ws.flockDataIds.choose(0);
  buildAnalysisGrid(ws);
  if (!lost.empty())
    dialogs.message("These items are no longer matched, because no single column of the new data "
                    "has the heading they were matched to:" + lost + "\nMatch them again.");
}

}  // namespace plumetra
