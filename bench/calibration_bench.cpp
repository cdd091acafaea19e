// Calibrating and storing the three flock splits of the example data, after one analysis run. Target: at most 2 s.

#include "analysis/analysis_run.h"
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

// The example analysed once; every iteration calibrates a copy.
const AppState& analysedExample() {
  static const std::unique_ptr<AppState> state = bench::analysedExample();
  return *state;
}

void BM_CalibrateAndStoreExample(benchmark::State& bench) {
  const std::filesystem::path& out = bench::scratchFolder();
  CalibrationOptions options;
  options.threads = static_cast<int>(bench.range(0));
  int stored = 0;
  for (auto _ : bench) {
    bench.PauseTiming();
    auto state = std::make_unique<AppState>(analysedExample());
    state->workspace.lastDir = out;
    std::ostringstream log;
    BatchDialogs dialogs(log);
    dialogs.answerInput("This creates", "Bench");
    bench.ResumeTiming();
    stored = calibrateGroups(state->workspace, state->model, state->calibration,
                             state->analysisResult->split, dialogs, options).groupsStored;
  }
  bench.counters["groups"] = stored;
}
// Argument: gradient threads (0: chosen by the number of cores, 1: sequential).
BENCHMARK(BM_CalibrateAndStoreExample)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
