#include "workspace/auto_match.h"

#include <algorithm>
#include <utility>

#include "files/trimmed_text.h"
#include "workspace/data_set.h"
#include "workspace/heading_keys.h"
#include "workspace/optional_items.h"

namespace plumetra {

namespace {

constexpr int RequiredFlockItems[] = {ItemLiveWeight,     ItemBirds,       ItemAge,
                                      ItemFeedConversion, ItemFirstIntake, ItemFirstIntake + 1};
struct RequiredNutrient {
  int flag;  // nutrientIdSet entry
  int item;
};
constexpr RequiredNutrient RequiredNutrients[] = {{1, NutEnergy}, {2, NutMetCys}, {3, NutLysine}};

const Grid& sideGrid(const Workspace& ws, MatchSide side) {
  return side == MatchSide::Diet ? ws.dietGrid : ws.flockGrid;
}

// A column holds text when fewer than half of its filled data cells read as numbers (a
// contract grower's name under "Grower", dates under "Placement"); such a column is never
// matched to a numeric item.
bool holdsText(const Grid& grid, int col, int lastRow) {
  int filled = 0, numbers = 0;
  for (int r = 1; r <= lastRow && r < grid.rows(); ++r) {
    if (grid.text(r, col).find_first_not_of(" \t") == std::string::npos) continue;
    ++filled;
    if (grid.isNumber(r, col)) ++numbers;
  }
  return filled > 0 && numbers * 2 < filled;
}

int lastDataRow(const Grid& grid, MatchSide side) {
  return side == MatchSide::Flock ? flockRowsOf(grid) : DietSheetRows - 1;
}

bool isNumericItem(MatchSide side, int item) { return side == MatchSide::Diet || item != ItemHouseId; }

// Item -> column proposals for one grid, skipping matched items and columns whose heading
// shows a match; what is left alone on purpose goes to `notes`.
std::vector<std::pair<int, int>> proposals(const Workspace& ws, MatchSide side,
                                           std::vector<std::string>& notes) {
  const Grid& grid = sideGrid(ws, side);
  const int itemCount = side == MatchSide::Flock ? ItemFlockEnd : NutrientItemEnd;
  struct Best {
    int column = -1, rank = 0;
  };
  std::vector<Best> best(static_cast<std::size_t>(itemCount));
  std::vector<bool> itemDone(static_cast<std::size_t>(itemCount));
  for (int i = 0; i < itemCount; ++i)
    itemDone[static_cast<std::size_t>(i)] = isMatchedEntry(ws, side, i);

  std::vector<std::pair<int, int>> phases;  // (phase rank, column)
  std::vector<std::pair<HouseTotal, int>> totals;  // (what it is a total of, column)
  for (int c = 0; c < grid.cols(); ++c) {
    const std::string& heading = grid.text(0, c);
    if (heading.empty() || grid.background(0, c) == colours::Matched) continue;
    if (side == MatchSide::Flock)
      if (const std::optional<HouseTotal> total = houseTotalOf(heading)) {
        if (holdsText(grid, c, lastDataRow(grid, side)))
          notes.push_back("\"" + trimmed(heading) + "\" was left unmatched: its cells hold text, not numbers.");
        else
          totals.emplace_back(*total, c);
        continue;
      }
    const HeadingReading reading = readHeading(side, heading);
    const std::vector<int> sharing = columnsHeaded(grid, heading);
    const bool wanted = reading.item || (side == MatchSide::Flock && feedPhaseRank(heading));
    if (wanted && sharing.size() > 1) {
      if (sharing.front() == c) notes.push_back(duplicateHeadingProblem(heading, sharing));
      continue;
    }
    if (!reading.refusal.empty()) {
      notes.push_back("\"" + trimmed(heading) + "\" was left unmatched: " + reading.refusal + ".");
      continue;
    }
    if (wanted && (!reading.item || isNumericItem(side, *reading.item)) &&
        holdsText(grid, c, lastDataRow(grid, side))) {
      notes.push_back("\"" + trimmed(heading) + "\" was left unmatched: its cells hold text, not numbers.");
      continue;
    }
    if (reading.item) {
      Best& b = best[static_cast<std::size_t>(*reading.item)];
      if (!itemDone[static_cast<std::size_t>(*reading.item)] && (b.column < 0 || reading.rank < b.rank))
        b = {c, reading.rank};
    } else if (side == MatchSide::Flock) {
      if (const auto rank = feedPhaseRank(heading)) phases.emplace_back(*rank, c);
    }
  }
  // A house total is divided by the birds in the house, so it needs the bird count; a column
  // per bird of the same item or phase is preferred to it.
  constexpr auto birds = static_cast<std::size_t>(ItemBirds);
  const bool birdsKnown = side == MatchSide::Flock && (itemDone[birds] || best[birds].column >= 0);
  for (const auto& [total, c] : totals) {
    const std::string refused = "\"" + trimmed(grid.text(0, c)) + "\" was left unmatched: it gives a total for the house";
    const std::optional<int> phase = total.phaseRank;
    const bool perBirdToo =
        total.item ? itemDone[static_cast<std::size_t>(*total.item)] || best[static_cast<std::size_t>(*total.item)].column >= 0
                   : std::any_of(phases.begin(), phases.end(), [phase](const auto& p) { return p.first == *phase; });
    if (!birdsKnown)
      notes.push_back(refused + ", not an amount per bird, and no column gives the birds in the house (\"" +
                      std::string(dataIdList(0, ItemBirds)) + "\") to divide it by.");
    else if (perBirdToo)
      notes.push_back(refused + "; the column per bird is used.");
    else if (total.item)
      best[static_cast<std::size_t>(*total.item)] = {c, 0};
    else
      phases.emplace_back(*phase, c);
  }
  std::vector<std::pair<int, int>> out;  // (item, column)
  for (int item = 0; item < itemCount; ++item) {
    const Best& b = best[static_cast<std::size_t>(item)];
    if (b.column < 0) continue;
    itemDone[static_cast<std::size_t>(item)] = true;
    out.emplace_back(item, b.column);
  }
  std::stable_sort(phases.begin(), phases.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  auto phase = phases.begin();
  for (int item = ItemFirstIntake; item <= ItemLastIntake && phase != phases.end(); ++item) {
    if (itemDone[static_cast<std::size_t>(item)]) continue;
    out.emplace_back(item, (phase++)->second);
  }
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace

ColumnMatch matchColumn(Workspace& ws, MatchSide side, int item, int column,
                        const UnitSettings& units, Dialogs& dialogs) {
  const int shown = ws.shownTab;
  selectTab(ws, side == MatchSide::Flock ? FlockTab : DietTab);
  (side == MatchSide::Flock ? ws.flockDataIds : ws.dietDataIds).choose(item);
  Grid& grid = side == MatchSide::Flock ? ws.flockGrid : ws.dietGrid;
  grid.setCurrent(0, column);
  doubleClickMatch(ws, side, units, dialogs);
  ws.shownTab = shown;
  return {side, item, column, grid.text(0, column)};
}

namespace {

// The unmatched headings of `side` most like the names of `item`, best first.
std::vector<std::string> closestHeadings(const Workspace& ws, MatchSide side, int item) {
  constexpr double alike = 0.3;
  constexpr std::size_t shown = 3;
  const Grid& grid = sideGrid(ws, side);
  std::vector<std::pair<double, std::string>> scored;
  for (int c = 0; c < grid.cols(); ++c) {
    const std::string heading = trimmed(grid.text(0, c));
    if (heading.empty() || grid.background(0, c) == colours::Matched) continue;
    if (const double likeness = headingLikeness(side, item, heading); likeness >= alike)
      scored.emplace_back(likeness, heading);
  }
  std::stable_sort(scored.begin(), scored.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<std::string> out;
  for (std::size_t i = 0; i < scored.size() && i < shown; ++i) out.push_back(scored[i].second);
  return out;
}

}  // namespace

std::vector<MissingItem> missingRequiredItems(const Workspace& ws) {
  std::vector<MissingItem> missing;
  for (int item : RequiredFlockItems)
    if (!ws.flockIdSet[static_cast<std::size_t>(item)])
      missing.push_back({std::string(dataIdList(0, item)), closestHeadings(ws, MatchSide::Flock, item)});
  for (const RequiredNutrient& n : RequiredNutrients)
    if (!ws.nutrientIdSet[static_cast<std::size_t>(n.flag)])
      missing.push_back({std::string(dataIdList(1, n.item)), closestHeadings(ws, MatchSide::Diet, n.item)});
  return missing;
}

std::string missingItemsText(const std::vector<MissingItem>& missing, std::string_view howToMatch) {
  std::string text;
  for (const MissingItem& m : missing) {
    text += (text.empty() ? "" : "\n") + std::string("No column found for \"") + m.dataId + "\"";
    for (std::size_t i = 0; i < m.closest.size(); ++i)
      text += (i == 0 ? "; closest headings: \"" : ", \"") + m.closest[i] + "\"";
    std::string how(howToMatch);
    if (const std::size_t at = how.find("{}"); at != std::string::npos) how.replace(at, 2, m.dataId);
    if (!how.empty()) text += "; " + how;
  }
  return text;
}

std::string headingUnitNote(MatchSide side, int item, std::string_view heading) {
  if (side != MatchSide::Flock) return "";
  if (item == ItemDensity && birdsPerSquareMetrePerHeadingUnit(heading) != 1.0)
    return "birds per ft2, converted to birds per m2";
  if (!isFlockWeightItem(item)) return "";
  if (const std::optional<HouseTotal> total = houseTotalOf(heading)) {
    std::string birds(dataIdList(0, ItemBirds));
    if (birds.ends_with(" *")) birds.resize(birds.size() - 2);  // the list's mark of a required item
    const std::string divided = "house totals divided by " + birds;
    if (total->kilogramsPerUnit == 1000.0) return "tonnes, converted to kg; " + divided;
    if (total->kilogramsPerUnit == 0.001) return "grams, converted to kg; " + divided;
    if (total->kilogramsPerUnit != 1.0) return "pounds, converted to kg; " + divided;
    return divided;
  }
  const double kilograms = kilogramsPerHeadingUnit(heading);
  if (kilograms == 0.001) return "grams, converted to kg";
  if (kilograms != 1.0) return "pounds, converted to kg";
  return "";
}

std::vector<std::string> unmatchedRequiredItems(const Workspace& ws) {
  std::vector<std::string> missing;
  for (int item : RequiredFlockItems)
    if (!ws.flockIdSet[static_cast<std::size_t>(item)]) missing.emplace_back(dataIdList(0, item));
  for (const RequiredNutrient& n : RequiredNutrients)
    if (!ws.nutrientIdSet[static_cast<std::size_t>(n.flag)])
      missing.emplace_back(dataIdList(1, n.item));
  return missing;
}

int requiredItemCount() { return static_cast<int>(std::size(RequiredFlockItems) + std::size(RequiredNutrients)); }

std::string autoMatchSummary(const AutoMatchReport& report) {
  std::string text = report.matched.empty() ? "No Data ID was matched by its heading.\n"
                                            : "Matched by headings:\n";
  for (const ColumnMatch& m : report.matched) {
    const std::string unit = headingUnitNote(m.side, m.item, m.heading);
    text += "  " + std::string(dataIdList(m.side == MatchSide::Flock ? 0 : 1, m.item)) + "  <-  " + m.heading +
            (unit.empty() ? "" : "  (" + unit + ")") + "\n";
  }
  if (report.missing.empty()) return text + "All required Data IDs are matched.";
  text += "Still to match by double-click:";
  for (const MissingItem& m : report.missing) {
    text += "\n  " + m.dataId;
    for (std::size_t i = 0; i < m.closest.size(); ++i)
      text += (i == 0 ? "  (closest headings: \"" : ", \"") + m.closest[i] + "\"" + (i + 1 == m.closest.size() ? ")" : "");
  }
  return text;
}

AutoMatchReport autoMatch(Workspace& ws, const UnitSettings& units, Dialogs& dialogs) {
  AutoMatchReport report;
  for (MatchSide side : {MatchSide::Flock, MatchSide::Diet})
    for (const auto& [item, column] : proposals(ws, side, report.notes))
      report.matched.push_back(matchColumn(ws, side, item, column, units, dialogs));
  for (const auto& [entry, column] : optionalItemProposals(ws, report.notes))
    report.matched.push_back(matchColumn(ws, MatchSide::Flock, entry, column, units, dialogs));
  report.unmatchedRequired = unmatchedRequiredItems(ws);
  report.missing = missingRequiredItems(ws);
  if (!report.notes.empty()) {
    std::string text;
    for (const std::string& note : report.notes) text += (text.empty() ? "" : "\n") + note;
    dialogs.message(text);
  }
  return report;
}

MatchMap parseMatchMap(std::string_view text) {
  MatchMap map;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(';', start), text.size());
    const std::string_view piece = text.substr(start, end - start);
    start = end + 1;
    if (trimmed(piece).empty()) continue;
    const std::size_t eq = piece.find('=');
    MapEntry entry;
    if (eq != std::string_view::npos)
      entry = {trimmed(piece.substr(0, eq)), trimmed(piece.substr(eq + 1))};
    if (entry.dataId.empty() || entry.heading.empty()) {
      map.problem = "\"" + std::string(piece) + "\" is not of the form DATA ID=Heading";
      map.entries.clear();
      return map;
    }
    map.entries.push_back(std::move(entry));
  }
  return map;
}

std::optional<std::vector<ColumnMatch>> applyMatchMap(Workspace& ws,
                                                      const std::vector<MapEntry>& entries,
                                                      const UnitSettings& units, Dialogs& dialogs) {
  struct Planned {
    MatchSide side;
    int item, column;
  };
  std::vector<Planned> plan;
  std::string problems;
  const auto fault = [&problems](const std::string& text) {
    problems += (problems.empty() ? "" : "\n") + text;
  };
  for (const MapEntry& e : entries) {
    const auto flock = std::find(FlockDataIds.begin(), FlockDataIds.end() - 1, e.dataId);
    const auto optional = std::find(OptionalDataIds.begin(), OptionalDataIds.end(), e.dataId);
    const auto nutrient = std::find(NutrientDataIds.begin(), NutrientDataIds.end() - 1, e.dataId);
    std::optional<Planned> p;
    if (flock != FlockDataIds.end() - 1)
      p = Planned{MatchSide::Flock, static_cast<int>(flock - FlockDataIds.begin()), -1};
    else if (optional != OptionalDataIds.end())
      p = Planned{MatchSide::Flock, FirstOptionalEntry + static_cast<int>(optional - OptionalDataIds.begin()), -1};
    else if (nutrient != NutrientDataIds.end() - 1)
      p = Planned{MatchSide::Diet, static_cast<int>(nutrient - NutrientDataIds.begin()), -1};
    if (!p) {
      fault("Unknown Data ID \"" + e.dataId +
            "\" (Data IDs are written as the lists show them, e.g. \"" +
            std::string(FlockDataIds[ItemLiveWeight]) + "\").");
      continue;
    }
    const std::vector<int> columns = columnsHeaded(sideGrid(ws, p->side), e.heading);
    if (columns.size() > 1) {
      fault(duplicateHeadingProblem(e.heading, columns) + " (for \"" + e.dataId + "\")");
      continue;
    }
    if (!columns.empty()) p->column = columns.front();
    if (p->column < 0) {
      fault("No column of the " + std::string(p->side == MatchSide::Flock ? "flock" : "diet") +
            " table is headed \"" + e.heading + "\" (for \"" + e.dataId + "\").");
      continue;
    }
    plan.push_back(*p);
  }
  if (!problems.empty()) {
    dialogs.message(problems + "\nNo column was matched from the list.");
    return std::nullopt;
  }
  std::vector<ColumnMatch> made;
  for (const Planned& p : plan)
    made.push_back(matchColumn(ws, p.side, p.item, p.column, units, dialogs));
  return made;
}

}  // namespace plumetra
