#include "analysis/categories.h"

#include "analysis/mean_sd.h"
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

// Runs of consecutive flock rows sharing both the first- and the second-sort text.
std::vector<AverageBlock> secondSortGroups(const Grid& grid, int firstCol, int secondCol, int from) {
  std::vector<AverageBlock> groups;
  for (int r = from; r < grid.rows(); ++r) {
    const bool same = !groups.empty() && grid.text(r, firstCol) == grid.text(r - 1, firstCol) &&
                      grid.text(r, secondCol) == grid.text(r - 1, secondCol);
    if (same) {
      ++groups.back().rowCount;
    } else {
      groups.push_back({grid.text(r, secondCol), r, 1});
    }
  }
  return groups;
}

// The analysis-grid columns averages averages: numeric columns with a heading.
std::vector<int> averagedColumns(const AnalysisView& tab) {
  std::vector<int> cols;
  for (int c = 1; c < tab.analysisGrid.cols(); ++c) {
    if (!tab.isText(c) && !tab.analysisGrid.text(0, c).empty()) cols.push_back(c);
  }
  return cols;
}

void fillAverages(AnalysisView& tab, const std::vector<AverageBlock>& blocks, const std::vector<int>& cols,
                  Grid& out) {
  const Grid& grid = tab.analysisGrid;
  out.resize(3 * static_cast<int>(blocks.size()) + 4, static_cast<int>(cols.size()) + 1);
  out.setColWidth(0, CaptionColWidth);
  for (std::size_t k = 0; k < blocks.size(); ++k) {
    const int meanRow = 3 * static_cast<int>(k) + 1;
    out.setText(meanRow, 0, averageCaption(blocks[k].caption));
    out.setText(meanRow + 1, 0, "Std. Dev and  N = " + numberText(blocks[k].rowCount));
  }
  for (std::size_t j = 0; j < cols.size(); ++j) {
    const int c = cols[j];
    const int outCol = static_cast<int>(j) + 1;
    out.setText(0, outCol, grid.text(0, c));
    const std::vector<double> values = columnValues(grid, c, FirstFlockRow, grid.rows() - 1);
    for (std::size_t k = 0; k < blocks.size(); ++k) {
      const int offset = blocks[k].startRow - FirstFlockRow;
      if (offset < 0 || offset + blocks[k].rowCount > static_cast<int>(values.size())) continue;
      const auto result = meanSdOf(std::span<const double>(values).subspan(
          static_cast<std::size_t>(offset), static_cast<std::size_t>(blocks[k].rowCount)));
      if (!result) continue;
      storeMeanSd(tab.state.ColumnStats, c, *result);
      const int meanRow = 3 * static_cast<int>(k) + 1;
      out.setText(meanRow, outCol, FormatNum(result->mean));
      out.setText(meanRow + 1, outCol, FormatNum(result->sd));
    }
  }
}

}  // namespace

std::optional<std::vector<Category>> CategoryScan(const Grid& grid, int col, Dialogs& dialogs) {
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
  const bool secondSort = tab.state.SecondSortPending;
  tab.state.SecondSortPending = false;
  if (tab.state.Categories.empty()) {
    auto scanned = CategoryScan(tab.analysisGrid, tab.state.FirstSortColumn, dialogs);
    if (!scanned) {
      window.averages.resize(0, 0);
      return;
    }
    tab.state.Categories = std::move(*scanned);
  }
  std::vector<AverageBlock> blocks;
  for (const Category& c : tab.state.Categories) blocks.push_back({c.name, c.startRow, c.rowCount});
  if (secondSort && tab.state.SecondSortColumn >= 0) {
    auto groups = secondSortGroups(tab.analysisGrid, tab.state.FirstSortColumn, tab.state.SecondSortColumn,
                                   FirstFlockRow);
    if (static_cast<int>(groups.size()) > MaxSecondSortGroups) {
      dialogs.message("There are too many " + numberText(static_cast<double>(groups.size())) +
                      " Values for averages");
    } else {
      blocks.insert(blocks.end(), groups.begin(), groups.end());
    }
  }
  const std::vector<int> cols = averagedColumns(tab);
  fillAverages(tab, blocks, cols, window.averages);
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
  const int col = tval.variable.index + 1;
  const Grid& averages = window.averages;
  Grid& grid = tval.tValues;
  const int count = static_cast<int>(categories.size());
  for (int i = 1; i <= count; ++i) {
    grid.setText(i, i, "*");
    for (int j = i + 1; j <= count; ++j) {
      const int n = categories[static_cast<std::size_t>(i - 1)].rowCount +
                    categories[static_cast<std::size_t>(j - 1)].rowCount;
      const double si = averages.value(3 * i - 1, col), sj = averages.value(3 * j - 1, col);
      const double spread = n > 0 ? std::sqrt((si * si + sj * sj) / n) : 0.0;
      if (!(spread > 0.0)) {  // no finite t: both cells stay empty
        grid.setText(i, j, "");
        grid.setText(j, i, "");
        continue;
      }
      const double t = std::fabs(averages.value(3 * i - 2, col) - averages.value(3 * j - 2, col)) / spread;
      grid.setText(i, j, FormatShort(t));
      grid.setText(j, i, t >= TCritical(TLevel05, n)   ? " < 0.05 Prob"
                         : t >= TCritical(TLevel10, n) ? " < 0.1 Prob"
                                                       : "No Diff.");
    }
  }
  return true;
}

}  // namespace plumetra
