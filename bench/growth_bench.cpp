// The growth run as the calibration and the lower-cost search call it, and the prediction of
// every flock of a large flock table.

#include "model/composition.h"
#include "model/flock_prediction.h"
#include "model/growth_run.h"
#include "controls/scripted_dialogs.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace plumetra;

constexpr NutrientVector Starter{0.5, 3000, 22, 1.45, 0.5, 1.3, 0.22, 1.6, 0.8, 0.95, 0.5, 0.85, 1.6, 0.9, 1.0};
constexpr NutrientVector Grower{1.5, 3100, 20, 1.3, 0.45, 1.15, 0.2, 1.45, 0.75, 0.87, 0.45, 0.77, 1.5, 0.82, 0.9};
constexpr NutrientVector Finisher{2.5, 3200, 18, 1.15, 0.4, 1.0, 0.18, 1.3, 0.7, 0.8, 0.4, 0.7, 1.4, 0.74, 0.82};

std::unique_ptr<ModelState> threePhaseModel() {
  auto m = std::make_unique<ModelState>();
  prepareComposition(*m);
  m->inputs.dietCount = 3;
  const NutrientVector diets[] = {Starter, Grower, Finisher};
  for (int d = 1; d <= 3; ++d) {
    m->inputs.dietNutrients[d] = diets[d - 1];
    m->inputs.feedAllotment[d] = diets[d - 1][0];
    for (int s = 0; s < SexRows; ++s) m->inputs.refEnergy[s][d] = 3000;
  }
  return m;
}

// One 42-day mixed run.
void BM_GrowFlockMixed42Days(benchmark::State& state) {
  auto m = threePhaseModel();
  m->inputs.modelSex = 0;
  m->inputs.stop = RunStop::atAge(42);
  for (auto _ : state) {
    growFlock(*m);
    benchmark::DoNotOptimize(m->results.finalFeedConversion);
  }
}
BENCHMARK(BM_GrowFlockMixed42Days)->Unit(benchmark::kMicrosecond);

// prepareFlockPrediction over a flock table of state.range(0) flocks with varied feed.
void BM_PredictFlocks(benchmark::State& state) {
  auto ws = std::make_unique<Workspace>();
  const NutrientVector diets[] = {Starter, Grower, Finisher};
  for (int d = 1; d <= 3; ++d) {
    ws->diets.enteredDiets[d] = diets[d - 1];
    ws->diets.dietData[NutEnergy][d] = diets[d - 1][1];
    ws->diets.dietData[NutProtein][d] = diets[d - 1][2];
  }
  const int flocks = static_cast<int>(state.range(0));
  ws->flockCount = flocks;
  for (int r = 1; r <= flocks; ++r) {
    ws->flockData[1][r] = 20000;
    ws->flockData[4][r] = 0.4 + 0.001 * (r % 200);
    ws->flockData[5][r] = 1.3 + 0.002 * (r % 150);
    ws->flockData[6][r] = 2.2 + 0.003 * (r % 100);
  }
  auto m = threePhaseModel();
  auto predictions = std::make_unique<FlockPredictionTable>();
  ScriptedDialogs dialogs;
  for (auto _ : state) {
    prepareFlockPrediction(*ws, *m, *predictions, dialogs);
    benchmark::DoNotOptimize((*predictions)[flocks][1]);
  }
}
BENCHMARK(BM_PredictFlocks)->Arg(150)->Arg(499)->Unit(benchmark::kMillisecond);

}  // namespace
