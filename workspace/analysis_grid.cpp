#include "workspace/analysis_grid.h"

#include <algorithm>

#include "workspace/flock_selection.h"

namespace plumetra {

namespace {

constexpr int StatisticsRowsAbove = 22;  // analysis rows = flock-grid rows + 22
constexpr int RowsBelowFlocks = 24;      // final rows = flockCount + 24
constexpr int ClearedFlagColumns = 13;
constexpr int ColumnWidth = 1000, FirstColumnWidth = 800, HeadingRowHeight = 400;
constexpr char GridTip[] =
    "These data are corrected for feed intake and stored in file ending in Eval.txt";

struct RowCaption {
  int row;
  const char* text;
};
constexpr RowCaption StatisticsCaptions[] = {
    {11, "Low Average"},  {12, "Std Dev"}, {13, "Middle Average"},  {14, "Std Dev"},
    {15, "High Average"}, {16, "Std Dev"}, {17, "Overall Average"}, {18, "Std Dev"}};

// Flock-grid column of the prediction columns' anchor: the last column with a heading.
int lastHeadedColumn(const Grid& grid) {
  for (int c = grid.cols() - 1; c >= 0; --c)
    if (!grid.text(0, c).empty()) return c;
  return 0;
}

}  // namespace

void buildAnalysisGrid(Workspace& ws) {
  const Grid& flock = ws.flockGrid;
  const int extra = ws.modelSkipped ? 0 : NewGridExtraCols;

  Grid anal;
  // The run widens and lengthens the grid (a cost column, the predictions and intakes, a
  // spare row): room for that is made now, so the cells are laid out once.
  anal.reserve(flock.rows() + ExtraAnalysisRows + 1, flock.cols() + 1 + ExtraAnalysisCols);
  anal.resize(flock.rows() + StatisticsRowsAbove, flock.cols() + extra);
  anal.setFixedRows(ws.analysisGrid.fixedRows());
  anal.setFixedCols(ws.analysisGrid.fixedCols());
  // The headings go to row 21 and flock r of the data set (its analysed row, once a run has
  // left flocks out) to row r + 21.
  for (int r = 0; r <= ws.flockCount; ++r) {
    const int source = r == 0 ? 0 : flockGridRow(ws, r);
    for (int c = 0; c < flock.cols(); ++c)
      if (const std::string& t = flock.text(source, c); !t.empty()) anal.setText(r + FlockHeaderRow, c, t);
  }
  for (int c = 0; c < flock.cols(); ++c) anal.setText(0, c, flock.text(0, c));
  for (const RowCaption& caption : StatisticsCaptions) anal.setText(caption.row, 1, caption.text);

  for (int c = 0; c < anal.cols(); ++c) anal.setColWidth(c, ColumnWidth);
  anal.setColWidth(0, FirstColumnWidth);
  anal.setRowHeight(0, HeadingRowHeight);
  anal.setToolTip(GridTip);
  anal.setRows(ws.flockCount + RowsBelowFlocks);

  const int firstCleared = std::max(flock.cols() - 1, 0);
  for (int c = firstCleared; c < firstCleared + ClearedFlagColumns && c < NonNumericEntries; ++c)
    ws.nonNumeric[static_cast<size_t>(c)] = 0;
  calcNames(ws);

  if (!ws.modelSkipped) {
    const int last = lastHeadedColumn(flock);
    for (int k = 0; k < PredictionColumns; ++k) {
      const PredictionColumn& p = PredictionLayout[k];
      const int col = last + 1 + k;
      anal.setText(0, col, ws.itemHeader[static_cast<size_t>(p.headerEntry)]);
      ws.farmOrder[static_cast<size_t>(p.item)][4] = static_cast<std::int16_t>(col);
    }
    ws.flockCol[12] = static_cast<std::int16_t>(last + 1);  // "Pred. WT."
    ws.flockCol[13] = static_cast<std::int16_t>(last + 3);  // "Pred. Convix"
    ws.flockCol[14] = static_cast<std::int16_t>(last + 5);  // "Pred. Age"
  }
  ws.analysisGrid = std::move(anal);
}

}  // namespace plumetra
