#include "report/report_data.h"

#include <algorithm>

#include "calibration/lower_cost_command.h"
#include "calibration/revaluation.h"

namespace plumetra {

namespace {

constexpr int MiddleMeanRow = 13;  // the Middle group's means in the split statistics
constexpr std::array<const char*, 3> SexNames{"mixed", "males", "females"};

std::string breedName(const ModelState& m, int breed) {
  return breed >= 0 && breed < kMaxBreeds && !m.BreedNames[static_cast<std::size_t>(breed)].empty()
             ? m.BreedNames[static_cast<std::size_t>(breed)]
             : "none chosen";
}

// "house 3 (row 17)": house numbers often repeat across farms, the row of the data does not.
std::string flockName(const std::string& house, int flock) {
  return (house.empty() ? std::string() : "house " + house + " ") + "(row " + std::to_string(flock) + ")";
}

// The loaded flocks that are not in the split: outliers taken out, or flocks the analysis
// did not count (no live weight).
std::vector<std::string> flocksOutside(const Workspace& ws, const SplitFlocks& split) {
  std::vector<bool> inSplit(static_cast<std::size_t>(MaxFlocks) + 1, false);
  for (const SplitFlock& f : split.flocks) inSplit[static_cast<std::size_t>(f.flock)] = true;
  const int houseCol = ws.FlockIdSet[ItemHouseId] ? ws.FlockCol[ItemHouseId] : -1;
  std::vector<std::string> houses;
  for (int r = 1; r <= std::min(ws.FlockCount, MaxFlocks); ++r)
    if (!inSplit[static_cast<std::size_t>(r)])
      houses.push_back(flockName(houseCol >= 0 ? ws.flockGrid.text(r, houseCol) : "", r));
  return houses;
}

}  // namespace

ReportData reportDataOf(const AppState& state, std::optional<double> standardWeight) {
  const Workspace& ws = state.workspace;
  const AnalysisState& st = state.analysis;
  ReportData d;
  d.dataSet = ws.dataFileBox.text.empty() || ws.dataFileBox.text == kDataFileCaption ? "a pasted table"
                                                                                      : ws.dataFileBox.text;
  d.date = TodayText();
  const int sex = ws.flockSexChoice.index;
  d.sex = sex >= 0 && sex < 3 ? SexNames[static_cast<std::size_t>(sex)] : "not chosen";
  d.breeds = "males " + breedName(state.model, state.model.MaleBreed) + ", females " +
             breedName(state.model, state.model.FemaleBreed);
  d.sortedBy = ws.analysisGrid.text(0, st.FirstSortColumn);
  d.split = st.SplitPercent;
  d.flocksLoaded = ws.FlockCount;

  d.flocks = splitFlocksOf(ws, st);
  d.outliersFound = ws.outlierButton.visible ? st.OutlierCount : 0;
  // Outliers still in the split are its last flocks (highest values of the sort).
  const int kept = static_cast<int>(d.flocks.flocks.size());
  for (int i = std::max(0, kept - d.outliersFound); i < kept; ++i)
    d.outliers.push_back(flockName(d.flocks.flocks[static_cast<std::size_t>(i)].house,
                                   d.flocks.flocks[static_cast<std::size_t>(i)].flock));
  d.outside = flocksOutside(ws, d.flocks);

  d.metrics = metricsOf(ws, d.flocks, standardWeight);
  d.fit = initialFit(ws, d.flocks);
  return d;
}

std::filesystem::path storedCalibrationBase(const AppState& state) {
  auto complete = [](const std::filesystem::path& base) {
    std::error_code ec;
    for (int g = kGroupTop; g <= kGroupBottom; ++g)
      if (!std::filesystem::is_regular_file(base.string() + groupWord(g) + ".clb", ec)) return false;
    return !base.filename().empty();
  };
  const Workspace& ws = state.workspace;
  if (!ws.LocationFile.empty() && complete(locationBase(ws.LocationFile))) return locationBase(ws.LocationFile);
  if (!state.calibration.BaseName.empty() && complete(ws.LastDir / state.calibration.BaseName))
    return ws.LastDir / state.calibration.BaseName;
  return {};
}

void addCalibratedParts(AppState& state, ReportData& data, const std::filesystem::path& base,
                        const Grid* lowerCost, Dialogs& dialogs) {
  Workspace& ws = state.workspace;
  data.calibration = state.calibration.BaseName;
  addCalibratedFit(data.fit, ws, data.flocks, state.model, state.calibration);
  data.curves = growGroupCurves(state.model, base, dialogs);
  if (lowerCost) {
    data.lowerCost = *lowerCost;
    return;
  }
  if (!(ws.diets.DietTable[1][ValFeedCost] > 0)) return;
  state.calibration.TargetWeight = ws.analysisGrid.value(MiddleMeanRow, ws.FlockCol[ItemLiveWeight]);
  LowerCostContext context{ws, state.model, state.calibration, state.analysis.SplitPercent, base.parent_path(), true};
  LowerCostRecord record;
  LowerCostWindowState window;
  if (SearchLowerCost(context, dialogs, record, window) == LowerCostEnd::Searched) data.lowerCost = window.results;
}

}  // namespace plumetra
