#include "state/load_inputs.h"

#include <algorithm>
#include <cctype>

#include "workspace/diet_grid.h"
#include "workspace/flock_selection.h"
#include "workspace/matching.h"
#include "workspace/workbook_import.h"

namespace plumetra {

namespace {

std::string lowerExtension(const std::filesystem::path& file) {
  std::string ext = file.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

bool isTextTable(const std::filesystem::path& file) {
  return lowerExtension(file) == ".csv" || isTabSeparatedName(file);
}

// Chooses `name` (or the first sheet when empty) in `combo`; false after telling why not.
bool chooseSheet(Combo& combo, const std::string& name, const std::string& what, Dialogs& dialogs) {
  if (combo.items.empty()) {
    dialogs.message("The " + what + " workbook holds no sheets.");
    return false;
  }
  const auto found =
      name.empty() ? combo.items.begin() : std::find(combo.items.begin(), combo.items.end(), name);
  if (found == combo.items.end()) {
    std::string list;
    for (const std::string& s : combo.items) list += (list.empty() ? "\"" : ", \"") + s + "\"";
    dialogs.message("The " + what + " workbook has no sheet named \"" + name +
                    "\"; its sheets are " + list + ".");
    return false;
  }
  combo.choose(static_cast<int>(found - combo.items.begin()));
  return true;
}

// With no sheet named, the sheet that holds the flock headings when it is not the first; the
// user is told which was read.
std::string flockSheetName(const Workspace& ws) {
  const int found = ws.workbook ? flockSheetIndex(*ws.workbook) : -1;
  if (found <= 0 || found >= static_cast<int>(ws.flockSheetChoice.items.size())) return "";
  return ws.flockSheetChoice.items[static_cast<std::size_t>(found)];
}

bool loadFlocks(AppState& state, const LoadInputsOptions& options, LoadInputsReport& report,
                Dialogs& dialogs) {
  Workspace& ws = state.workspace;
  selectTab(ws, FlockTab);
  if (isTextTable(options.flocks))
    return loadFlockTextFile(ws, state.model.settings.units, dialogs, options.flocks, options.listFile);
  if (!openWorkbookFile(ws, options.flocks, dialogs)) return false;
  report.sheets = ws.flockSheetChoice.items;
  const std::string found = options.sheet.empty() ? flockSheetName(ws) : "";
  if (!found.empty())
    dialogs.message("The flocks were read from the sheet \"" + found +
                    "\", whose headings name the flock items; the first sheet names too few.");
  if (!chooseSheet(ws.flockSheetChoice, found.empty() ? options.sheet : found, "flock", dialogs)) return false;
  return loadFlockSheet(ws, state.model.settings.units, dialogs, options.listFile);
}

// A diets workbook is opened for its sheets only: the data file stays the flocks file.
bool openDietWorkbook(Workspace& ws, const std::filesystem::path& file, Dialogs& dialogs) {
  const std::string dataFile = ws.dataFileName;
  const std::filesystem::path lastDir = ws.lastDir;
  const Combo flockSheets = ws.flockSheetChoice;
  const bool opened = openWorkbookFile(ws, file, dialogs);
  ws.dataFileName = dataFile;
  ws.lastDir = lastDir;
  ws.flockSheetChoice = flockSheets;
  return opened;
}

bool loadDiets(AppState& state, const LoadInputsOptions& options, LoadInputsReport& report,
               Dialogs& dialogs) {
  Workspace& ws = state.workspace;
  if (!options.diets.empty()) {
    if (lowerExtension(options.diets) == ".dts") {
      if (!loadDietFile(ws, options.diets, dialogs)) {
        dialogs.message("No diets were read from " + options.diets.string() + ".");
        return false;
      }
      report.dietsFromFile = true;
      return true;
    }
    if (isTextTable(options.diets)) {
      selectTab(ws, DietTab);
      return loadDietTextFile(ws, dialogs, options.diets);
    }
    if (!openDietWorkbook(ws, options.diets, dialogs)) return false;
    report.dietSheets = ws.dietSheetChoice.items;
  } else if (options.dietSheet.empty()) {
    return true;
  } else if (!ws.workbook || isTextTable(options.flocks)) {
    dialogs.message("A diet sheet needs a workbook: the flock data are not in one.");
    return false;
  }
  if (!chooseSheet(ws.dietSheetChoice, options.dietSheet, "diet", dialogs)) return false;
  selectTab(ws, DietTab);
  return loadDietSheet(ws, dialogs);
}

// The flock items matched just after loading: those the Data ID list replayed, as (item, column).
std::vector<std::pair<int, int>> listMatches(const Workspace& ws) {
  std::vector<std::pair<int, int>> out;
  for (int item = 0; item < FlockListEnd; ++item)
    if (const int col = matchedFlockColumn(ws, item); col >= 0) out.emplace_back(item, col);
  return out;
}

// --map and --auto-match come before the list: its matches are put aside for them to choose
// afresh ...
void setAside(Workspace& ws, const std::vector<std::pair<int, int>>& matches) {
  for (const auto& [item, col] : matches) {
    ws.flockDataIds.items[static_cast<std::size_t>(item)] = std::string(dataIdList(0, item));
    if (const auto optional = optionalItemAt(item)) ws.optionalColumns.set(*optional, -1);
    ws.flockGrid.setBackground(0, col, colours::ButtonFace);
  }
}

// ... and the list's items they left unmatched are matched again to the list's column, unless
// another item took it. Returns the Data IDs kept from the list.
std::vector<std::string> keepListMatches(Workspace& ws, const std::vector<std::pair<int, int>>& matches,
                                         const UnitSettings& units, Dialogs& dialogs) {
  std::vector<std::string> kept;
  for (const auto& [item, col] : matches) {
    if (isMatchedEntry(ws, MatchSide::Flock, item)) continue;
    if (ws.flockGrid.background(0, col) == colours::Matched) {
      if (!optionalItemAt(item)) ws.flockIdSet[static_cast<std::size_t>(item)] = false;
      continue;
    }
    matchColumn(ws, MatchSide::Flock, item, col, units, dialogs);
    kept.emplace_back(dataIdList(0, item));
  }
  return kept;
}

void gatherFlockMatches(const Workspace& ws, LoadInputsReport& report) {
  for (int item = 0; item < FlockListEnd; ++item)
    if (const int col = matchedFlockColumn(ws, item); col >= 0)
      report.matches.push_back({MatchSide::Flock, item, col, ws.flockGrid.text(0, col)});
}

}  // namespace

LoadInputsReport loadInputs(AppState& state, const LoadInputsOptions& options, Dialogs& dialogs) {
  LoadInputsReport report;
  Workspace& ws = state.workspace;
  ws.listFileTarget = options.listFileTarget;
  if (!loadFlocks(state, options, report, dialogs)) return report;
  report.flockCount = ws.flockCount;
  if (ws.flockCount == 0) {
    dialogs.message("No flocks were found in " + options.flocks.string() +
                    ": the table has headings only.");
    return report;
  }
  if (!loadDiets(state, options, report, dialogs)) return report;

  const std::vector<std::pair<int, int>> fromList = listMatches(ws);
  const bool matchAfresh = !options.map.empty() || options.autoMatch;
  if (matchAfresh) setAside(ws, fromList);
  std::vector<ColumnMatch> dietMatches;
  if (!options.map.empty()) {
    const auto made = applyMatchMap(ws, options.map, state.model.settings.units, dialogs);
    if (!made) return report;
    for (const ColumnMatch& m : *made)
      if (m.side == MatchSide::Diet) dietMatches.push_back(m);
  }
  if (options.autoMatch) {
    for (const ColumnMatch& m : autoMatch(ws, state.model.settings.units, dialogs).matched)
      if (m.side == MatchSide::Diet) dietMatches.push_back(m);
  }
  if (matchAfresh) {
    report.fromList = keepListMatches(ws, fromList, state.model.settings.units, dialogs);
  } else {
    for (const auto& [item, col] : fromList) report.fromList.emplace_back(dataIdList(0, item));
  }
  gatherFlockMatches(ws, report);
  report.matches.insert(report.matches.end(), dietMatches.begin(), dietMatches.end());
  report.unmatchedRequired = unmatchedRequiredItems(ws);
  report.missing = missingRequiredItems(ws);
  report.leftOut = selectCompleteFlocks(ws, state.model.settings.units).leftOut;
  report.ok = true;
  return report;
}

}  // namespace plumetra
