// Five-fold cross-validation of the example's 216 flocks after one analysis run: five
// calibrated and stored sets on the training folds and one on every flock, each read back and
// grown for its flocks. Target: at most 3 s.

#include "analysis/cross_validation.h"
#include "analysis/split_flocks.h"
#include "bench/example_state.h"

#include <benchmark/benchmark.h>

namespace {

using namespace plumetra;

void BM_ValidateExampleFiveFolds(benchmark::State& bench) {
  const std::unique_ptr<AppState> state = bench::analysedExample();
  const SplitFlocks split = state->analysisResult->split;
  std::ostringstream log;
  BatchDialogs dialogs(log);
  for (auto _ : bench) {
    const CrossValidation v = crossValidate(state->workspace, state->model, split,
                                            {5, 1, bench::scratchFolder() / "validation"}, dialogs);
    if (!v.problem.empty() || v.all.groupsStored != 3) bench.SkipWithError("the validation did not run");
    benchmark::DoNotOptimize(v.outOfSample);
  }
}
BENCHMARK(BM_ValidateExampleFiveFolds)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
