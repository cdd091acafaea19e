#include "analysis/split_flocks.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "model/flock_prediction.h"
#include "workspace/flock_selection.h"
#include "workspace/flock_sex.h"
#include "workspace/livability_columns.h"
#include "workspace/matching.h"

namespace plumetra {

namespace {

constexpr int DensityColumnField = 4;  // item-map field: the grid column read from

double tableValue(const Workspace& ws, int col, int flock) {
  return ws.flockData[static_cast<std::size_t>(col)][static_cast<std::size_t>(flock)];
}

bool headingHas(std::string heading, std::string_view word) {
  std::transform(heading.begin(), heading.end(), heading.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return heading.find(word) != std::string::npos;
}

bool namesADate(const std::string& heading) { return headingHas(heading, "date"); }

// The farm column: the leftmost headed text column that is not the house, one whose heading
// names the farm first (a contract grower's name may stand left of it); -1 when none.
int farmColumn(const Workspace& ws) {
  const int houseCol = ws.flockIdSet[ItemHouseId] ? ws.flockCol[ItemHouseId] : -1;
  const int cols = std::min(ws.flockGrid.cols(), NonNumericEntries);
  int leftmost = -1;
  for (int c = 0; c < cols; ++c)
    if (c != houseCol && ws.nonNumeric[static_cast<std::size_t>(c)] == -1 && !ws.flockGrid.text(0, c).empty()) {
      if (headingHas(ws.flockGrid.text(0, c), "farm")) return c;
      if (leftmost < 0) leftmost = c;
    }
  return leftmost;
}

FlockKey keyOf(const Workspace& ws, int row, int farmCol, int dateCol) {
  FlockKey key;
  key.sourceRow = row;
  if (farmCol >= 0) key.farm = ws.flockGrid.text(row, farmCol);
  if (ws.flockIdSet[ItemHouseId]) key.house = ws.flockGrid.text(row, ws.flockCol[ItemHouseId]);
  if (dateCol >= 0) key.date = ws.flockGrid.text(row, dateCol);
  return key;
}

std::optional<FlockPredicted> predictionOf(const Workspace& ws, const AnalysisState& st, int flock) {
  if (ws.modelSkipped) return std::nullopt;
  const auto& row = st.flockPrediction[static_cast<std::size_t>(flock)];
  if (row[1] <= 0) return std::nullopt;  // the flock's run was refused
  return FlockPredicted{row[1] / 1000.0, row[2], predictedFeedConversion(row)};
}

}  // namespace

int dateColumnOf(const Grid& flockGrid) {
  for (int c = 0; c < flockGrid.cols(); ++c)
    if (namesADate(flockGrid.text(0, c))) return c;
  return -1;
}

FlockKey flockKeyOf(const Workspace& ws, int flock, int dateColumn) {
  return keyOf(ws, flockGridRow(ws, flock), farmColumn(ws), dateColumn);
}

FlockKey flockKeyAtRow(const Workspace& ws, int flockGridRow) {
  return keyOf(ws, flockGridRow, farmColumn(ws), -1);
}

SplitFlocks splitFlocksOf(const Workspace& ws, const AnalysisState& st) {
  SplitFlocks out;
  const FeedConversionSplit& split = st.feedConversionSplit;
  const LivabilityColumns livability = livabilityColumnsOf(ws);
  const int densityCol = ws.farmOrder[ItemDensity][DensityColumnField];
  const int farmCol = farmColumn(ws);
  const int dateCol = dateColumnOf(ws.flockGrid);
  const int sexCol = matchedFlockColumn(ws, entryOf(OptionalItem::FlockSex));
  out.sexColumn = sexCol >= 0;
  std::size_t next = 0;
  for (int g = 1; g <= 3; ++g) {
    for (int i = 0; i < split.sizes[static_cast<std::size_t>(g)] && next < split.flocks.size(); ++i, ++next) {
      SplitFlock f;
      f.flock = split.flocks[next];
      if (f.flock < 1 || f.flock > std::min(ws.flockCount, MaxFlocks)) continue;
      f.group = g;
      const int row = flockGridRow(ws, f.flock);
      f.key = keyOf(ws, row, farmCol, dateCol);
      f.liveWeight = tableValue(ws, 0, f.flock);
      f.birds = tableValue(ws, 1, f.flock);
      f.age = tableValue(ws, 2, f.flock);
      f.feedConversion = tableValue(ws, 3, f.flock);
      for (int p = 1; p <= FeedPhases; ++p) f.intake[static_cast<std::size_t>(p)] = tableValue(ws, intakeColumn(p), f.flock);
      f.density = densityCol > 0 ? densityCellValue(ws, row, densityCol) : 0.0;
      f.livability = livabilityPercent(ws.flockGrid, row, livability, f.birds);
      f.predicted = predictionOf(ws, st, f.flock);
      if (out.sexColumn) f.sex = sexOfText(ws.flockGrid.text(row, sexCol));
      out.flocks.push_back(f);
      ++out.sizes[static_cast<std::size_t>(g)];
    }
  }
  return out;
}

}  // namespace plumetra
