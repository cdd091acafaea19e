#pragma once
// The analysis grid's flock rows as data: the number each column shows for each analysed
// flock, and which flock each row shows. The run fills them as it writes the cells, and the
// sorts move them with the rows; the statistics, categories, outlier search, correlations and
// the chart read them, so neither a sort nor a text typed into the grid changes a number.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/grid.h"
#include "workspace/column_numbers.h"

namespace plumetra {

inline constexpr char InitOrderHeading[] = "Init. Order";

class FlockRows {
 public:
  FlockRows() = default;
  // Flock rows showing flocks 1..numbers.flocks() in order, with their numbers.
  explicit FlockRows(ColumnNumbers numbers);

  // The flock grid row `row` shows (0: none, such as a spare row). Until a run has placed
  // the flocks, grid row r + 21 shows flock r.
  int flockAt(int row) const;
  // The flocks of flock rows 22 .. 21 + count, in grid order.
  std::vector<int> flocksShown(int count) const;

  // The number column `col` shows in grid row `row`; none for a blank or text cell.
  std::optional<double> numberAt(int row, int col) const { return numbers_.at(col, flockAt(row)); }
  std::optional<double> number(int col, int flock) const { return numbers_.at(col, flock); }
  // The known numbers of column `col` over grid rows first..last, in grid order.
  std::vector<double> knownNumbers(int col, int first, int last) const;
  bool anyKnown(int col, int first, int last) const;

  // Writes `text` into the row of `flock` and keeps the number the text shows.
  void write(Grid& grid, int col, int flock, const std::string& text);
  // Writes `shown` into the row of `flock` and keeps `value`, the number it shows rounded, at
  // full precision for the statistics.
  void write(Grid& grid, int col, int flock, double value, const std::string& shown);
  // The grid kept only its first `count` flock rows.
  void keepRows(int count);
  // Stable ascending sort of flock rows row1..row2 by column `col`, numeric order by the
  // numbers (a row without one counts as 0), text order by the cells' texts; rows of equal
  // numbers in the order `tieBreak` gives, when there is one. The grid's rows move with their
  // flocks.
  void sortRows(Grid& grid, int row1, int row2, int col, SortOrder order,
                const std::function<bool(int, int)>& tieBreak = {});

 private:
  int rowOf(int flock) const;

  ColumnNumbers numbers_;
  std::vector<int> shown_;  // flock of grid row FirstFlockRow + i
  std::vector<int> rowOf_;  // grid row of flock f at f - 1 (-1: not shown)
  bool placed_ = false;     // whether a run placed the flocks
};

}  // namespace plumetra
