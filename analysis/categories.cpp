#include "analysis/categories.h"

#include "analysis/mean_sd.h"
#include "analysis/split_statistics.h"
#include "analysis/t_tables.h"
#include "controls/number_format.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace plumetra {

namespace {

constexpr int CaptionColWidth = 2100;
constexpr int MaxSecondSortGroups = 20;
constexpr char WindowHint[] = "  Double Click a Column to see T-values";

// A block of flock rows averaged as one line pair of averages.
struct AverageBlock {
  std::string caption;  // shown before "  Average"
  int startRow = 0;
  int rowCount = 0;
};

std::string averageCaption(const std::string& name) {
  return (name.empty() ? std::string("Blank") : name) + "  Average";
}

// "Oak Hollow  F": a second-sort group is named by both of its values.
std::string secondSortCaption(const std::string& first, const std::string& second) {
  return (first.empty() ? std::string("Blank") : first) + "  " + (second.empty() ? std::string("Blank") : second);
}

// Runs of consecutive flock rows sharing both the first- and the second-sort text.
std::vector<AverageBlock> secondSortGroups(const Grid& grid, int firstCol, int secondCol, int from) {
  std::vector<AverageBlock> groups;
  for (int r = from; r < grid.rows(); ++r) {
    const bool same = !groups.empty() && grid.text(r, firstCol) == grid.text(r - 1, firstCol) &&
                      grid.text(r, secondCol) == grid.text(r - 1, secondCol);
    if (same) {
      ++groups.back().rowCount;
    } else {
      groups.push_back({secondSortCaption(grid.text(r, firstCol), grid.text(r, secondCol)), r, 1});
    }
  }
  return groups;
}

// The analysis-grid columns the category window averages: numeric columns with a heading,
// wherever they stand.
std::vector<int> averagedColumns(const AnalysisView& tab) {
  std::vector<int> cols;
  for (int c = 0; c < tab.analysisGrid.cols(); ++c) {
    if (!tab.isText(c) && !tab.isOrderColumn(c) && !tab.analysisGrid.text(0, c).empty()) cols.push_back(c);
  }
  return cols;
}

void fillAverages(const AnalysisView& tab, const std::vector<AverageBlock>& blocks, const std::vector<int>& cols,
                  CategoryWindow& window) {
  const Grid& grid = tab.analysisGrid;
  Grid& out = window.averages;
  out.resize(3 * static_cast<int>(blocks.size()) + 4, static_cast<int>(cols.size()) + 1);
  out.setColWidth(0, CaptionColWidth);
  for (std::size_t k = 0; k < blocks.size(); ++k) {
    const int meanRow = 3 * static_cast<int>(k) + 1;
    out.setText(meanRow, 0, averageCaption(blocks[k].caption));
    out.setText(meanRow + 1, 0, "Std. Dev and  N = " + numberText(blocks[k].rowCount));
  }
  window.statistics.assign(cols.size(), std::vector<std::optional<BlockStatistics>>(blocks.size()));
  for (std::size_t j = 0; j < cols.size(); ++j) {
    const int c = cols[j];
    const int outCol = static_cast<int>(j) + 1;
    out.setText(0, outCol, grid.text(0, c));
    for (std::size_t k = 0; k < blocks.size(); ++k) {
      const int first = blocks[k].startRow, last = first + blocks[k].rowCount - 1;
      if (first < FirstFlockRow || last >= grid.rows()) continue;
      const auto result = meanSdOf(tab.state.flockRows.knownNumbers(c, first, last));
      if (!result) continue;
      window.statistics[j][k] = BlockStatistics{result->n, result->mean, result->sd};
      const int meanRow = 3 * static_cast<int>(k) + 1;
      out.setText(meanRow, outCol, formatNum(result->mean));
      out.setText(meanRow + 1, outCol, result->sd ? formatNum(*result->sd) : std::string{});
    }
  }
}

}  // namespace

std::optional<std::vector<Category>> categoryScan(const Grid& grid, int col, Dialogs& dialogs) {
  std::vector<Category> categories;
  const int last = grid.rows() - 1;
  if (last < FirstFlockRow) return categories;
  categories.push_back({grid.text(FirstFlockRow, col), FirstFlockRow, 0, 1});
  for (int r = FirstFlockRow + 1; r <= last; ++r) {
    const std::string& text = grid.text(r, col);
    const bool known = std::any_of(categories.begin(), categories.end(),
                                   [&](const Category& c) { return c.name == text; });
    if (known) continue;
    categories.back().rowCount = r - categories.back().startRow;
    if (static_cast<int>(categories.size()) == MaxCategories) {
      dialogs.message("There are more than 30 allowed Different Values in the Column chosen for sorting");
      return std::nullopt;
    }
    categories.push_back({text, r, 0, static_cast<int>(categories.size()) + 1});
  }
  categories.back().rowCount = last - categories.back().startRow + 1;
  return categories;
}

