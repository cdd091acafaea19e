#include "analysis/split_flocks.h"

#include <algorithm>
#include <cmath>

namespace plumetra {

namespace {

constexpr char InitOrderHeading[] = "Init. Order";

int initOrderColumn(const Grid& anal) {
  for (int c = anal.cols() - 1; c >= 0; --c)
    if (anal.text(0, c) == InitOrderHeading) return c;
  return -1;
}

double F(const Workspace& ws, int col, int row) {
  return ws.FlockData[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
}

}  // namespace

SplitFlocks splitFlocksOf(const Workspace& ws, const AnalysisState& st) {
  SplitFlocks out;
  const Grid& anal = ws.analysisGrid;
  const int orderCol = initOrderColumn(anal);
  const int houseCol = ws.FlockIdSet[ItemHouseId] ? ws.FlockCol[ItemHouseId] : -1;
  int row = FirstFlockRow;
  for (int g = 1; g <= 3; ++g) {
    for (int i = 0; i < st.GroupCount[static_cast<std::size_t>(g)] && row < anal.rows(); ++i, ++row) {
      SplitFlock f;
      f.gridRow = row;
      f.group = g;
      f.flock = orderCol >= 0 ? static_cast<int>(std::lround(anal.value(row, orderCol))) : row - LastStatisticsRow;
      if (f.flock < 1 || f.flock > MaxFlocks) continue;
      f.house = houseCol >= 0 ? anal.text(row, houseCol) : std::to_string(f.flock);
      f.liveWeight = F(ws, 0, f.flock);
      f.birds = F(ws, 1, f.flock);
      f.age = F(ws, 2, f.flock);
      f.feedConversion = F(ws, 3, f.flock);
      for (int p = 1; p <= 6; ++p) f.intake[static_cast<std::size_t>(p)] = F(ws, 3 + p, f.flock);
      out.flocks.push_back(f);
      ++out.sizes[static_cast<std::size_t>(g)];
    }
  }
  return out;
}

}  // namespace plumetra
