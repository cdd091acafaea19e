#include "model/flock_prediction.h"

#include "model/carcass_yield.h"
#include "model/run_messages.h"
#include "workspace/flock_selection.h"
#include "workspace/flock_sex.h"
#include "workspace/matching.h"

#include <algorithm>
#include <span>
#include <thread>
#include <vector>

namespace plumetra {

namespace {

constexpr int BirdsColumn = 1;

std::span<const std::array<double, Nutrients>> dietTable(const DietTables& diets) {
  return {diets.enteredDiets.data(), diets.enteredDiets.size()};
}

int phasesInUse(const DietTables& diets) {
  int count = 0;
  for (int d = 0; d <= MaxDietPhases - 1; ++d)
    if (diets.dietData[NutEnergy][d] > DietEnergyInUse) ++count;
  return count;
}

// The diet table's nutrients that the diet grid carries, from dietData of the same diet.
void refreshFromDietData(DietTables& diets, int d) {
  auto& row = diets.enteredDiets[d];
  const auto& data = diets.dietData;
  row[1] = data[NutEnergy][d];
  row[2] = data[NutProtein][d];
  row[10] = data[NutMethionine][d];
  row[9] = data[NutMetCys][d];
  row[5] = data[NutLysine][d];
  row[6] = data[NutTryptophan][d];
  row[3] = data[NutArginine][d];
  row[11] = data[NutThreonine][d];
}

void storePrediction(const GrowthResults& run, double feed, std::array<double, PredictionItems>& row) {
  row[2] = run.finalAge;
  row[1] = run.finalWeight;
  row[0] = run.finalWeight != 0 ? feed / run.finalWeight : 0;  // no weight: no conversion
}

}  // namespace

void prepareFlockPrediction(Workspace& ws, ModelState& m, FlockPredictionTable& predictions, Dialogs& dialogs) {
  auto& data = ws.flockData;
  const int flocks = std::clamp(ws.flockCount, 0, MaxFlocks);
  for (int r = 1; r <= flocks; ++r)
    for (int c = intakeColumn(1); c <= intakeColumn(MaxDietPhases); ++c)
      if (data[c][r] > HouseFeedThreshold && data[BirdsColumn][r] != 0)
        data[c][r] /= data[BirdsColumn][r];

  m.inputs.dietCount = phasesInUse(ws.diets);
  for (int d = 1; d <= m.inputs.dietCount; ++d) {
    refreshFromDietData(ws.diets, d);
    for (int k = 0; k < Nutrients; ++k) m.inputs.dietNutrients[d][k] = ws.diets.enteredDiets[d][k];
  }
  predictFlockTable(ws, m, predictions, dialogs);
}

namespace {

// What every flock's run shares: the model's inputs as the analysis set them, the flocks' feed
// and densities, and the diets.
struct FlockRuns {
  const Workspace& ws;
  const ModelState& model;
  int dietCount = 0;
  std::vector<double> density;  // birds per m2 of flock 1..n, 0 without a density column
  FlockSexes sexes;             // the sex each flock grows as
};

// Flocks first..last grown with `in` and `out` (a model's or a thread's own), their predictions
// in `predictions` and their runs' messages in `messages`, by flock.
void growFlocks(const FlockRuns& runs, int first, int last, GrowthInputs& in, GrowthResults& out,
                FlockPredictionTable& predictions, std::vector<RunMessages>& messages) {
  for (int r = first; r <= last; ++r) {
    double feed = 0;  // kg per bird
    for (int d = 1; d <= runs.dietCount; ++d) {
      in.feedAllotment[d] = runs.ws.flockData[intakeColumn(d)][r];
      feed += in.feedAllotment[d];
    }
    in.stop = RunStop::atFeed(feed);
    in.modelSex = runs.sexes.of(r);
    // Each flock at its own density; no density column: no density effect (never the last
    // flock's or a location's value).
    in.densityInput = {runs.density[static_cast<std::size_t>(r)], ReferenceDensity};

    const GrowthRunEnd end = growFlock(in, runs.model.composition, runs.model.settings.units, out);
    messages[static_cast<std::size_t>(r)] = out.messages;
    auto& row = predictions[r];
    if (end == GrowthRunEnd::DietEnergyFault) {
      row.fill(0.0);  // refused: nothing to carry over from the last flock
      continue;
    }
    const auto carcass = carcassEstimates(in, dietTable(runs.ws.diets));
    for (int j = 1; j <= CarcassEstimateCount; ++j) row[j + 2] = carcass[j];
    storePrediction(out, feed, row);
  }
}

// Below this many flocks a second thread costs more than it saves.
constexpr int FlocksForTwoThreads = 40;

}  // namespace

void predictFlockTable(Workspace& ws, ModelState& m, FlockPredictionTable& predictions, Dialogs& dialogs) {
  GrowthInputs& in = m.inputs;
  const int dietCount = std::clamp(in.dietCount, 0, MaxDietPhases);
  for (int d = 1; d <= dietCount; ++d) in.dietNutrients[d][0] = ws.diets.enteredDiets[d][0];

  // Every flock grows as its own sex when a Flock Sex column is matched, else as the sex chosen
  // for the data set, whatever sex a settings file left.
  if (ws.chosenSex >= 0) in.modelSex = ws.chosenSex;
  const int chosenSex = in.modelSex;
  const int densityColumn = ws.farmOrder[ItemDensity][4];
  const int flocks = std::clamp(ws.flockCount, 0, std::min(MaxFlocks, PredictionTableRows - 1));
  FlockRuns runs{ws, m, dietCount, std::vector<double>(static_cast<std::size_t>(flocks) + 1, 0.0),
                 flockSexesOf(ws, chosenSex)};
  if (const std::string unknown = unknownSexMessage(runs.sexes, chosenSex); !unknown.empty()) dialogs.message(unknown);
  if (densityColumn > 0)
    for (int r = 1; r <= flocks; ++r)
      runs.density[static_cast<std::size_t>(r)] = densityCellValue(ws, flockGridRow(ws, r), densityColumn);

  // The runs do not depend on each other: the first half grows on a copy of the inputs in a
  // thread of its own, the second half on the model itself, so the model ends as after the last
  // flock's run whatever the split. The results are those of one thread, bit for bit.
  std::vector<RunMessages> messages(static_cast<std::size_t>(flocks) + 1);
  const int firstHalf = flocks >= FlocksForTwoThreads && std::thread::hardware_concurrency() > 1 ? flocks / 2 : 0;
  GrowthInputs helperInputs = in;
  GrowthResults helperResults;
  std::thread helper;
  if (firstHalf > 0)
    helper = std::thread(
        [&] { growFlocks(runs, 1, firstHalf, helperInputs, helperResults, predictions, messages); });
  growFlocks(runs, firstHalf + 1, flocks, in, m.results, predictions, messages);
  if (helper.joinable()) helper.join();
  m.results.modelError = m.results.modelError || helperResults.modelError;
  in.modelSex = chosenSex;  // the runs that follow (calibration, the diet table's flock) grow as the chosen sex

  RunMessageTally tally;
  for (int r = 1; r <= flocks; ++r) tally.add(messages[static_cast<std::size_t>(r)], "flock " + std::to_string(r));
  tally.show(dialogs);
}

GrowthRunEnd growDietTableFlock(const DietTables& diets, ModelState& m, Dialogs& dialogs) {
  GrowthInputs& in = m.inputs;
  const int dietCount = std::clamp(in.dietCount, 0, MaxDietPhases);
  double feed = 0;
  for (int d = 1; d <= dietCount; ++d) {
    for (int k = 1; k < Nutrients; ++k) in.dietNutrients[d][k] = diets.enteredDiets[d][k];
    in.feedAllotment[d] = diets.enteredDiets[d][0];
    feed += in.feedAllotment[d];
  }
  in.stop = RunStop::atFeed(feed);
  return growFlock(m, dialogs);
}

}  // namespace plumetra
