// The tables beside the analysis and the report page on the analysed example: the metrics, the
// fit of the analysis run's predictions, and the report HTML with its charts (no calibration).
// They come after the analysis run, so they add to what a user waits for: target 10 ms.

#include "analysis/analysis_batch.h"
#include "bench/example_state.h"
#include "report/report_html.h"

#include <benchmark/benchmark.h>

namespace {

using namespace plumetra;

const AppState& analysedExample() {
  static const std::unique_ptr<AppState> state = bench::analysedExample();
  return *state;
}

void MetricsAndFitExample(benchmark::State& bench) {
  const AppState& s = analysedExample();
  for (auto _ : bench) {
    const SplitFlocks split = s.analysisResult->split;
    benchmark::DoNotOptimize(metricsOf(s.workspace, split, std::nullopt));
    benchmark::DoNotOptimize(initialFit(split));
  }
  bench.counters["flocks"] = s.analysis.groupCount[4];
}

void ReportPageExample(benchmark::State& bench) {
  const AppState& s = analysedExample();
  for (auto _ : bench) benchmark::DoNotOptimize(reportHtml(reportDataOf(s, std::nullopt)));
}

}  // namespace

BENCHMARK(MetricsAndFitExample)->Unit(benchmark::kMillisecond);
BENCHMARK(ReportPageExample)->Unit(benchmark::kMillisecond);
