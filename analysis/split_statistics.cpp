#include "analysis/split_statistics.h"

#include "analysis/analysis_colours.h"
#include "analysis/mean_sd.h"
#include "analysis/t_tables.h"
#include "controls/number_format.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace plumetra {

namespace {

namespace ac = analysis_colours;

constexpr int SummaryCaptionCol = 2, SummaryLabelCol = 4, SummaryValueCol = 5;
constexpr int PairCaptionCol = 2;
constexpr int FirstMeanRow = 11;  // rows 11/12 first group, 13/14 middle, 15/16 last, 17/18 all
constexpr int AllMeanRow = 17;
constexpr int FirstTColumn = 3;   // columns 1 and 2 carry the legend and the pair captions
constexpr int Col3Width = 1400;
constexpr int PairCaptionWidth = 2900;  // fits "Middle & High  (1.81 / 2.23)"
constexpr int TRowHeight = 420;
constexpr std::array<const char*, 3> PairNames{"Low & Middle", "Middle & High", "Low & High"};

int meanRow(int group) { return 9 + 2 * group; }

int pairDf(const GroupSizes& sizes, int pair) {
  const std::array<int, 4> n{0, sizes.first, sizes.middle, sizes.last};
  const auto& [a, b] = GroupPairs[static_cast<std::size_t>(pair)];
  return n[static_cast<std::size_t>(a)] + n[static_cast<std::size_t>(b)];
}

void writeMeanSd(Grid& grid, int col, int group, const std::optional<MeanSdResult>& result) {
  grid.setText(meanRow(group), col, result ? formatNum(result->mean) : std::string{});
  grid.setText(meanRow(group) + 1, col, result && result->sd ? formatNum(*result->sd) : std::string{});
}

// Means and standard deviations of one column, per group and overall. Only the overall
// statistics go to the cache (zeros for a column without numbers, so nothing earlier stays).
GroupStats columnStatistics(AnalysisView& tab, int col, const GroupSizes& sizes) {
  const GroupStats stats = splitColumnStatistics(tab.state.flockRows, col, sizes);
  for (int g = 1; g <= 4; ++g) writeMeanSd(tab.analysisGrid, col, g, stats[static_cast<std::size_t>(g - 1)]);
  const MeanSdResult overall = stats[3].value_or(MeanSdResult{});
  storeMeanSd(tab.state.columnStats, col, overall);
  tab.state.columnStats.set(col, 1, 1, overall.mean);
  tab.state.columnStats.set(col, 1, 2, overall.sd.value_or(0.0));
  return stats;
}

// The mean live weight per bird of grid rows first..last, in kg when the run converted it.
std::string meanLiveWeight(const AnalysisView& tab, int first, int last) {
  const std::vector<double>& kg = tab.state.liveWeightKg;
  std::vector<double> weights;
  for (int row = first; row <= last; ++row) {
    const int flock = tab.state.flockRows.flockAt(row);
    if (flock >= 1 && static_cast<std::size_t>(flock) <= kg.size())
      weights.push_back(kg[static_cast<std::size_t>(flock - 1)]);
    else if (auto shown = tab.state.flockRows.numberAt(row, tab.columns.liveWeight))
      weights.push_back(*shown);
  }
  const auto stats = meanSdOf(weights);
  return stats ? formatNum(stats->mean) : std::string{};
}

void writeSummaryBlock(AnalysisView& tab, const GroupSizes& sizes) {
  Grid& grid = tab.analysisGrid;
  const SplitColumns& cols = tab.columns;
  const std::array<int, 3> groupSize{sizes.first, sizes.middle, sizes.last};
  int firstRow = FirstFlockRow;
  grid.setText(1, SummaryCaptionCol, "   Low Ave. ");
  grid.setText(4, SummaryCaptionCol, "   Middle Ave. ");
  grid.setText(7, SummaryCaptionCol, "   High Ave. ");
  for (int g = 0; g < 3; ++g) {
    const int top = 1 + 3 * g;
    grid.setText(top, SummaryLabelCol, g == 1 ? "    Live Wt.    " : "   Live Wt.    ");
    grid.setText(top + 1, SummaryLabelCol, "   Age ");
    grid.setText(top + 2, SummaryLabelCol, "   Feed/Gain   ");
    const int source = meanRow(g + 1);
    const int lastRow = firstRow + groupSize[static_cast<std::size_t>(g)] - 1;
    const std::string weight = meanLiveWeight(tab, firstRow, lastRow);
    firstRow = lastRow + 1;
    // The age and the feed conversion repeat their columns' group means just written.
    const std::string age = grid.text(source, cols.age);
    const std::string conversion = grid.text(source, cols.feedConversion);
    grid.setText(top, SummaryValueCol, weight);
    grid.setText(top + 1, SummaryValueCol, age);
    grid.setText(top + 2, SummaryValueCol, conversion);
  }
}

void writeRowCaptions(Grid& grid) {
  static constexpr std::array<const char*, 8> captions{
      "Low Average",  "Std Dev", "Middle Average",  "Std Dev",
      "High Average", "Std Dev", "Overall Average", "Std Dev"};
  for (int i = 0; i < 8; ++i) grid.setText(FirstMeanRow + i, 1, captions[static_cast<std::size_t>(i)]);
}

void writePairCaptions(Grid& grid, const GroupSizes& sizes) {
  grid.setText(20, 1, "P val 0.1");
  grid.setText(19, 1, "P val 0.05");
  grid.setBackground(19, 1, ac::Significant05);
  grid.setBackground(20, 1, ac::Significant10);
  for (int pair = 0; pair < 3; ++pair) grid.setText(FirstTRow + pair, PairCaptionCol, pairCaption(pair, pairDf(sizes, pair)));
  grid.setColWidth(PairCaptionCol, std::max(grid.colWidth(PairCaptionCol), PairCaptionWidth));
  grid.setColWidth(FirstTColumn, Col3Width);
}

// Rows 19-21 from column 3 on hold only this sort's t values: rows 19 and 20 are emptied,
// row 21 gets the column headings back (it doubles as the heading row of the flock block).
void clearTCells(Grid& grid) {
  for (int c = FirstTColumn; c < grid.cols(); ++c) {
    grid.setText(FirstTRow, c, "");
    grid.setText(FirstTRow + 1, c, "");
    grid.setText(FirstTRow + 2, c, grid.text(0, c));
    for (int row = FirstTRow; row < FirstTRow + 3; ++row) grid.setBackground(row, c, colours::Window);
  }
}

void writeTStatistics(Grid& grid, int col, const GroupStats& stats, const GroupSizes& sizes) {
  for (int pair = 0; pair < 3; ++pair) {
    const auto& [a, b] = GroupPairs[static_cast<std::size_t>(pair)];
    const auto& sa = stats[static_cast<std::size_t>(a - 1)];
    const auto& sb = stats[static_cast<std::size_t>(b - 1)];
    if (!sa || !sb) continue;
    const auto t = separateVarianceT(sa->mean, sa->sd, sa->n, sb->mean, sb->sd, sb->n);
    if (!t) continue;
    grid.setText(FirstTRow + pair, col, formatNum(*t));
    grid.setBackground(FirstTRow + pair, col, significanceColour(*t, pairDf(sizes, pair)));
  }
}

void colourSplitTable(AnalysisView& tab) {
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

GroupStats splitColumnStatistics(const FlockRows& rows, int col, const GroupSizes& sizes) {
  GroupStats stats;
  const int lastRow = LastStatisticsRow + sizes.all;
  if (!rows.anyKnown(col, FirstFlockRow, lastRow)) return stats;
  const std::array<int, 3> groupSize{sizes.first, sizes.middle, sizes.last};
  int start = FirstFlockRow;
  for (std::size_t g = 0; g < 3; ++g) {
    const int end = std::min(start + groupSize[g], lastRow + 1);
    stats[g] = meanSdOf(rows.knownNumbers(col, start, end - 1));
    start = end;
  }
  stats[3] = meanSdOf(rows.knownNumbers(col, FirstFlockRow, lastRow));
  return stats;
}

GroupStats splitFlockStatistics(const SplitFlocks& split, double SplitFlock::*value) {
  GroupStats stats;
  for (int g = 1; g <= AllGroups; ++g)
    stats[static_cast<std::size_t>(g - 1)] = groupStatistics(split, g, [value](const SplitFlock& f) { return f.*value; });
  return stats;
}

std::optional<double> separateVarianceT(double meanA, std::optional<double> sdA, int nA, double meanB,
                                        std::optional<double> sdB, int nB) {
  if (!sdA || !sdB || nA < 2 || nB < 2) return std::nullopt;
  const double spread = *sdA * *sdA / nA + *sdB * *sdB / nB;
  if (!(spread > 0.0)) return std::nullopt;
  return (meanA - meanB) / std::sqrt(spread);
}

Significance significanceOf(double t, int df) {
  const double magnitude = std::fabs(t);
  if (magnitude > tCritical(TLevel05, df)) return Significance::Level05;
  if (magnitude > tCritical(TLevel10, df)) return Significance::Level10;
  return Significance::None;
}

Rgb significanceColour(double t, int df) {
  switch (significanceOf(t, df)) {
    case Significance::Level05: return ac::Significant05;
    case Significance::Level10: return ac::Significant10;
    case Significance::None: break;
  }
  return colours::ButtonFace;
}

std::string pairCaption(int pair, int df) {
  return std::string(PairNames[static_cast<std::size_t>(pair)]) + "  (" +
         formatPattern(tCritical(TLevel10, df), "0.00") + " / " + formatPattern(tCritical(TLevel05, df), "0.00") + ")";
}

void splitStatistics(AnalysisView& tab) {
  Grid& grid = tab.analysisGrid;
  AnalysisState& st = tab.state;
  if (st.splitFlockCount == 0 && !st.splitCounted)
    st.splitFlockCount = std::max(tab.flockGrid.rows() - 1, 0);
  const GroupSizes sizes = splitGroupSizes(st.splitFlockCount, st.splitPercent);
  st.groupCount = {0, sizes.first, sizes.middle, sizes.last, sizes.all};
  if (st.firstSortColumn == tab.columns.feedConversion)
    st.feedConversionSplit = {st.flockRows.flocksShown(sizes.all), {0, sizes.first, sizes.middle, sizes.last}};

  grid.setText(9, 1, "Sorted by");
  grid.setText(10, 1, tab.firstSortChoice.text);
  const std::array<int, 4> groupN{sizes.first, sizes.middle, sizes.last, sizes.all};
  for (int g = 1; g <= 4; ++g)
    grid.setText(meanRow(g), 2, "N = " + numberText(groupN[static_cast<std::size_t>(g - 1)]));
  writePairCaptions(grid, sizes);
  grid.setRows(sizes.all + FirstFlockRow);
  clearTCells(grid);

  std::vector<std::pair<int, GroupStats>> columns;
  for (int c = 1; c <= grid.cols() - 3; ++c) {
    if (tab.isText(c)) continue;
    columns.emplace_back(c, columnStatistics(tab, c, sizes));
  }
  writeSummaryBlock(tab, sizes);
  writeRowCaptions(grid);
  for (const auto& [c, stats] : columns)
    if (c >= FirstTColumn) writeTStatistics(grid, c, stats, sizes);
  colourSplitTable(tab);
  grid.setRowHeight(FirstTRow, TRowHeight);
  grid.setRowHeight(FirstTRow + 2, TRowHeight);
}

}  // namespace plumetra
