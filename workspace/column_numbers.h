#pragma once
// The numbers of a flock table's columns, flock by flock: what the statistics, sorts,
// correlations and the chart of the analysis read, so that no text in a grid (and no order of
// its rows) changes a computed number.

#include <algorithm>
#include <optional>
#include <vector>

namespace plumetra {

struct Workspace;

class ColumnNumbers {
 public:
  // Flock 1..flocks of any column; the columns grow as numbers are set.
  explicit ColumnNumbers(int flocks = 0) : flocks_(std::max(flocks, 0)) {}

  int flocks() const { return flocks_; }
  // None for a blank or text cell, a flock outside 1..flocks or a column never set.
  std::optional<double> at(int col, int flock) const;
  void set(int col, int flock, std::optional<double> number);

 private:
  int flocks_ = 0;
  std::vector<std::vector<std::optional<double>>> byColumn_;  // [col][flock - 1]
};

// The numbers of the flock grid's cells for analysed flocks 1..flockCount (the rows the
// analysis grid copies), column for column as the flock grid has them.
ColumnNumbers flockGridNumbers(const Workspace& ws);

}  // namespace plumetra
