#include "workspace/matching.h"

#include <algorithm>
#include <utility>

#include "controls/number_format.h"
#include "workspace/auto_match.h"
#include "workspace/data_set.h"
#include "workspace/diet_table.h"
#include "workspace/flock_selection.h"
#include "workspace/heading_keys.h"
#include "workspace/plausible_ranges.h"

namespace plumetra {

namespace {

constexpr char NoDataHere[] = "No Data Here, Try Again";
constexpr int NumericProbeRows = 10;  // findNumeric looks at data rows 1-10
// Feed intakes 1-5 land in these flockData columns; values above 10 are grams when energy
// is in Kcal/Kg.
constexpr int FirstGramColumn = 4, LastGramColumn = 8;
constexpr double GramThreshold = 10.0;
constexpr int KcalPerKg = 0;
constexpr int TextItem = 1;  // farmOrder kind of an item whose values are not copied
// The sort lists end with these captions (itemHeader entries).
constexpr int SortCaptionEntries[] = {25, 26, 29, 34, 27, 28, 33, 30, 31, 32, 36};
constexpr int LastClearableFlockItem = 10;

Grid& sideGrid(Workspace& ws, MatchSide side) {
  return side == MatchSide::Diet ? ws.dietGrid : ws.flockGrid;
}
Combo& sideCombo(Workspace& ws, MatchSide side) {
  return side == MatchSide::Diet ? ws.dietDataIds : ws.flockDataIds;
}
int listOf(MatchSide side) { return side == MatchSide::Diet ? 1 : 0; }

// Copies the column into flockData for every flock; a blank or text cell stores 0 for its own
// flock only (the analysis leaves such a flock out, see flock_selection.h).
void copyFlockColumn(Workspace& ws, int item, int col, const UnitSettings& units) {
  const auto& order = ws.farmOrder[static_cast<size_t>(item)];
  const int target = order[1];
  if (order[2] == TextItem || target < 0 || target >= FlockDataCols) return;
  ws.farmOrder[static_cast<size_t>(item)][4] = static_cast<std::int16_t>(col);
  const int last = std::min(ws.flockCount, MaxFlocks);
  const FlockColumnUnit unit = flockColumnUnit(ws, item, col);
  for (int r = 1; r <= last; ++r)
    ws.flockData[static_cast<size_t>(target)][static_cast<size_t>(r)] =
        flockCellValue(ws, item, flockGridRow(ws, r), col, unit, units);
}

void copyDietColumn(Workspace& ws, int nutrient, int col) {
  // The cost heading may name the currency and the amount a price is for ("Price EUR/t").
  if (nutrient == NutFeedCost) ws.diets.dietFieldNames[ValFeedCost] = ws.dietGrid.text(0, col);
  const int last = std::min(ws.diets.dietCount, MaxDiets);
  for (int d = 1; d <= last; ++d) {
    const double value = readNumber(ws.dietGrid.text(d, col));
    ws.diets.dietData[static_cast<size_t>(nutrient)][static_cast<size_t>(d)] = value;
    // The diet table is the one complete table of the diets (the cost per bird, the lower-cost
    // search and the stored diet files read it), so a matched value goes there too, as a diet
    // file's would.
    if (d < static_cast<int>(ws.diets.dietTable.size()))
      ws.diets.dietTable[static_cast<size_t>(d)][DietValueOfNutrient[nutrient]] = value;
  }
}

// Why the diet column `col` cannot be taken as `nutrient`, or "" when each diet's value is
// plausible (a blank or 0 is a value not given).
std::string implausibleDietColumn(const Workspace& ws, int nutrient, int col, const UnitSettings& units) {
  if (nutrient < 0 || nutrient >= DietNutrientCount) return "";
  const PlausibleRange& range = dietValueRange(DietValueOfNutrient[nutrient]);
  for (int d = 1; d <= MaxFileDiets && d < ws.dietGrid.rows(); ++d) {
    const std::string& text = ws.dietGrid.text(d, col);
    if (!readsAsNumber(text) || readNumber(text) == 0) continue;
    const double v = readNumber(text);
    if (!range.holds(nutrient == NutEnergy ? convertEnergy(units, 1, v) : v))
      return "Diet " + std::to_string(d) + ": the " + std::string(range.what) + " \"" + text + "\" is outside " +
             range.bounds();
  }
  return "";
}

}  // namespace

bool isFlockWeightItem(int item) {
  return item == ItemLiveWeight || (item >= ItemFirstIntake && item <= ItemLastIntake);
}

double densityCellValue(const Workspace& ws, int gridRow, int col) {
  return ws.flockGrid.value(gridRow, col) * birdsPerSquareMetrePerHeadingUnit(ws.flockGrid.text(0, col));
}

FlockColumnUnit flockColumnUnit(const Workspace& ws, int item, int col) {
  const std::string& heading = ws.flockGrid.text(0, col);
  if (item == ItemDensity) return {std::nullopt, birdsPerSquareMetrePerHeadingUnit(heading)};
  if (!isFlockWeightItem(item)) return {};
  // A weight heading that names its unit ("Avg Wt (lb)", "Starter (g)") is read in kilograms;
  // a house total ("Total Live Weight (t)") is divided by the birds in the house.
  const std::optional<HouseTotal> total = houseTotalOf(heading);
  return {total ? std::optional(total->kilogramsPerUnit) : std::nullopt, kilogramsPerHeadingUnit(heading)};
}

double flockCellValue(const Workspace& ws, int item, int gridRow, int col, const FlockColumnUnit& unit,
                      const UnitSettings& units) {
  if (const std::optional<double> kilograms = unit.houseTotalKilogramsPerUnit) {
    const double birds = ws.flockIdSet[ItemBirds] ? ws.flockGrid.value(gridRow, ws.flockCol[ItemBirds]) : 0.0;
    return birds > 0 ? ws.flockGrid.value(gridRow, col) * *kilograms / birds : 0.0;
  }
  double v = ws.flockGrid.value(gridRow, col) * unit.perHeadingUnit;
  if (item == ItemDensity) return v;
  const int target = ws.farmOrder[static_cast<size_t>(item)][1];
  if (target >= FirstGramColumn && target <= LastGramColumn && units.energyChoice == KcalPerKg && v > GramThreshold)
    v *= 0.001;
  return v;
}

void resetDataIdLists(Workspace& ws) {
  ws.dietDataIds.items.clear();
  for (auto id : NutrientDataIds) ws.dietDataIds.add(std::string(id));
  ws.flockDataIds.items.clear();
  for (int entry = 0; entry <= FlockListEnd; ++entry) ws.flockDataIds.add(std::string(dataIdList(0, entry)));
  ws.flockDataIds.choose(0);
  fillFarmOrder(ws);
}

void selectTab(Workspace& ws, int tab) {
  if (tab == ws.shownTab) return;
  ws.shownTab = tab;
  if (ws.dietDataIds.index < 0) ws.dietDataIds.choose(0);
}

void copyMatchedColumns(Workspace& ws, const UnitSettings& units) {
  for (int item = ItemLiveWeight; item <= ItemDensity; ++item) {
    const int col = ws.flockCol[static_cast<size_t>(item)];
    if (ws.flockIdSet[static_cast<size_t>(item)] && col >= 0 && col < ws.flockGrid.cols())
      copyFlockColumn(ws, item, col, units);
  }
}

bool recordMatchesOn(Workspace& ws, MatchSide side, const UnitSettings& units) {
  Grid& grid = sideGrid(ws, side);
  Combo& combo = sideCombo(ws, side);
  const int i = combo.index;
  const int end = side == MatchSide::Diet ? NutrientItemEnd : FlockListEnd;
  const int col = ws.selectedCol;
  if (i < 0 || i >= end || i >= static_cast<int>(combo.items.size())) return false;
  if (col < 0 || col >= grid.cols()) return false;

  const std::string header = grid.text(0, col);
  const std::optional<OptionalItem> optional = side == MatchSide::Flock ? optionalItemAt(i) : std::nullopt;
  if (optional) {
    ws.optionalColumns.set(*optional, col);
  } else if (side == MatchSide::Flock) {
    ws.flockCol[static_cast<size_t>(i)] = static_cast<std::int16_t>(col);
    ws.flockIdSet[static_cast<size_t>(i)] = true;
    ws.itemHeader[static_cast<size_t>(i)] = header;
  }
  // A second match of the item shows only its new heading.
  combo.items[static_cast<size_t>(i)] = std::string(dataIdList(listOf(side), i)) + " " + header;
  combo.choose(i);

  if (side == MatchSide::Diet) {
    copyDietColumn(ws, i, col);
  } else if (!optional) {  // optional items are read from the grid when used
    copyFlockColumn(ws, i, col, units);
    // House totals matched before the bird count are divided by it now.
    if (i == ItemBirds)
      for (int item = 0; item < ItemFlockEnd; ++item)
        if (isFlockWeightItem(item) && ws.flockIdSet[static_cast<size_t>(item)] &&
            houseTotalOf(ws.flockGrid.text(0, ws.flockCol[static_cast<size_t>(item)])))
          copyFlockColumn(ws, item, ws.flockCol[static_cast<size_t>(item)], units);
  }

  skipItem(combo);
  return true;
}

bool recordMatches(Workspace& ws, const UnitSettings& units) {
  switch (ws.shownTab) {
    case FlockTab:
      return recordMatchesOn(ws, MatchSide::Flock, units);
    case DietTab:
      return recordMatchesOn(ws, MatchSide::Diet, units);
    default:
      return false;  // the analysis tab has no Data ID list of its own
  }
}

bool doubleClickMatch(Workspace& ws, MatchSide side, const UnitSettings& units, Dialogs& dialogs) {
  Grid& grid = sideGrid(ws, side);
  ws.selectedCol = grid.col();
  const int col = ws.selectedCol;
  if (side == MatchSide::Diet) {
    if (const std::string problem = implausibleDietColumn(ws, ws.dietDataIds.index, col, units); !problem.empty()) {
      dialogs.message(problem + "; the column \"" + grid.text(0, col) + "\" was not matched.");
      return false;
    }
    if (grid.text(1, col).empty()) dialogs.message(NoDataHere);
    // The diets counted are those a diet file holds: the first rows of the column.
    for (int r = MaxFileDiets; r >= 1; --r) {
      if (grid.value(r, col) > 0) {
        ws.diets.dietCount = r;
        break;
      }
    }
    switch (ws.dietDataIds.index) {
      case NutEnergy:
        ws.nutrientIdSet[1] = true;
        break;
      case NutMetCys:
        ws.nutrientIdSet[2] = true;
        break;
      case NutLysine:
        ws.nutrientIdSet[3] = true;
        break;
      default:
        break;
    }
  }
  grid.setBackground(0, col, colours::Matched);
  return recordMatchesOn(ws, side, units);
}

void clearFlockItem(Workspace& ws) {
  const int i = ws.flockDataIds.index;
  const std::optional<OptionalItem> optional = optionalItemAt(i);
  if (i < 0 || (i > LastClearableFlockItem && !optional)) return;
  const int col = optional ? ws.optionalColumns[*optional] : ws.flockCol[static_cast<size_t>(i)];
  ws.flockDataIds.items[static_cast<size_t>(i)] = std::string(dataIdList(0, i));
  ws.flockDataIds.choose(i);
  if (optional) ws.optionalColumns.set(*optional, -1);
  if (col >= 0) ws.flockGrid.setBackground(0, col, colours::ButtonFace);
}

int matchedFlockColumn(const Workspace& ws, int entry) {
  if (!isMatchedEntry(ws, MatchSide::Flock, entry)) return -1;
  if (const std::optional<OptionalItem> optional = optionalItemAt(entry)) return ws.optionalColumns[*optional];
  return ws.flockCol[static_cast<size_t>(entry)];
}

void clearDietItem(Workspace& ws) {
  // Record advanced the selection, so the item just recorded is the one before it.
  const int i = ws.dietDataIds.index - 1;
  if (i < 0 || i >= static_cast<int>(ws.dietDataIds.items.size())) return;
  ws.dietDataIds.items[static_cast<size_t>(i)] = std::string(dataIdList(1, i));
  ws.dietDataIds.choose(ws.dietDataIds.index);
  ws.dietGrid.setBackground(0, ws.dietGrid.col(), colours::ButtonFace);
}

bool forgetDietMatches(Workspace& ws) {
  bool matched = false;
  for (int i = 0; i < static_cast<int>(ws.dietDataIds.items.size()); ++i)
    matched = matched || isMatchedEntry(ws, MatchSide::Diet, i);
  FeedPricing pricing = std::move(ws.diets.pricing);  // the user's, not the diets'
  ws.diets = DietTables{};
  ws.diets.pricing = std::move(pricing);
  ws.nutrientIdSet = {};
  ws.dietDataIds.items.clear();
  for (auto id : NutrientDataIds) ws.dietDataIds.add(std::string(id));
  ws.dietDataIds.choose(0);
  return matched;
}

void skipItem(Combo& combo) {
  if (combo.index + 1 < static_cast<int>(combo.items.size())) combo.choose(combo.index + 1);
}

bool isMatchedEntry(const Workspace& ws, MatchSide side, int item) {
  const Combo& combo = side == MatchSide::Diet ? ws.dietDataIds : ws.flockDataIds;
  if (item < 0 || item >= static_cast<int>(combo.items.size())) return false;
  return combo.items[static_cast<size_t>(item)] != dataIdList(listOf(side), item);
}

std::string matchChanges(MatchSide side, const Combo& before, const Combo& after) {
  std::string said;
  const size_t entries = std::min(before.items.size(), after.items.size());
  for (size_t i = 0; i < entries; ++i) {
    if (before.items[i] == after.items[i]) continue;
    const std::string_view id = dataIdList(listOf(side), static_cast<int>(i));
    const std::string& now = after.items[i];
    // A matched entry reads as the Data ID, a space and the column's heading.
    const std::string clause = now.size() > id.size() ? std::string(id) + " matched to the column \"" +
                                                            now.substr(id.size() + 1) + "\""
                                                      : std::string(id) + " cleared";
    said += (said.empty() ? "" : "; ") + clause;
  }
  return said;
}

std::string whyNothingMatched(const Workspace& ws) {
  if (unmatchedRequiredItems(ws).empty()) return "";
  const Grid& flocks = ws.flockGrid;
  bool headings = false, numbers = false;
  for (int c = 0; c < flocks.cols(); ++c) {
    const std::string& text = flocks.text(0, c);
    headings = headings || (!text.empty() && !readsAsNumber(text));
    numbers = numbers || readsAsNumber(text);
  }
  if (!headings && !numbers) return "The flock grid holds no table yet: open a flock file (File > Open...) or paste one.";
  if (numbers)
    return "The first row of the flock grid holds numbers, not headings: the table's heading row must be the "
           "grid's first row. Paste the table again with its headings, or open its file.";
  return "None of the headings is one Plumetra knows: choose each Data ID in the list and double-click the "
         "heading of its column.";
}

int inputCount(const Grid& flockGrid) { return std::min(flockRowsOf(flockGrid), MaxFlocks); }

void findNumeric(Workspace& ws) {
  const Grid& grid = ws.flockGrid;
  const int cols = std::min(grid.cols(), NonNumericEntries);
  const int flocks = inputCount(grid);
  for (int c = 0; c < cols; ++c) {
    if (grid.text(0, c).empty()) continue;
    auto& flag = ws.nonNumeric[static_cast<size_t>(c)];
    flag = 0;
    int numbers = 0;
    for (int r = 1; r <= NumericProbeRows; ++r) {
      // The first ten analysed flocks: a left-out flock's odd cell does not make a column text.
      const bool analysed = ws.analysedRows.empty() ? r <= flocks : r < static_cast<int>(ws.analysedRows.size());
      const int row = flockGridRow(ws, r);
      if (analysed && grid.text(row, c).empty()) continue;  // an unknown number, left out of the statistics
      if (!analysed || !grid.isNumber(row, c)) {
        flag = -1;
        break;
      }
      ++numbers;
    }
    if (numbers == 0) flag = -1;
  }
}

void fillCombos(Workspace& ws) {
  calcNames(ws);
  for (Combo* combo : {&ws.firstSortChoice, &ws.secondSortChoice}) {
    combo->items.clear();
    combo->index = -1;
    for (int c = 0; c < ws.flockGrid.cols(); ++c) {
      const std::string& heading = ws.flockGrid.text(0, c);
      if (heading.empty()) break;
      combo->add(heading);
    }
    for (int entry : SortCaptionEntries) combo->add(ws.itemHeader[static_cast<size_t>(entry)]);
  }
}

}  // namespace plumetra
