#include "workspace/flock_selection.h"

#include <algorithm>
#include <array>
#include <map>

#include "controls/number_format.h"
#include "files/trimmed_text.h"
#include "workspace/analysis_grid.h"
#include "workspace/data_set.h"
#include "workspace/matching.h"
#include "workspace/plausible_ranges.h"
#include "workspace/summary_rows.h"

namespace plumetra {

namespace {

// The words a message uses for each flock item, 1-11.
constexpr auto ItemWords = std::to_array<std::string_view>({
    "house",
    "live weight",
    "number of birds",
    "age",
    "feed conversion",
    "first feed intake",
    "second feed intake",
    "third feed intake",
    "fourth feed intake",
    "fifth feed intake",
    "sixth feed intake",
    "density",
    ""});
static_assert(ItemWords.size() == FlockItemCount, "every flock item has its word for messages");
constexpr int LastRequiredIntake = ItemFirstIntake + 1;

bool mayBeEmpty(int item) { return item > LastRequiredIntake && item <= ItemLastIntake; }

bool isUnclear(const Workspace& ws, int row, int col) {
  return std::any_of(ws.unclearNumbers.begin(), ws.unclearNumbers.end(), [&](const UnclearNumber& u) {
    return u.row == row && u.col == col && u.text == ws.flockGrid.text(row, col);
  });
}

const PlausibleRange& rangeOf(int item) {
  switch (item) {
    case ItemLiveWeight: return LiveWeightRange;
    case ItemBirds: return BirdCountRange;
    case ItemAge: return AgeRange;
    case ItemFeedConversion: return FeedConversionRange;
    case ItemDensity: return DensityRange;
    default: return PhaseIntakeRange;
  }
}

// A matched item's column, with what its heading says about the cells' unit.
struct MatchedColumn {
  int item = 0, col = 0;
  FlockColumnUnit unit;
};

// The cell's value in the units of the plausible ranges: weights in kilograms.
double plausibleValue(const Workspace& ws, const MatchedColumn& m, int row, const UnitSettings& units) {
  const double v = flockCellValue(ws, m.item, row, m.col, m.unit, units);
  const bool unitInHeading = m.unit.perHeadingUnit != 1.0;
  return isFlockWeightItem(m.item) && !unitInHeading ? convertWeight(units, 1, v) : v;
}

// Why the cell of a matched item keeps its flock out of the analysis, or "" when it does not.
std::string oddCell(const Workspace& ws, const MatchedColumn& m, int row, const UnitSettings& units) {
  const int item = m.item;
  const std::string_view word = ItemWords[static_cast<std::size_t>(item)];
  const std::string text = trimmed(ws.flockGrid.text(row, m.col));
  const auto said = [&](std::string_view what) { return std::string(word) + std::string(what); };
  if (text.empty()) return mayBeEmpty(item) ? "" : "no " + std::string(word);
  if (isUnclear(ws, row, m.col)) return said(" \"" + text + "\" is unclear");
  if (!readsAsNumber(text)) return said(" is text");
  const double v = readNumber(text);
  if (v < 0) return said(" is negative");
  if (v == 0 && !mayBeEmpty(item)) return said(" is 0");
  if (v == 0) return "";
  // A house total is judged per bird: without the flock's bird count the count's cell says why.
  if (m.unit.houseTotalKilogramsPerUnit) {
    if (!ws.flockIdSet[ItemBirds]) return said(" is a house total and no bird count is matched to divide it by");
    if (!(ws.flockGrid.value(row, ws.flockCol[ItemBirds]) > 0)) return "";
  }
  const PlausibleRange& range = rangeOf(item);
  if (const double plain = plausibleValue(ws, m, row, units); !range.holds(plain))
    return said(" " + text + " is outside " + range.bounds());
  return "";
}

bool matchedColumn(const Workspace& ws, int item, int& col) {
  if (!ws.flockIdSet[static_cast<std::size_t>(item)]) return false;
  col = ws.flockCol[static_cast<std::size_t>(item)];
  return col >= 0 && col < ws.flockGrid.cols();
}

}  // namespace

FlockSelection selectCompleteFlocks(const Workspace& ws, const UnitSettings& units) {
  FlockSelection out;
  const Grid& grid = ws.flockGrid;
  const int rows = std::min(flockRowsOf(grid), MaxFlocks);
  int houseCol = -1;
  const bool house = matchedColumn(ws, ItemHouseId, houseCol);
  const auto houseOf = [&](int r) { return house ? grid.text(r, houseCol) : std::string(); };
  std::vector<int> valueColumns;
  std::vector<MatchedColumn> checked;  // each column's heading is read once, not for every flock
  for (int i = ItemLiveWeight; i <= ItemDensity; ++i) {
    int col = 0;
    if (!matchedColumn(ws, i, col)) continue;
    if (!mayBeEmpty(i)) valueColumns.push_back(col);
    checked.push_back({i, col, flockColumnUnit(ws, i, col)});
  }

  std::vector<int> filled;
  for (int r = 1; r <= rows; ++r) {
    bool empty = true;
    for (int c = 0; c < grid.cols() && empty; ++c) empty = grid.text(r, c).empty();
    if (!empty) filled.push_back(r);  // a blank line between flocks is no flock
  }
  std::vector<int> flocks;
  for (int r : filled) {
    if (r == filled.front() && isUnitsRow(grid, r)) {
      out.leftOut.push_back({r, houseOf(r), "", "units under the headings"});
    } else if (const std::string label = summaryRowLabel(grid, r, valueColumns, filled); !label.empty()) {
      out.leftOut.push_back({r, houseOf(r), "", "a summary row: " + label});
    } else {
      flocks.push_back(r);
    }
  }
  std::vector<int> copies;
  for (const RowPair& p : repeatedRows(grid, flocks)) {
    copies.push_back(p.row);
    out.leftOut.push_back({p.row, houseOf(p.row), "", "the same flock as an earlier row"});
  }
  out.nearRepeats = nearRepeatedRows(grid, flocks, house ? houseCol : -1);
  for (int r : flocks) {
    if (std::find(copies.begin(), copies.end(), r) != copies.end()) continue;
    std::string reason, item;
    for (auto m = checked.begin(); m != checked.end() && reason.empty(); ++m) {
      reason = oddCell(ws, *m, r, units);
      item = ItemWords[static_cast<std::size_t>(m->item)];
    }
    if (reason.empty())
      out.rows.push_back(r);
    else
      out.leftOut.push_back({r, houseOf(r), item, reason});
  }
  std::stable_sort(out.leftOut.begin(), out.leftOut.end(),
                   [](const LeftOutFlock& a, const LeftOutFlock& b) { return a.row < b.row; });
  return out;
}

std::string nearRepeatMessage(const std::vector<RowPair>& pairs) {
  if (pairs.empty()) return {};
  constexpr std::size_t listed = 10;
  std::string text = "These rows have the same farm, house and other texts as an earlier row but other numbers; both "
                     "are analysed:";
  for (std::size_t i = 0; i < pairs.size() && i < listed; ++i)
    text += (i == 0 ? " rows " : ", rows ") + std::to_string(pairs[i].earlier) + " and " + std::to_string(pairs[i].row);
  if (pairs.size() > listed) text += " and " + std::to_string(pairs.size() - listed) + " more";
  return text + ".";
}

std::string leftOutMessage(const std::vector<LeftOutFlock>& leftOut) {
  if (leftOut.empty()) return {};
  // Rows grouped by reason, the reasons in the order of their first row.
  std::vector<std::pair<std::string, std::vector<int>>> groups;
  for (const LeftOutFlock& f : leftOut) {
    auto found = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == f.reason; });
    if (found == groups.end()) found = groups.insert(groups.end(), {f.reason, {}});
    found->second.push_back(f.row);
  }
  const std::size_t n = leftOut.size();
  std::string text = std::to_string(n) + (n == 1 ? " flock" : " flocks") + " left out: ";
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const auto& rows = groups[g].second;
    text += (g == 0 ? "" : ", ") + std::string(rows.size() == 1 ? "row " : "rows ");
    for (std::size_t i = 0; i < rows.size(); ++i) text += (i == 0 ? "" : ", ") + std::to_string(rows[i]);
    text += " (" + groups[g].first + ")";
  }
  return text;
}

int takeCompleteFlocks(Workspace& ws, const UnitSettings& units, Dialogs& dialogs) {
  FlockSelection selection = selectCompleteFlocks(ws, units);
  ws.analysedRows.assign(1, 0);
  ws.analysedRows.insert(ws.analysedRows.end(), selection.rows.begin(), selection.rows.end());
  ws.flockCount = static_cast<int>(selection.rows.size());
  ws.flockData = {};
  copyMatchedColumns(ws, units);
  buildAnalysisGrid(ws);
  ws.leftOutFlocks = std::move(selection.leftOut);
  if (!ws.leftOutFlocks.empty()) dialogs.message(leftOutMessage(ws.leftOutFlocks));
  if (!selection.nearRepeats.empty()) dialogs.message(nearRepeatMessage(selection.nearRepeats));
  return ws.flockCount;
}

int flockGridRow(const Workspace& ws, int flock) {
  if (flock >= 1 && flock < static_cast<int>(ws.analysedRows.size()))
    return ws.analysedRows[static_cast<std::size_t>(flock)];
  return flock;
}

}  // namespace plumetra
