#pragma once
// Split groups, the column-statistics cache, the sort state and the outlier count: the
// state the analysis keeps between runs (alive as long as the main window).

#include "analysis/flock_order.h"
#include "controls/controls.h"
#include "model/flock_prediction.h"
#include "controls/grid.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plumetra {

// Analysis-grid layout: row 0 headings, rows 1-21 the split statistics, flocks from row 22.
inline constexpr int LastStatisticsRow = 21;
inline constexpr int FirstFlockRow = 22;
// Columns 0-100 carry text flags and statistics; columns beyond are left out.
inline constexpr int MaxStatColumn = 100;
// The correlation list holds at most 60 numeric columns.
inline constexpr int MaxCorrelColumns = 60;
// A text first sort makes at most 30 categories.
inline constexpr int MaxCategories = 30;

// columnStats(a, b, slot): slot 0 the correlation r(a, b); on the diagonal (c, c) slots
// 1-3 the mean, standard deviation and sum of squares of column c; (c, 1, 1) and (c, 1, 2)
// the overall mean and standard deviation of column c.
class ColumnStatsTable {
 public:
  static constexpr int Size = MaxStatColumn + 1;
  static constexpr int Slots = 4;

  ColumnStatsTable() : values_(static_cast<std::size_t>(Size) * Size * Slots, 0.0) {}
  static bool inside(int a, int b, int slot) {
    return a >= 0 && a < Size && b >= 0 && b < Size && slot >= 0 && slot < Slots;
  }
  // Reads outside the table give 0; writes outside it are dropped.
  double at(int a, int b, int slot) const { return inside(a, b, slot) ? values_[index(a, b, slot)] : 0.0; }
  void set(int a, int b, int slot, double value) {
    if (inside(a, b, slot)) values_[index(a, b, slot)] = value;
  }

 private:
  static std::size_t index(int a, int b, int slot) {
    return (static_cast<std::size_t>(a) * Size + static_cast<std::size_t>(b)) * Slots +
           static_cast<std::size_t>(slot);
  }
  std::vector<double> values_;
};

// One block of the text first sort: the flocks sharing one text.
struct Category {
  std::string name;  // CategoryName
  int startRow = 0;  // analysis-grid row of the block's first flock
  int rowCount = 0;
  int index = 0;     // 1-based
};

// Where the analysis grid should scroll to: its top visible row and leftmost visible column.
struct GridScroll {
  int topRow = 0;
  int leftCol = 0;
  friend bool operator==(const GridScroll&, const GridScroll&) = default;
};

// The statistics of one block of flocks in one averaged column, unrounded.
struct BlockStatistics {
  int n = 0;
  double mean = 0.0;
  std::optional<double> sd;  // none for a single flock
};

// The category-averages window categoryWindow and the t-values window tValueWindow.
struct CategoryWindow {
  Grid averages;
  std::string caption;
  bool visible = false;
  // statistics[j][k]: column j + 1 of averages, block k (the rows 3k + 1 and 3k + 2).
  std::vector<std::vector<std::optional<BlockStatistics>>> statistics;
};

struct TValueWindow {
  Grid tValues;
  Combo variable;
};

// The flocks of the feed-conversion split: analysed flock numbers, lowest feed conversion
// first, and the sizes of groups 1-3. Taken whenever the split statistics are built in
// feed-conversion order; a sort by another column changes only the grid.
struct FeedConversionSplit {
  std::vector<int> flocks;
  std::array<int, 4> sizes{};
};

struct AnalysisState {
  // 1 lowest-values box, 2 middle, 3 high-values box, 0 their sum.
  std::array<double, 4> splitPercent{100, 20, 60, 20};
  int splitFlockCount = 0;
  // splitFlockCount holds a count of the run (or one lowered by an outlier removal), even 0.
  bool splitCounted = false;
  // 1 first group, 2 middle group, 3 last group, 4 all flocks; 0 unused.
  std::array<int, 5> groupCount{};
  ColumnStatsTable columnStats;
  FeedConversionSplit feedConversionSplit;
  FlockRows flockRows;  // what the analysis grid's flock rows show, as numbers

  bool firstSortDone = false;
  int firstSortColumn = 0;
  int previousSortColumn = 0;
  int secondSortColumn = -1;
  bool secondSortPending = false;
  // "Start Second Sort" is offered once a second-sort column is chosen, and lit while a sort is
  // ready to start (after a full run, or a second-sort column typed in).
  bool secondSortOffered = false;
  bool secondSortReady = false;
  std::vector<Category> categories;  // the category count is its size

  double averageLiveWeightKg = 0;  // of the flocks in the split
  // Each split flock's live weight in kg per bird (house totals, grams and pounds converted),
  // flock f at f - 1: the split table's "Live Wt." whatever unit the weight column shows.
  std::vector<double> liveWeightKg;
  double averageConversion = 0.0;  // the split flocks' mean feed conversion
  FlockPredictionTable flockPrediction{};  // the growth model's prediction of each flock

  int outlierCount = 0;
  // The search found outliers: "Outlier Ident." now offers to remove them instead of searching.
  bool outliersOffered = false;
  // The outliers the search found that are still in the split: analysed flock numbers,
  // highest feed conversion last.
  std::vector<int> outlierFlocks;
  bool costQuestionAsked = false;  // the cost-per-bird question came on the previous run

  // Numeric columns correlated by the last run (1-based list kept 0-based here), and which
  // pairs had a defined r (a constant column has none).
  std::vector<int> correlColumns;
  std::vector<std::uint8_t> correlDefined;  // correlColumns.size() squared, row-major

  // The workspace's data set these results belong to (Workspace::dataSetNumber).
  int dataSetNumber = 0;

  GridScroll analysisGridScroll;
  CategoryWindow categoryWindow;
  TValueWindow tValueWindow;
};

}  // namespace plumetra
