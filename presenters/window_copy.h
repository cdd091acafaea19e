#pragma once
// "CopyAll" of the calibration results and revaluation windows: the whole grid goes to the
// clipboard as tab-separated text and the current cell stays where it was.

#include "controls/clipboard.h"
#include "controls/grid.h"

namespace plumetra {

inline void copyAllCells(Grid& grid, Clipboard& clipboard) {
  const int row = grid.row();
  const int col = grid.col();
  grid.select({0, 0, grid.rows() - 1, grid.cols() - 1});
  clipboard.setText(grid.copySelection());
  grid.setCurrent(row, col);
}

}  // namespace plumetra
