#include "report/report_data.h"

#include <algorithm>

#include "analysis/analysis_summary.h"
#include "calibration/lower_cost_command.h"
#include "calibration/revaluation.h"
#include "presenters/lower_cost_window.h"
#include "workspace/flock_selection.h"

namespace plumetra {

namespace {

constexpr std::array<const char*, 3> SexNames{"mixed", "males", "females"};
// More months than this show as quarters.
constexpr std::size_t MonthsInATrend = 24;

// With no breed chosen the model grows the first breed of the table, the built-in default.
std::string breedName(const ModelState& m, int breed) {
  if (breed >= 0 && breed < MaxBreeds && !m.settings.breedNames[static_cast<std::size_t>(breed)].empty())
    return m.settings.breedNames[static_cast<std::size_t>(breed)];
  const std::string& fallback = m.settings.breedNames[0];
  return (fallback.empty() ? std::string("General") : fallback) + " (default)";
}

// The analysed flocks that are not in the split (outliers taken out), named as the summary
// names flocks, with their place in the flock table.
std::vector<std::string> flocksTakenOut(const Workspace& ws, const SplitFlocks& split) {
  std::vector<bool> inSplit(static_cast<std::size_t>(MaxFlocks) + 1, false);
  for (const SplitFlock& f : split.flocks) inSplit[static_cast<std::size_t>(f.flock)] = true;
  const int houseCol = ws.flockIdSet[ItemHouseId] ? ws.flockCol[ItemHouseId] : -1;
  std::vector<std::string> names;
  for (int r = 1; r <= std::min(ws.flockCount, MaxFlocks); ++r) {
    if (inSplit[static_cast<std::size_t>(r)]) continue;
    const int row = flockGridRow(ws, r);
    const std::string house = houseCol >= 0 ? ws.flockGrid.text(row, houseCol) : "";
    names.push_back((house.empty() ? "" : "house " + house + " ") + "(row " + std::to_string(row) + "): taken out");
  }
  return names;
}

}  // namespace

ReportData reportDataOf(const AppState& state, std::optional<double> standardWeight, std::optional<double> fcrSlope) {
  const Workspace& ws = state.workspace;
  const AnalysisState& st = state.analysis;
  const AnalysisResult result = analysedFlocks(state);
  ReportData d;
  d.dataSet = ws.dataFileName.empty() ? "a pasted table" : ws.dataFileName;
  d.date = todayText();
  const int sex = ws.chosenSex;
  d.sex = sex >= 0 && sex < 3 ? SexNames[static_cast<std::size_t>(sex)] : "not chosen";
  d.chosenSex = sex;
  d.breeds = "males " + breedName(state.model, state.model.settings.maleBreed) + ", females " +
             breedName(state.model, state.model.settings.femaleBreed);
  d.sortedBy = ws.analysisGrid.text(0, ws.flockCol[ItemFeedConversion]);  // the groups are always by it
  d.split = result.splitPercent;
  d.flocksLoaded = ws.flockCount;

  d.flocks = result.split;
  if (d.flocks.sexColumn) d.sex = "each flock's own, from the Flock Sex column (" + d.sex + " where it names none)";
  d.outliersFound = st.outliersOffered ? st.outlierCount : 0;
  if (d.outliersFound > 0)
    for (const FlockNote& note : outlierNotes(ws, result)) d.outliers.push_back(note.flock + " (FCR " + note.note + ")");
  d.outside = flocksTakenOut(ws, d.flocks);
  for (const LeftOutFlock& f : ws.leftOutFlocks)
    d.outside.push_back((f.house.empty() ? "" : "house " + f.house + " ") + "(row " + std::to_string(f.row) + "): " + f.reason);

  d.metrics = metricsOf(ws, d.flocks, standardWeight, fcrSlope);
  d.league = leagueOf(leagueFlocksOf(ws, d.flocks, d.metrics, {}).flocks, LeagueAdjustedFcr);
  d.league.costCurrency = d.metrics.pricing.currency;
  const bool dated = dateColumnOf(ws.flockGrid) >= 0;
  d.trends = trendsOf(d.flocks, d.metrics, TrendPeriod::Month, dated);
  if (d.trends.periods.size() > MonthsInATrend) d.trends = trendsOf(d.flocks, d.metrics, TrendPeriod::Quarter, dated);
  d.fit = initialFit(d.flocks);
  return d;
}

std::filesystem::path storedCalibrationBase(const AppState& state) {
  auto complete = [](const std::filesystem::path& base) {
    std::error_code ec;
    for (int g = GroupTop; g <= GroupBottom; ++g)
      if (!std::filesystem::is_regular_file(base.string() + groupWord(g) + ".clb", ec)) return false;
    return !base.filename().empty();
  };
  const Workspace& ws = state.workspace;
  if (!ws.locationFile.empty() && complete(locationBase(ws.locationFile))) return locationBase(ws.locationFile);
  if (!state.calibration.baseName.empty() && complete(ws.lastDir / state.calibration.baseName))
    return ws.lastDir / state.calibration.baseName;
  return {};
}

void addCalibratedParts(AppState& state, ReportData& data, const std::filesystem::path& base, const Grid* lowerCost,
                        Dialogs& dialogs) {
  Workspace& ws = state.workspace;
  data.calibration = state.calibration.baseName;
  addCalibratedFit(data.fit, data.flocks, state.model, state.calibration, ws.chosenSex);
  data.curves = growGroupCurves(state.model, base, dialogs);
  if (lowerCost) {
    data.lowerCost = *lowerCost;
    return;
  }
  if (!(ws.diets.dietTable[1][ValFeedCost] > 0)) return;
  state.calibration.targetWeight = middleGroupTarget(data.flocks);
  LowerCostContext context{ws, state.model, state.calibration, data.flocks, data.split, base.parent_path()};
  LowerCostRecord record;
  if (runLowerCostSearch(context, dialogs, record) != LowerCostEnd::Searched) return;
  LowerCostWindowState window;
  fillLowerCostWindow(window, record, data.split);
  data.lowerCost = window.results;
}

}  // namespace plumetra
