#include "presenters/revaluation_window.h"

#include <algorithm>
#include <cmath>

#include "presenters/group_captions.h"
#include "presenters/window_copy.h"
#include "files/free_format.h"
#include "controls/number_format.h"

namespace plumetra {

namespace {

constexpr int SummaryLabelCol = 5;
constexpr int SummaryFirstCol = 6;  // live weight, age, feed conversion in 6, 7, 8
constexpr int ActualTitleRow = 9;
constexpr int PredictTitleRow = 17;
constexpr int LastSummaryRow = 23;
constexpr int AgeColWidth = 1200;  // twips
constexpr const char* AveragePattern = " ##0.000";  // every number with its leading zero

// Live weight, age and feed conversion as recorded, and as the analysis predicted them.
using FlockValues = std::array<FlockValue, 3>;
const FlockValues Recorded{[](const SplitFlock& f) { return std::optional(f.liveWeight); },
                            [](const SplitFlock& f) { return std::optional(f.age); },
                            [](const SplitFlock& f) { return std::optional(f.feedConversion); }};
const FlockValues Predicted{
    [](const SplitFlock& f) { return f.predicted ? std::optional(f.predicted->liveWeight) : std::nullopt; },
    [](const SplitFlock& f) { return f.predicted ? std::optional(f.predicted->age) : std::nullopt; },
    [](const SplitFlock& f) { return f.predicted ? std::optional(f.predicted->feedConversion) : std::nullopt; }};

int rowsNeeded(const RevaluationFile& file) {
  int rows = 0;
  for (const RevaluedGroup& g : file.groups) rows += 2 + static_cast<int>(g.flocks.size());
  return rows;
}

// Rows 10-15 (or 18-23): per group a mean row and a deviation row.
void writeGroupStatistics(Grid& grid, int firstRow, const SplitFlocks& split, const FlockValues& values) {
  for (int g = 1; g <= 3; ++g) {
    const int meanRow = firstRow + 2 * (g - 1);
    grid.setText(meanRow, SummaryLabelCol, GroupCaptions[static_cast<std::size_t>(g)]);
    for (int k = 0; k < 3; ++k) {
      const auto stats = groupStatistics(split, g, values[static_cast<std::size_t>(k)]);
      if (!stats) continue;
      grid.setText(meanRow, SummaryFirstCol + k, formatNum(stats->mean));
      if (stats->sd) grid.setText(meanRow + 1, SummaryFirstCol + k, formatNum(*stats->sd));
    }
  }
}

// The three measures of a flock as the window shows them.
std::array<std::string, 3> shownValues(const RevaluedFlock& f) {
  return {formatPattern(f.weight / 1000, "#0.000"), formatPattern(f.age, "#0.0"), formatPattern(f.feedConversion, " 0.000")};
}

// The groups averaged: the file's first three, up to the first without flocks.
int averagedGroups(const RevaluationFile& file) {
  int groups = 0;
  while (groups < 3 && groups < static_cast<int>(file.groups.size()) &&
         !file.groups[static_cast<std::size_t>(groups)].flocks.empty())
    ++groups;
  return groups;
}

// Rows 1-6: per group a mean row and a deviation row.
void writeRevaluedAverages(Grid& grid, const RevaluedAverages& averages, int groups) {
  for (int g = 1; g <= groups; ++g) {
    grid.setText(2 * g - 1, SummaryLabelCol, GroupCaptions[static_cast<std::size_t>(g)]);
    for (int k = 0; k < 3; ++k) {
      const auto& a = averages[static_cast<std::size_t>(g)][static_cast<std::size_t>(k)];
      if (!a) continue;
      grid.setText(2 * g - 1, SummaryFirstCol + k, formatPattern(a->mean, AveragePattern));
      grid.setText(2 * g, SummaryFirstCol + k, formatPattern(a->sd, AveragePattern));
    }
  }
}

}  // namespace

RevaluedAverages revaluedAverages(const RevaluationFile& file) {
  RevaluedAverages averages{};
  for (std::size_t g = 1; g <= static_cast<std::size_t>(averagedGroups(file)); ++g) {
    const std::vector<RevaluedFlock>& flocks = file.groups[g - 1].flocks;
    for (std::size_t k = 0; k < 3; ++k) {
      double sum = 0, squares = 0;
      for (const RevaluedFlock& f : flocks) {
        const double x = readNumber(shownValues(f)[k]);
        sum += x;
        squares += x * x;
      }
      double n = static_cast<double>(flocks.size());
      const double mean = sum / n;
      if (n == 1) n = 2;  // a single flock shows |x| / sqrt(2)
      const double v = squares - sum * sum / n;
      if (v <= 0) continue;
      averages[g][k] = RevaluedAverage{readNumber(formatPattern(mean, AveragePattern)),
                                       readNumber(formatPattern(std::sqrt(v / (n - 1)), AveragePattern))};
    }
  }
  return averages;
}

void fillRevaluationWindow(RevaluationWindowState& window, const RevaluationFile& file, const SplitFlocks& split) {
  Grid& grid = window.revaluedGrid;
  grid.resize(std::max(RevaluationRows, rowsNeeded(file)), RevaluationCols);
  grid.clear();
  for (const auto& [col, caption] : {std::pair{1, "Row No"}, {2, "Live wt, kg"}, {3, "Age, days"}, {4, "Feed/Gain"},
                                     {6, "Live wt, kg"}, {7, "Age, days"}, {8, "Feed/Gain"}})
    grid.setText(0, col, caption);
  window.locationBox.text = file.location;

  int row = 0;
  for (const RevaluedGroup& group : file.groups) {
    grid.setText(row++, 0, group.header);
    for (const RevaluedFlock& f : group.flocks) {
      grid.setText(row, 1, generalNumber(f.row + group.headerRow));
      const std::array<std::string, 3> shown = shownValues(f);
      for (int k = 0; k < 3; ++k) grid.setText(row, 2 + k, shown[static_cast<std::size_t>(k)]);
      ++row;
    }
    ++row;
  }

  grid.setText(1, 9, "Average");
  grid.setText(2, 9, "Std. Dev.");
  grid.setColWidth(7, AgeColWidth);
  grid.setText(ActualTitleRow, 7, "Actual Averages");
  writeGroupStatistics(grid, ActualTitleRow + 1, split, Recorded);
  grid.setText(PredictTitleRow, 7, "Init Predict");
  writeGroupStatistics(grid, PredictTitleRow + 1, split, Predicted);
  static_assert(PredictTitleRow + 6 == LastSummaryRow);

  window.averages = revaluedAverages(file);
  writeRevaluedAverages(grid, window.averages, averagedGroups(file));
  window.visible = true;
}

bool openRevaluationFile(RevaluationWindowState& window, const std::filesystem::path& file, const SplitFlocks& split,
                         Dialogs& dialogs) {
  std::filesystem::path chosen = file;
  std::optional<std::string> contents = readTextFile(chosen);
  if (!contents) {
    const auto picked = dialogs.openFile({.title = {},
                                          .filter = "Text Files (*.txt)|*.txt",
                                          .fileName = {},
                                          .initialFolder = file.parent_path()});
    if (!picked) return false;
    chosen = *picked;
    contents = readTextFile(chosen);
    if (!contents) {
      dialogs.message("\"" + chosen.string() + "\" could not be read.");
      return false;
    }
  }
  const std::optional<RevaluationFile> parsed = parseRevaluationFile(*contents);
  if (!parsed) {
    dialogs.message("\"" + chosen.string() + "\" holds no revaluation.");
    return false;
  }
  window.file = chosen;
  fillRevaluationWindow(window, *parsed, split);
  return true;
}

void showRevaluationHelp(Dialogs& dialogs) { dialogs.message(RevalHelpText); }

void copyRevaluationWindow(RevaluationWindowState& window, Clipboard& clipboard) { copyAllCells(window.revaluedGrid, clipboard); }

void copyRevaluationSelection(const RevaluationWindowState& window, Clipboard& clipboard) {
  clipboard.setText(window.revaluedGrid.copySelection());
}

void pasteIntoRevaluationWindow(RevaluationWindowState& window, const Clipboard& clipboard) { window.revaluedGrid.paste(clipboard.text()); }

}  // namespace plumetra
