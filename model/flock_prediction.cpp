#include "model/flock_prediction.h"

#include "workspace/flock_selection.h"

#include "model/carcass_yield.h"
#include "model/run_messages.h"

#include <algorithm>
#include <span>

namespace plumetra {

namespace {

constexpr int kFirstIntakeColumn = 4;  // FlockData columns 4-9: first to sixth feed intake
constexpr int kBirdsColumn = 1;
constexpr double kFallbackStartWeight = 12000;  // g, the day step's last resort after day 98

std::span<const std::array<double, kNutrients>> dietTable(const DietTables& diets) {
  return {diets.EnteredDiets.data(), diets.EnteredDiets.size()};
}

int phasesInUse(const DietTables& diets) {
  int count = 0;
  for (int d = 0; d <= kMaxDietPhases - 1; ++d)
    if (diets.DietData[NutEnergy][d] > kDietEnergyInUse) ++count;
  return count;
}

// The diet table's nutrients that the diet grid carries, from DietData of the same diet.
void refreshFromDietData(DietTables& diets, int d) {
  auto& row = diets.EnteredDiets[d];
  const auto& data = diets.DietData;
  row[1] = data[NutEnergy][d];
  row[2] = data[NutProtein][d];
  row[10] = data[NutMethionine][d];
  row[9] = data[NutMetCys][d];
  row[5] = data[NutLysine][d];
  row[6] = data[NutTryptophan][d];
  row[3] = data[NutArginine][d];
  row[11] = data[NutThreonine][d];
}

void storePrediction(ModelState& m, int r) {
  auto& row = m.FlockPrediction[r];
  row[2] = m.FinalAge;
  row[1] = m.FinalWeight;
  row[0] = m.FinalWeight != 0 ? m.RunTarget / m.FinalWeight : 0;  // no weight: no conversion
}

}  // namespace

void PrepareFlockPrediction(Workspace& ws, ModelState& m, Dialogs& dialogs) {
  auto& data = ws.FlockData;
  const int flocks = std::clamp(ws.FlockCount, 0, MaxFlocks);
  for (int r = 1; r <= flocks; ++r)
    for (int c = kFirstIntakeColumn; c < kFirstIntakeColumn + kMaxDietPhases; ++c)
      if (data[c][r] > kHouseFeedThreshold && data[kBirdsColumn][r] != 0)
        data[c][r] /= data[kBirdsColumn][r];

  m.DietCount = phasesInUse(ws.diets);
  for (int d = 1; d <= m.DietCount; ++d) {
    refreshFromDietData(ws.diets, d);
    for (int k = 0; k < kNutrients; ++k) m.DietNutrients[d][k] = ws.diets.EnteredDiets[d][k];
  }
  for (int i = 1; i <= 2 * m.DietCount; ++i) m.RunMode.limits[i] = kRunModeLimitValue;
  m.RunMode.collect = 1;
  PredictFlocks(ws, m, dialogs);
}

void PredictFlocks(Workspace& ws, ModelState& m, Dialogs& dialogs) {
  m.RunMode.stopMode = kStopOnFeed;
  const int dietCount = std::clamp(m.DietCount, 0, kMaxDietPhases);
  for (int d = 1; d <= dietCount; ++d) m.DietNutrients[d][0] = ws.diets.EnteredDiets[d][0];

  const int densityColumn = ws.FarmOrder[ItemDensity][4];
  const int flocks = std::clamp(ws.FlockCount, 0, MaxFlocks);
  RunMessageTally messages;
  for (int r = 1; r <= flocks; ++r) {
    m.RunTarget = 0;
    for (int d = 1; d <= dietCount; ++d) {
      m.FeedAllotment[d] = ws.FlockData[d + kFirstIntakeColumn - 1][r];
      m.RunTarget += m.FeedAllotment[d];
    }
    // Each flock at its own density; no density column: no density effect (never the last
    // flock's or a location's value).
    m.DensityInput = {densityColumn > 0 ? ws.flockGrid.value(flockGridRow(ws, r), densityColumn) : 0.0,
                      kReferenceDensity};

    const GrowthRunEnd end = GrowFlock(m);
    messages.add(m.Messages, "flock " + std::to_string(r));
    if (end == GrowthRunEnd::DietEnergyFault) {
      m.FlockPrediction[r].fill(0.0);  // refused: nothing to carry over from the last flock
      continue;
    }
    if (m.RunMode.collect == 1) CarcassYield(m, r, dietTable(ws.diets));
    if (m.FinalAge > kLastGrowthDay) m.BodyWeight[std::clamp(m.ModelSex, 0, 2)][100] = kFallbackStartWeight;
    if (m.FinalAge == 0) m.RunMode.collect = 1;
    if (m.RunMode.collect == 1) storePrediction(m, r);
  }
  messages.show(dialogs);
}

GrowthRunEnd GrowDietTableFlock(const DietTables& diets, ModelState& m, Dialogs& dialogs) {
  const int dietCount = std::clamp(m.DietCount, 0, kMaxDietPhases);
  m.RunTarget = 0;
  for (int d = 1; d <= dietCount; ++d) {
    for (int k = 1; k < kNutrients; ++k) m.DietNutrients[d][k] = diets.EnteredDiets[d][k];
    m.FeedAllotment[d] = diets.EnteredDiets[d][0];
    m.RunTarget += m.FeedAllotment[d];
  }
  m.RunMode.stopMode = kStopOnFeed;
  const GrowthRunEnd end = GrowFlock(m, dialogs);
  for (int s = 0; s < kSexRows; ++s)
    for (int d = 1; d < ModelState::kReferenceCurveDays; ++d) m.ReferenceCurve[s][d] = m.BodyWeight[s][d];
  return end;
}

}  // namespace plumetra
