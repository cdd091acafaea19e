#include "analysis/analysis_summary.h"

#include "analysis/flock_order.h"
#include "analysis/split_flocks.h"
#include "analysis/mean_sd.h"
#include "analysis/split_statistics.h"
#include "controls/number_format.h"
#include "workspace/flock_selection.h"

namespace plumetra {

namespace {

constexpr std::array<const char*, 4> GroupNames{"Low", "Middle", "High", "All"};

// "Oak Hollow, house 3": the flock's farm and house wherever their columns stand; the flock's
// row of the flock table when no house is known.
std::string flockName(const Workspace& ws, int flockGridRow) {
  const FlockKey key = flockKeyAtRow(ws, flockGridRow);
  const std::string farm = key.farm.empty() ? "" : key.farm + ", ";
  return farm + (key.house.empty() ? "row " + std::to_string(flockGridRow) : "house " + key.house);
}

std::string meanText(const std::optional<MeanSdResult>& stats) { return stats ? formatNum(stats->mean) : ""; }

GroupDifference lowAgainstHigh(const GroupStats& stats, int df) {
  GroupDifference d;
  const auto& low = stats[0];
  const auto& high = stats[2];
  if (!low || !high) return d;
  d.lowMean = formatNum(low->mean);
  d.highMean = formatNum(high->mean);
  d.difference = formatNum(low->mean - high->mean);
  if (const auto t = separateVarianceT(low->mean, low->sd, low->n, high->mean, high->sd, high->n)) {
    d.t = formatNum(*t);
    static constexpr std::array<const char*, 3> verdicts{"not significant", "p < 0.1", "p < 0.05"};
    d.significance = verdicts[static_cast<std::size_t>(significanceOf(*t, df))];
  }
  return d;
}

// `df` as the grid's "Low & High" pair.
void summariseStatistics(const GroupStats& weight, const GroupStats& age, const GroupStats& conversion, int df,
                         AnalysisSummary& summary) {
  for (std::size_t g = 0; g < 4; ++g)
    summary.groups.push_back({GroupNames[g], conversion[g] ? conversion[g]->n : 0, meanText(weight[g]),
                              meanText(age[g]), meanText(conversion[g])});
  summary.conversion = lowAgainstHigh(conversion, df);
  summary.weight = lowAgainstHigh(weight, df);
}

// The groups of the feed-conversion split, from the typed flocks.
void summariseSplit(const SplitFlocks& split, AnalysisSummary& summary) {
  summariseStatistics(splitFlockStatistics(split, &SplitFlock::liveWeight), splitFlockStatistics(split, &SplitFlock::age),
                      splitFlockStatistics(split, &SplitFlock::feedConversion), split.sizes[1] + split.sizes[3], summary);
}

// The typed flocks of the flock rows the grid shows from row FirstFlockRow + first on, `count`
// of them, in the view's order; a row whose flock is not in the split is passed over.
std::vector<const SplitFlock*> flocksInView(const FlockRows& rows, const SplitFlocks& split, int first, int count) {
  std::vector<const SplitFlock*> byNumber;
  for (const SplitFlock& f : split.flocks) {
    if (f.flock >= static_cast<int>(byNumber.size())) byNumber.resize(static_cast<std::size_t>(f.flock) + 1);
    byNumber[static_cast<std::size_t>(f.flock)] = &f;
  }
  const std::vector<int> order = rows.flocksShown(first + count);
  std::vector<const SplitFlock*> shown;
  for (int i = std::max(first, 0); i < std::min(first + count, static_cast<int>(order.size())); ++i) {
    const int flock = order[static_cast<std::size_t>(i)];
    if (flock >= 1 && flock < static_cast<int>(byNumber.size()) && byNumber[static_cast<std::size_t>(flock)])
      shown.push_back(byNumber[static_cast<std::size_t>(flock)]);
  }
  return shown;
}

std::optional<MeanSdResult> statisticsOf(const std::vector<const SplitFlock*>& flocks, double SplitFlock::*value) {
  std::vector<double> values;
  for (const SplitFlock* f : flocks) values.push_back(f->*value);
  return meanSdOf(values);
}

// The groups of a sort by another numeric column: the view's first, middle and last blocks of
// flocks, with each flock's recorded values in the summary's units.
void summariseSortedView(const AnalysisState& st, const SplitFlocks& split,
                         AnalysisSummary& summary) {
  const std::array<int, 4> sizes{st.groupCount[1], st.groupCount[2], st.groupCount[3], st.groupCount[4]};
  const std::array<int, 4> starts{0, sizes[0], sizes[0] + sizes[1], 0};
  std::array<std::vector<const SplitFlock*>, 4> groups;
  for (std::size_t g = 0; g < 4; ++g) groups[g] = flocksInView(st.flockRows, split, starts[g], sizes[g]);
  const auto statistics = [&](double SplitFlock::*value) {
    GroupStats stats;
    for (std::size_t g = 0; g < 4; ++g) stats[g] = statisticsOf(groups[g], value);
    return stats;
  };
  summariseStatistics(statistics(&SplitFlock::liveWeight), statistics(&SplitFlock::age),
                      statistics(&SplitFlock::feedConversion), sizes[0] + sizes[2], summary);
}

// The categories of a text sort, each with the recorded values of its flocks.
void summariseCategories(const AnalysisState& st, const SplitFlocks& split,
                         AnalysisSummary& summary) {
  for (const Category& c : st.categories) {
    const auto flocks = flocksInView(st.flockRows, split, c.startRow - FirstFlockRow, c.rowCount);
    summary.groups.push_back({c.name.empty() ? "Blank" : c.name, c.rowCount,
                              meanText(statisticsOf(flocks, &SplitFlock::liveWeight)),
                              meanText(statisticsOf(flocks, &SplitFlock::age)),
                              meanText(statisticsOf(flocks, &SplitFlock::feedConversion))});
  }
}

}  // namespace

std::vector<FlockNote> outlierNotes(const Workspace& ws, const AnalysisResult& result) {
  std::vector<FlockNote> notes;
  const int fc = ws.flockCol[ItemFeedConversion];
  for (int flock : result.outliers) {
    const int row = flockGridRow(ws, flock);
    notes.push_back({flockName(ws, row), ws.flockGrid.text(row, fc)});
  }
  return notes;
}

std::vector<FlockNote> leftOutFlocks(const Workspace& ws) {
  std::vector<FlockNote> notes;
  for (const LeftOutFlock& flock : ws.leftOutFlocks)
    notes.push_back({flockName(ws, flock.row), flock.reason});
  return notes;
}

void summariseGroups(const Workspace& ws, const AnalysisState& st, const AnalysisResult& result,
                     AnalysisSummary& summary) {
  const int sortCol = st.firstSortColumn;
  summary.sortHeading = ws.analysisGrid.text(0, sortCol);
  summary.sortedByConversion = sortCol == ws.flockCol[ItemFeedConversion];
  const auto percent = [&](int g) { return generalNumber(st.splitPercent[static_cast<std::size_t>(g)]); };
  summary.splitText = percent(1) + " / " + percent(2) + " / " + percent(3);
  summary.groups.clear();
  if (summary.textFirstSort)
    summariseCategories(st, result.split, summary);
  else if (summary.sortedByConversion)
    summariseSplit(result.split, summary);
  else
    summariseSortedView(st, result.split, summary);
}

}  // namespace plumetra
