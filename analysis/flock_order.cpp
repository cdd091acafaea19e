#include "analysis/flock_order.h"

#include <cmath>

#include "analysis/analysis_state.h"

namespace plumetra {

std::vector<int> flocksInGridOrder(const Grid& analysisGrid, int rows) {
  int orderCol = -1;
  for (int c = analysisGrid.cols() - 1; c >= 0 && orderCol < 0; --c)
    if (analysisGrid.text(0, c) == InitOrderHeading) orderCol = c;
  std::vector<int> flocks;
  for (int i = 0; i < rows && FirstFlockRow + i < analysisGrid.rows(); ++i) {
    const int row = FirstFlockRow + i;
    flocks.push_back(orderCol >= 0 ? static_cast<int>(std::lround(analysisGrid.value(row, orderCol))) : i + 1);
  }
  return flocks;
}

}  // namespace plumetra
