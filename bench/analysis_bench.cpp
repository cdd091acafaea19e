// The whole analysis run (checks, preparation, a growth-model prediction of every flock, the
// predicted columns, sort, outlier search, split statistics and the correlations of all
// numeric columns). Targets: 499 flocks at most 100 ms; the example data at most 40 ms.

#include "analysis/analysis_run.h"
#include "state/app_state.h"
#include "state/load_inputs.h"
#include "state/startup.h"
#include "controls/batch_dialogs.h"
#include "files/free_format.h"

#include "bench/example_state.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <sstream>

namespace {

using namespace plumetra;

using bench::Root;

std::unique_ptr<AppState> loaded(const std::filesystem::path& flocks) { return bench::loadedExample(flocks); }

// The example's flocks repeated, each copy's weights and conversions nudged, to 499 flocks.
std::filesystem::path largeTable() {
  const auto text = readTextFile(Root / "examples" / "flocks.csv");
  std::istringstream in(text.value_or(""));
  std::string heading, line;
  std::getline(in, heading);
  std::vector<std::string> rows;
  while (std::getline(in, line))
    if (!line.empty()) rows.push_back(line);
  std::string out = heading + "\n";
  for (int i = 0; i < 499 && !rows.empty(); ++i) out += rows[static_cast<std::size_t>(i) % rows.size()] + "\n";
  const auto path = bench::scratchFolder() / "flocks_499.csv";
  writeFileAtomically(path, out);
  return path;
}

void runAnalysis(benchmark::State& bench, const AppState& base) {
  std::ostringstream quiet;
  BatchDialogs dialogs(quiet);
  for (auto _ : bench) {
    bench.PauseTiming();
    auto s = std::make_unique<AppState>(base);
    bench.ResumeTiming();
    benchmark::DoNotOptimize(runAnalysis(s->workspace, s->model, s->analysis, dialogs));
    bench.PauseTiming();
    s.reset();
    bench.ResumeTiming();
  }
}

void AnalysisRun499Flocks(benchmark::State& bench) {
  static const std::unique_ptr<AppState> base = loaded(largeTable());
  bench.counters["flocks"] = base->workspace.flockCount;
  runAnalysis(bench, *base);
}

void AnalysisRunExample(benchmark::State& bench) {
  static const std::unique_ptr<AppState> base = loaded(Root / "examples" / "flocks.csv");
  bench.counters["flocks"] = base->workspace.flockCount;
  runAnalysis(bench, *base);
}

}  // namespace

BENCHMARK(AnalysisRun499Flocks)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(AnalysisRunExample)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
