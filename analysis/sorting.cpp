#include "analysis/sorting.h"

#include "analysis/analysis_colours.h"
#include "analysis/split_statistics.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace plumetra {

namespace {

constexpr int FirstDataRowScanStart = 15;
constexpr int FirstDataRowScanEnd = 24;
constexpr int FirstDataRowMax = 23;
constexpr int SortCaptionColWidth = 1300;
constexpr char SecondSortCaption[] = "Second Sort";
constexpr char BlankText[] = "blank";

int lastRow(const Grid& grid) { return grid.rows() - 1; }

// Flocks of equal feed conversion in the order of their own cells, compared column by column in
// the order of the headings, so that neither the rows' nor the columns' order in the file decides
// which of two equal flocks falls in the lower group.
std::function<bool(int, int)> byTheirCells(const AnalysisView& tab, int conversionCol) {
  const Grid& grid = tab.analysisGrid;
  std::vector<int> byHeading;
  for (int c = 0; c < grid.cols(); ++c)
    if (c != conversionCol && !tab.isOrderColumn(c)) byHeading.push_back(c);
  std::stable_sort(byHeading.begin(), byHeading.end(),
                   [&](int a, int b) { return grid.text(0, a) < grid.text(0, b); });
  return [&grid, byHeading = std::move(byHeading)](int a, int b) {
    for (int c : byHeading)
      if (const int order = grid.text(a, c).compare(grid.text(b, c)); order != 0) return order < 0;
    return false;
  };
}

bool sameChoice(const AnalysisView& tab) {
  return tab.secondSortChoice.index < 0 || tab.secondSortChoice.index == tab.firstSortChoice.index;
}

}  // namespace

int firstDataRow(const Grid& grid) {
  for (int r = FirstDataRowScanStart; r <= FirstDataRowScanEnd; ++r) {
    if (!grid.text(r, 0).empty()) return std::min(r - 1, FirstDataRowMax);
  }
  return FirstDataRowMax;
}

void bubbleSort(AnalysisView& tab, Dialogs& dialogs) {
  Grid& grid = tab.analysisGrid;
  AnalysisState& st = tab.state;
  const int r0 = firstDataRow(grid);
  st.categories.clear();

  int sortCol = tab.columns.feedConversion;
  if (st.firstSortDone) {
    if (tab.firstSortChoice.index >= 0 && tab.firstSortChoice.index < grid.cols()) sortCol = tab.firstSortChoice.index;
  } else {
    dialogs.message("First Sort is always by Feed Conversion");
  }

  grid.setRedraw(false);
  // Removed outliers stay removed: the grid keeps the flocks of the split.
  grid.setRows(st.splitCounted || st.splitFlockCount > 0 ? FirstFlockRow + st.splitFlockCount
                                      : std::max(tab.flockGrid.rows() + r0, FirstFlockRow));
  st.flockRows.keepRows(grid.rows() - FirstFlockRow);
  const SortOrder order =
      st.flockRows.numberAt(FirstFlockRow, sortCol) ? SortOrder::NumericAscending : SortOrder::TextAscending;
  st.previousSortColumn = sortCol;
  if (lastRow(grid) > FirstFlockRow)
    st.flockRows.sortRows(grid, FirstFlockRow, lastRow(grid), sortCol, order,
                          sortCol == tab.columns.feedConversion ? byTheirCells(tab, sortCol) : nullptr);
  grid.select(CellRange{FirstFlockRow, sortCol, std::max(lastRow(grid), FirstFlockRow), sortCol});
  st.firstSortColumn = sortCol;
  grid.setRedraw(true);
  tab.secondSortChoice.enabled = true;
  st.firstSortDone = true;
}

void writeSortCaption(Grid& grid, const std::string& heading) {
  grid.setText(1, 1, "Sorted by ");
  grid.setText(2, 1, heading);
  grid.setText(2, 10, heading);
  grid.setColWidth(2, std::max(grid.colWidth(2), SortCaptionColWidth));  // the pair captions may need more
}

void sortByAnalysisColumn(AnalysisView& tab, int col, Dialogs& dialogs, CategoryWindow& window) {
  if (col <= tab.analysisGrid.cols() - 3) tab.firstSortChoice.choose(col);
  tab.state.firstSortColumn = col;
  bubbleSort(tab, dialogs);
  // The statistics follow the column actually sorted (firstSortChoice's, for the last two columns).
  if (tab.isText(tab.state.firstSortColumn)) {
    loadCategoryWindow(tab, dialogs, window);
  } else {
    splitStatistics(tab);
    writeSortCaption(tab.analysisGrid, tab.firstSortChoice.text);
  }
}

void firstSortChosen(AnalysisView& tab, Dialogs& dialogs, CategoryWindow& window) {
  if (!tab.state.firstSortDone || tab.firstSortChoice.index < 0) return;
  tab.analysisGrid.setCurrent(tab.analysisGrid.row(), tab.firstSortChoice.index);
  sortByAnalysisColumn(tab, tab.firstSortChoice.index, dialogs, window);
}

void secondSortChosen(AnalysisView& tab, Dialogs& dialogs) {
  if (sameChoice(tab)) return;
  if (!tab.isText(tab.state.firstSortColumn)) {
    dialogs.message("The First Sort Variable should be non-numeric");
    return;
  }
  tab.state.secondSortPending = true;
  tab.state.secondSortOffered = true;
}

void secondSortEdited(AnalysisView& tab, Dialogs& dialogs) {
  if (sameChoice(tab)) return;
  const int col = tab.secondSortChoice.index;
  if (!tab.isText(col)) {
    dialogs.message("+The second sort only works on Non-Numeric Headings");
    return;
  }
  // Empty texts of the second-sort column sort and group as "blank".
  Grid& grid = tab.analysisGrid;
  for (int r = FirstFlockRow; r <= lastRow(grid); ++r) {
    if (grid.text(r, col).empty()) grid.setText(r, col, BlankText);
  }
  tab.state.secondSortOffered = true;
  tab.state.secondSortReady = true;
}

void startSecondSort(AnalysisView& tab, Dialogs& dialogs, CategoryWindow& window) {
  tab.state.secondSortReady = false;
  tab.state.secondSortPending = true;
  if (sameChoice(tab)) return;
  Grid& grid = tab.analysisGrid;
  const int col = tab.secondSortChoice.index;
  tab.state.secondSortColumn = col;
  grid.setRedraw(false);
  bool numeric = false;
  int start = FirstFlockRow;  // blocks start at the first flock row, never in the statistics
  for (const Category& block : tab.state.categories) {
    const int end = std::min(start + block.rowCount - 1, lastRow(grid));
    if (end < start) break;
    numeric = numeric || tab.state.flockRows.numberAt(end, col).has_value();
    grid.select(CellRange{start, col, end, col});
    tab.state.flockRows.sortRows(grid, start, end, col, numeric ? SortOrder::NumericAscending : SortOrder::TextAscending);
    start = end + 1;
  }
  grid.setRedraw(true);
  loadCategoryWindow(tab, dialogs, window);
}

void clearSecondSort(AnalysisView& tab) {
  tab.secondSortChoice.index = -1;
  tab.secondSortChoice.text = SecondSortCaption;
}

}  // namespace plumetra
