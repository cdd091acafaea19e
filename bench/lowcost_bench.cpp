// The lower-cost search of all three groups and the revaluation of predictions on the example
// data, after one analysis run and one calibration of the splits. Targets: the search at most
// 2 s, the revaluation 0.2 s.

#include "analysis/analysis_run.h"
#include "calibration/lower_cost_command.h"
#include "calibration/revaluation.h"
#include "calibration/split_calibration.h"
#include "state/app_state.h"
#include "controls/batch_dialogs.h"

#include "bench/example_state.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <sstream>

namespace {

using namespace plumetra;


// The example analysed and calibrated once; every iteration works on a copy.
const AppState& calibratedExample() {
  static const std::unique_ptr<AppState> state = [] {
    auto s = bench::analysedExample();
    std::ostringstream quiet;
    BatchDialogs dialogs(quiet);
    s->workspace.lastDir = bench::scratchFolder();
    dialogs.answerInput("This creates", "Bench");
    calibrateGroups(s->workspace, s->model, s->calibration, s->analysisResult->split, dialogs);
    return s;
  }();
  return *state;
}

void BM_LowerCostSearchExample(benchmark::State& bench) {
  double saving = 0;
  for (auto _ : bench) {
    bench.PauseTiming();
    auto state = std::make_unique<AppState>(calibratedExample());
    std::ostringstream log;
    BatchDialogs dialogs(log);
    const SplitFlocks split = state->analysisResult->split;
    LowerCostContext context{state->workspace, state->model, state->calibration, split,
                             state->analysisResult->splitPercent, bench::scratchFolder()};
    LowerCostRecord record;
    bench.ResumeTiming();
    runLowerCostSearch(context, dialogs, record);
    saving = record.groups[GroupMiddle].saving();
  }
  bench.counters["middle_saving"] = saving;
}
BENCHMARK(BM_LowerCostSearchExample)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RevaluationExample(benchmark::State& bench) {
  for (auto _ : bench) {
    bench.PauseTiming();
    auto state = std::make_unique<AppState>(calibratedExample());
    std::ostringstream log;
    BatchDialogs dialogs(log);
    const SplitFlocks split = state->analysisResult->split;
    RevaluationContext context{state->workspace, state->model, state->calibration, split, bench::scratchFolder(),
                               "bench"};
    bench.ResumeTiming();
    revalueFlocksAs(context, "Bench", dialogs);
  }
}
BENCHMARK(BM_RevaluationExample)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
