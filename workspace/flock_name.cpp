#include "workspace/flock_name.h"

namespace plumetra {

std::string flockNameOf(const Workspace& ws, int row) {
  const Grid& grid = ws.flockGrid;
  const bool houseMatched = ws.FlockIdSet[ItemHouseId];
  const int houseCol = ws.FlockCol[ItemHouseId];
  std::string name;
  if ((!houseMatched || houseCol != 0) && !grid.text(row, 0).empty() && !grid.isNumber(row, 0))
    name = grid.text(row, 0) + ", ";
  if (houseMatched && !grid.text(row, houseCol).empty()) return name + "house " + grid.text(row, houseCol);
  return name + "row " + std::to_string(row);
}

}  // namespace plumetra
