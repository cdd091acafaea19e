#include "analysis/split_statistics.h"

#include "analysis/analysis_colours.h"
#include "analysis/mean_sd.h"
#include "analysis/t_tables.h"
#include "controls/number_format.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace plumetra {

namespace {

namespace ac = analysis_colours;

constexpr int SummaryCaptionCol = 2, SummaryLabelCol = 4, SummaryValueCol = 5;
constexpr int FirstMeanRow = 11;  // rows 11/12 first group, 13/14 middle, 15/16 last, 17/18 all
constexpr int AllMeanRow = 17;
constexpr int FirstTRow = 19;     // rows 19-21: pairs 1-3
constexpr int CritCol10 = 3, CritCol05 = 4;
constexpr int CriticalColWidth = 1400;
constexpr int TRowHeight = 420;
// A group variance below this gives the column no t values.
constexpr double MinGroupVariance = 0.0001;

int meanRow(int group) { return 9 + 2 * group; }

void writeMeanSd(Grid& grid, int col, int group, const std::optional<MeanSdResult>& result) {
  grid.setText(meanRow(group), col, result ? FormatNum(result->mean) : std::string{});
  grid.setText(meanRow(group) + 1, col, result ? FormatNum(result->sd) : std::string{});
}

// Means and standard deviations of one column, per group and overall; each column's cells
// are read once.
void columnStatistics(AnalysisView& tab, int col, const GroupSizes& sizes) {
  Grid& grid = tab.analysisGrid;
  const std::vector<double> values =
      columnValues(grid, col, FirstFlockRow, LastStatisticsRow + sizes.all);
  const std::span<const double> all(values);
  const std::array<int, 3> groupSize{sizes.first, sizes.middle, sizes.last};
  int start = 0;
  for (int g = 1; g <= 3; ++g) {
    const int n = groupSize[static_cast<std::size_t>(g - 1)];
    auto result = meanSdOf(all.subspan(static_cast<std::size_t>(start), static_cast<std::size_t>(n)));
    if (result) storeMeanSd(tab.state.ColumnStats, col, *result);
    writeMeanSd(grid, col, g, result);
    start += n;
  }
  auto overall = meanSdOf(all);
  writeMeanSd(grid, col, 4, overall);
  if (overall) {
    storeMeanSd(tab.state.ColumnStats, col, *overall);
    tab.state.ColumnStats.set(col, 1, 1, overall->mean);
    tab.state.ColumnStats.set(col, 1, 2, overall->sd);
  }
}

void writeSummaryBlock(Grid& grid, const SplitColumns& cols) {
  grid.setText(1, SummaryCaptionCol, "   Low Ave. ");
  grid.setText(4, SummaryCaptionCol, "   Mid Ave. ");
  grid.setText(7, SummaryCaptionCol, "   High Ave. ");
  for (int g = 0; g < 3; ++g) {
    const int top = 1 + 3 * g;
    grid.setText(top, SummaryLabelCol, g == 1 ? "    Live Wt.    " : "   Live Wt.    ");
    grid.setText(top + 1, SummaryLabelCol, "   Age ");
    grid.setText(top + 2, SummaryLabelCol, "   Feed/Gain   ");
    const int source = meanRow(g + 1);
    // Copies of the texts just written (a copy of a cell itself first, then the others).
    const std::string weight = grid.text(source, cols.liveWeight);
    const std::string age = grid.text(source, cols.age);
    const std::string conversion = grid.text(source, cols.feedConversion);
    grid.setText(top, SummaryValueCol, weight);
    grid.setText(top + 1, SummaryValueCol, age);
    grid.setText(top + 2, SummaryValueCol, conversion);
  }
}

void writeRowCaptions(Grid& grid) {
  static constexpr std::array<const char*, 8> captions{
      "Lowest % Average", "Std Dev", "Mid % Average",   "Std Dev",
      "Highest % Average", "Std Dev", "Overall Average", "Std Dev"};
  for (int i = 0; i < 8; ++i) grid.setText(FirstMeanRow + i, 1, captions[static_cast<std::size_t>(i)]);
}

// Two-sample t statistics with separate variances, first minus second group.
void writeTStatistics(Grid& grid, const GroupSizes& sizes) {
  const std::array<int, 3> n{sizes.first, sizes.middle, sizes.last};
  if (n[0] <= 0 || n[1] <= 0 || n[2] <= 0) return;  // an empty group has no comparison
  for (int c = 3; c < grid.cols(); ++c) {
    if (!(grid.value(FirstMeanRow, c) > 0.0)) continue;
    std::array<double, 3> mean{}, variance{};
    bool tooSmall = false;
    for (std::size_t g = 0; g < 3; ++g) {
      const int row = FirstMeanRow + 2 * static_cast<int>(g);
      mean[g] = grid.value(row, c);
      const double sd = grid.value(row + 1, c);
      variance[g] = sd * sd / n[g];
      tooSmall = tooSmall || variance[g] < MinGroupVariance;
    }
    if (tooSmall) continue;
    const auto t = [&](std::size_t a, std::size_t b) {
      return FormatNum((mean[a] - mean[b]) / std::sqrt(variance[a] + variance[b]));
    };
    grid.setText(FirstTRow, c, t(0, 1));
    grid.setText(FirstTRow + 1, c, t(1, 2));
    grid.setText(FirstTRow + 2, c, t(0, 2));
  }
}

}  // namespace

