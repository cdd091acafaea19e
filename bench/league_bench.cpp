// The farm league of the largest table the program takes: 499 flocks on 50 farms, every pair
// of farms compared. Target: at most 5 ms.

#include "analysis/league_table.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace plumetra;

std::vector<LeagueFlock> fiftyFarms() {
  std::mt19937 random(7);
  std::normal_distribution<double> spread(0.0, 0.05);
  std::vector<LeagueFlock> flocks;
  for (int i = 0; i < 499; ++i) {
    const double farm = i % 50;
    const double fcr = 1.55 + 0.004 * farm + spread(random);
    flocks.push_back({"Farm " + std::to_string(i % 50), {fcr, fcr - 0.05, 62.0 - farm * 0.1, 380.0, 0.58}});
  }
  return flocks;
}

void BM_League499FlocksOn50Farms(benchmark::State& bench) {
  const std::vector<LeagueFlock> flocks = fiftyFarms();
  for (auto _ : bench) benchmark::DoNotOptimize(leagueOf(flocks, LeagueAdjustedFcr));
}
BENCHMARK(BM_League499FlocksOn50Farms)->Unit(benchmark::kMillisecond);

}  // namespace
