#include "analysis/analysis_summary.h"

#include "analysis/mean_sd.h"
#include "analysis/split_statistics.h"
#include "controls/number_format.h"

namespace plumetra {

namespace {

constexpr std::array<const char*, 4> GroupNames{"Low", "Middle", "High", "All"};

// "Oak Hollow, house 3": the first column's text when it is not the house, then the house;
// the flock's place in the flock table when no house is matched.
std::string flockName(const Workspace& ws, const Grid& grid, int row, int flockNumber) {
  const bool houseMatched = ws.FlockIdSet[ItemHouseId];
  const int houseCol = ws.FlockCol[ItemHouseId];
  std::string name;
  if ((!houseMatched || houseCol != 0) && !grid.text(row, 0).empty() && !grid.isNumber(row, 0))
    name = grid.text(row, 0) + ", ";
  if (houseMatched && !grid.text(row, houseCol).empty()) return name + "house " + grid.text(row, houseCol);
  return name + "flock " + std::to_string(flockNumber);
}

std::string meanText(const std::optional<MeanSdResult>& stats) { return stats ? FormatNum(stats->mean) : ""; }

GroupDifference lowAgainstHigh(const GroupStats& stats, int df) {
  GroupDifference d;
  const auto& low = stats[0];
  const auto& high = stats[2];
  if (!low || !high) return d;
  d.lowMean = FormatNum(low->mean);
  d.highMean = FormatNum(high->mean);
  d.difference = FormatNum(low->mean - high->mean);
  if (const auto t = separateVarianceT(low->mean, low->sd, low->n, high->mean, high->sd, high->n)) {
    d.t = FormatNum(*t);
    static constexpr std::array<const char*, 3> verdicts{"not significant", "p < 0.1", "p < 0.05"};
    d.significance = verdicts[static_cast<std::size_t>(significanceOf(*t, df))];
  }
  return d;
}

void summariseSplit(const Workspace& ws, const AnalysisState& st, AnalysisSummary& summary) {
  const Grid& grid = ws.analysisGrid;
  const GroupSizes sizes{st.GroupCount[1], st.GroupCount[2], st.GroupCount[3], st.GroupCount[4]};
  const GroupStats weight = splitColumnStatistics(grid, ws.FlockCol[ItemLiveWeight], sizes);
  const GroupStats age = splitColumnStatistics(grid, ws.FlockCol[ItemAge], sizes);
  const GroupStats conversion = splitColumnStatistics(grid, ws.FlockCol[ItemFeedConversion], sizes);
  for (std::size_t g = 0; g < 4; ++g)
    summary.groups.push_back({GroupNames[g], st.GroupCount[g + 1], meanText(weight[g]), meanText(age[g]),
                              meanText(conversion[g])});
  const int df = sizes.first + sizes.last;  // as the grid's "Lower & Higher" pair
  summary.conversion = lowAgainstHigh(conversion, df);
  summary.weight = lowAgainstHigh(weight, df);
}

void summariseCategories(const Workspace& ws, const AnalysisState& st, AnalysisSummary& summary) {
  const Grid& grid = ws.analysisGrid;
  const auto meanOver = [&](int col, const Category& c) {
    const std::vector<double> values = columnValues(grid, col, c.startRow, c.startRow + c.rowCount - 1);
    return meanText(meanSdOf(values));
  };
  for (const Category& c : st.Categories)
    summary.groups.push_back({c.name.empty() ? "Blank" : c.name, c.rowCount,
                              meanOver(ws.FlockCol[ItemLiveWeight], c), meanOver(ws.FlockCol[ItemAge], c),
                              meanOver(ws.FlockCol[ItemFeedConversion], c)});
}

}  // namespace

std::vector<FlockNote> outlierNotes(const Workspace& ws, const AnalysisState& st) {
  std::vector<FlockNote> notes;
  const Grid& grid = ws.analysisGrid;
  const int fc = ws.FlockCol[ItemFeedConversion];
  const int orderCol = grid.cols() - 2;
  const int last = FirstFlockRow + st.SplitFlockCount - 1;
  for (int r = std::max(last - st.OutlierCount + 1, FirstFlockRow); r <= last; ++r) {
    const int flock = static_cast<int>(roundHalfEven(grid.value(r, orderCol)));
    notes.push_back({flockName(ws, grid, r, flock), grid.text(r, fc)});
  }
  return notes;
}

std::vector<FlockNote> leftOutFlocks(const Workspace& ws, const AnalysisState& st) {
  std::vector<FlockNote> notes;
  const int first = st.SplitFlockCount + 1;
  for (int r = first; r <= ws.FlockCount; ++r)
    notes.push_back({flockName(ws, ws.flockGrid, r, r),
                     r == first ? "no live weight: the flock list ends here" : "after a flock without live weight"});
  return notes;
}

void summariseGroups(const Workspace& ws, const AnalysisState& st, AnalysisSummary& summary) {
  const int sortCol = st.FirstSortColumn;
  summary.sortHeading = ws.analysisGrid.text(0, sortCol);
  summary.sortedByConversion = sortCol == ws.FlockCol[ItemFeedConversion];
  const auto percent = [&](int g) { return generalNumber(st.SplitPercent[static_cast<std::size_t>(g)]); };
  summary.splitText = percent(1) + " / " + percent(2) + " / " + percent(3);
  summary.groups.clear();
  if (summary.textFirstSort)
    summariseCategories(ws, st, summary);
  else
    summariseSplit(ws, st, summary);
}

}  // namespace plumetra