GroupSizes splitGroupSizes(int flocks, const std::array<double, 4>& splitPercent) {
  GroupSizes sizes;
  sizes.all = std::max(flocks, 0);
  const double n = sizes.all;
  sizes.first = static_cast<int>(std::clamp(roundHalfEven(n * splitPercent[1] / 100.0), 0.0, n));
  sizes.last = static_cast<int>(
      std::clamp(std::floor(n * splitPercent[3] / 100.0), 0.0, n - sizes.first));
  sizes.middle = sizes.all - sizes.first - sizes.last;
  return sizes;
}

void SplitStatistics(AnalysisView& tab) {
  Grid& grid = tab.analysisGrid;
  AnalysisState& st = tab.state;
  if (st.SplitFlockCount == 0 && !st.SplitCounted)
    st.SplitFlockCount = std::max(tab.flockGrid.rows() - 1, 0);
  const GroupSizes sizes = splitGroupSizes(st.SplitFlockCount, st.SplitPercent);
  st.GroupCount = {0, sizes.first, sizes.middle, sizes.last, sizes.all};

  grid.setText(9, 1, "Sorted by");
  grid.setText(10, 1, tab.firstSortChoice.text);
  const std::array<int, 4> groupN{sizes.first, sizes.middle, sizes.last, sizes.all};
  for (int g = 1; g <= 4; ++g)
    grid.setText(meanRow(g), 2, "N = " + numberText(groupN[static_cast<std::size_t>(g - 1)]));

  grid.setColWidth(CritCol10, CriticalColWidth);
  grid.setText(20, 1, "P val 0.1");
  grid.setText(19, 1, "P val 0.05");
  grid.setText(19, 2, "Lower & Medium");
  grid.setText(20, 2, "Medium & Higher");
  grid.setText(21, 2, "Lower & Higher");
  grid.setBackground(19, 1, ac::Significant05);
  grid.setBackground(20, 1, ac::Significant10);

  grid.setRows(sizes.all + FirstFlockRow);

  for (int c = 1; c <= grid.cols() - 3; ++c) {
    if (tab.isText(c)) continue;
    columnStatistics(tab, c, sizes);
  }
  writeSummaryBlock(grid, tab.columns);
  writeRowCaptions(grid);
  writeTStatistics(grid, sizes);
  ColourSplitTable(tab);
  MarkTValues(tab);
}

void ColourSplitTable(AnalysisView& tab) {
  Grid& grid = tab.analysisGrid;
  grid.setBackground(CellRange{1, SummaryValueCol, 3, SummaryValueCol}, ac::FirstGroup);
  grid.setBackground(CellRange{4, SummaryValueCol, 6, SummaryValueCol}, ac::MiddleGroup);
  grid.setBackground(CellRange{7, SummaryValueCol, 9, SummaryValueCol}, ac::LastGroup);
  for (int c = 1; c < grid.cols(); ++c) {
    if (c > 1 && tab.isText(c)) continue;
    grid.setBackground(FirstMeanRow, c, ac::FirstGroup);
    grid.setBackground(FirstMeanRow + 2, c, ac::MiddleGroup);
    grid.setBackground(FirstMeanRow + 4, c, ac::LastGroup);
    grid.setBackground(AllMeanRow, c, ac::AllFlocks);
  }
  grid.setCurrent(0, 0);
}

void MarkTValues(AnalysisView& tab) {
  Grid& grid = tab.analysisGrid;
  const auto& n = tab.state.GroupCount;
  const std::array<int, 3> df{n[1] + n[2], n[2] + n[3], n[1] + n[3]};
  for (int i = 0; i < 3; ++i) {
    const int row = FirstTRow + i;
    const double c10 = TCritical(TLevel10, df[static_cast<std::size_t>(i)]);
    const double c05 = TCritical(TLevel05, df[static_cast<std::size_t>(i)]);
    grid.setText(row, CritCol10, numberText(c10));
    grid.setText(row, CritCol05, numberText(c05));
    for (int c = CritCol05; c < grid.cols(); ++c) {
      if (tab.isText(c)) continue;
      const double t = std::fabs(grid.value(row, c));
      grid.setBackground(row, c, t > c05   ? ac::Significant05
                                 : t > c10 ? ac::Significant10
                                           : colours::ButtonFace);
    }
    // The critical values wear the colour of their level, as the legend in column 1 does.
    grid.setBackground(row, CritCol10, ac::Significant10);
    grid.setBackground(row, CritCol05, ac::Significant05);
  }
  grid.setRowHeight(FirstTRow, TRowHeight);
  grid.setRowHeight(FirstTRow + 2, TRowHeight);
}

}  // namespace plumetra
