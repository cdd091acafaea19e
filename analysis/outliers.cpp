#include "analysis/outliers.h"

#include "analysis/analysis_colours.h"
#include "analysis/correlations.h"
#include "analysis/split_checks.h"
#include "analysis/sorting.h"
#include "analysis/split_statistics.h"
#include "controls/number_format.h"

#include <algorithm>
#include <cmath>

namespace plumetra {

namespace {

namespace ac = analysis_colours;

constexpr int LastGapScanned = 10;
constexpr double GapFactor = 3.0;
constexpr int ScrollRowsAboveEnd = 20;

int flockRows(const Grid& grid) { return std::max(grid.rows() - FirstFlockRow, 0); }

void searchOutliers(AnalysisView& tab) {
  Grid& grid = tab.analysisGrid;
  const int fc = tab.columns.feedConversion;
  // Whatever its heading, the matched feed-conversion column is the one searched.
  if (tab.firstSortChoice.index != fc || flockRows(grid) < MinOutlierSearchFlocks) return;
  const int count = countOutliers(tab.state.flockRows.knownNumbers(fc, FirstFlockRow, grid.rows() - 1));
  if (count == 0) return;

  const int last = grid.rows() - 1;
  const std::vector<int> flocks = tab.state.flockRows.flocksShown(flockRows(grid));
  tab.state.outlierFlocks.assign(flocks.end() - std::min<std::ptrdiff_t>(count, std::ssize(flocks)), flocks.end());
  for (int r = last; r > last - count; --r) {
    const int flockRow = tab.flockGridRow(flocks[static_cast<std::size_t>(r - FirstFlockRow)]);
    if (flockRow >= 1 && flockRow < tab.flockGrid.rows())
      tab.flockGrid.setBackground(flockRow, 0, ac::Outlier);
    grid.setBackground(r, fc, ac::Outlier);
    grid.setBackground(r, 0, ac::Outlier);
  }
  tab.state.analysisGridScroll = {std::max(grid.rows() - ScrollRowsAboveEnd, 0), std::max(fc - 2, 0)};
  tab.state.outlierCount = count;
  tab.state.outliersOffered = true;
}

void askToRemoveOutliers(AnalysisView& tab, Dialogs& dialogs) {
  const AnalysisState& st = tab.state;
  double answer = 0.0;
  if (dialogs.yesNo("Found " + numberText(st.outlierCount) +
                    "  Outliers  - Shall we Remove Some or All of them ?  Enter Zero to leave them.")) {
    const auto text = dialogs.input("How Many Outliers do you want to remove?", "Outlier Choice",
                                    numberText(st.outlierCount));
    answer = text ? readNumber(*text) : 0.0;
  }
  const double flocks = flockRows(tab.analysisGrid);
  const int n = static_cast<int>(std::clamp(roundHalfEven(answer), 0.0, flocks));
  if (n > 0) {
    if (auto problem = outlierRemovalProblem(n, st.outlierCount, st.splitFlockCount, st.splitPercent)) {
      dialogs.message(*problem);  // the highlights stay, so the question can be answered again
      return;
    }
  }
  removeOutliers(tab, n, dialogs);
}

}  // namespace

int countOutliers(const std::vector<double>& values) {
  if (static_cast<int>(values.size()) < MinOutlierSearchFlocks) return 0;
  // Grid row r is values[r - 22].
  const auto v = [&](int row) { return values[static_cast<std::size_t>(row - FirstFlockRow)]; };
  double step = v(23) - v(22);
  for (int r = 28; r <= 35; ++r) step += v(r) - v(r - 1);
  const double meanStep = step / 9.0;
  const int last = FirstFlockRow + static_cast<int>(values.size()) - 1;
  for (int k = LastGapScanned; k >= 0; --k) {
    if (v(last - k) - v(last - k - 1) > GapFactor * meanStep) return k + 1;
  }
  return 0;
}

void removeOutliers(AnalysisView& tab, int n, Dialogs& dialogs) {
  AnalysisState& st = tab.state;
  Grid& grid = tab.analysisGrid;
  n = std::clamp(n, 0, std::min(st.outlierCount, flockRows(grid)));
  if (n > 0) {
    st.outlierCount -= n;  // those not removed stay highlighted at the end
    st.outlierFlocks.resize(static_cast<std::size_t>(std::max(st.outlierCount, 0)));
    st.splitFlockCount = std::max(st.splitFlockCount - n, 0);
    st.splitCounted = true;
    grid.setRows(grid.rows() - n);
    tab.firstSortChoice.choose(tab.columns.feedConversion);
    bubbleSort(tab, dialogs);
    splitStatistics(tab);
    writeSortCaption(grid, tab.firstSortChoice.text);
    loadCorrelations(tab, st.splitFlockCount, dialogs);
  } else {
    const int last = grid.rows() - 1;
    for (int r = last; r > last - st.outlierCount && r >= FirstFlockRow; --r) {
      grid.setBackground(r, tab.columns.feedConversion, colours::Window);
      grid.setBackground(r, 0, colours::Window);
    }
    st.outlierCount = 0;
    st.outlierFlocks.clear();
  }
  st.analysisGridScroll = {};
}

void findOutliers(AnalysisView& tab, Dialogs& dialogs) {
  if (tab.state.outliersOffered) {
    askToRemoveOutliers(tab, dialogs);
  } else {
    searchOutliers(tab);
  }
}

}  // namespace plumetra