void loadCategoryWindow(AnalysisView& tab, Dialogs& dialogs, CategoryWindow& window) {
  window.visible = true;
  window.caption += WindowHint;
  const bool secondSort = tab.state.secondSortPending;
  tab.state.secondSortPending = false;
  if (tab.state.categories.empty()) {
    auto scanned = categoryScan(tab.analysisGrid, tab.state.firstSortColumn, dialogs);
    if (!scanned) {
      window.averages.resize(0, 0);
      window.statistics.clear();
      return;
    }
    tab.state.categories = std::move(*scanned);
  }
  std::vector<AverageBlock> blocks;
  for (const Category& c : tab.state.categories) blocks.push_back({c.name, c.startRow, c.rowCount});
  if (secondSort && tab.state.secondSortColumn >= 0) {
    auto groups = secondSortGroups(tab.analysisGrid, tab.state.firstSortColumn, tab.state.secondSortColumn,
                                   FirstFlockRow);
    if (static_cast<int>(groups.size()) > MaxSecondSortGroups) {
      dialogs.message("There are too many " + numberText(static_cast<double>(groups.size())) +
                      " Values for averages");
    } else {
      blocks.insert(blocks.end(), groups.begin(), groups.end());
    }
  }
  const std::vector<int> cols = averagedColumns(tab);
  fillAverages(tab, blocks, cols, window);
  window.caption = "Averages and Standard Deviations of" + numberText(static_cast<double>(cols.size())) +
                   " Numerical Values ";
}

void loadTValueWindow(const CategoryWindow& window, int categoryCount, TValueWindow& tval) {
  tval.variable.clear();
  for (int c = 1; c < window.averages.cols(); ++c) tval.variable.add(window.averages.text(0, c));
  tval.variable.text = "Select Category";
  Grid& grid = tval.tValues;
  grid.clear();
  grid.resize(categoryCount + 3, categoryCount + 3);
  grid.setColWidth(0, CaptionColWidth);
  for (int k = 1; k <= categoryCount; ++k) {
    const std::string& caption = window.averages.text(3 * k - 2, 0);
    grid.setText(k, 0, caption);
    grid.setText(0, k, caption);
  }
}

bool calculateTValues(TValueWindow& tval, const CategoryWindow& window,
                      const std::vector<Category>& categories, Dialogs& dialogs) {
  if (tval.variable.index < 0) {
    dialogs.message("Pick a Variable first");
    return false;
  }
  const auto column = static_cast<std::size_t>(tval.variable.index);
  Grid& grid = tval.tValues;
  grid.setText(0, 0, "t values of " + window.averages.text(0, tval.variable.index + 1));
  const int count = static_cast<int>(categories.size());
  const auto statsOf = [&](int k) -> std::optional<BlockStatistics> {
    if (column >= window.statistics.size() || static_cast<std::size_t>(k - 1) >= window.statistics[column].size())
      return std::nullopt;
    return window.statistics[column][static_cast<std::size_t>(k - 1)];
  };
  for (int i = 1; i <= count; ++i) {
    grid.setText(i, i, "*");
    for (int j = i + 1; j <= count; ++j) {
      grid.setText(i, j, "");
      grid.setText(j, i, "");
      const auto a = statsOf(i), b = statsOf(j);
      if (!a || !b) continue;
      const auto t = separateVarianceT(a->mean, a->sd, a->n, b->mean, b->sd, b->n);
      if (!t) continue;  // a single flock, or no spread in either category: no t
      const double magnitude = std::fabs(*t);
      const int df = a->n + b->n - 2;
      grid.setText(i, j, formatShort(magnitude));
      grid.setText(j, i, magnitude >= tCritical(TLevel05, df)   ? " < 0.05 Prob"
                         : magnitude >= tCritical(TLevel10, df) ? " < 0.1 Prob"
                                                                : "No Diff.");
    }
  }
  return true;
}

}  // namespace plumetra
