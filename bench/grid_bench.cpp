// Grid operations on a table the size of the largest flock file.

#include "controls/grid.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_SortFlockRows(benchmark::State& state) {
  plumetra::Grid grid(522, 60);
  for (int r = 22; r < grid.rows(); ++r)
    for (int c = 0; c < grid.cols(); ++c) grid.setText(r, c, std::to_string((r * 7919 + c * 31) % 1000) + ".5");
  for (auto _ : state) {
    plumetra::Grid copy = grid;
    copy.sortRows(22, copy.rows() - 1, 3, plumetra::SortOrder::NumericAscending);
    benchmark::DoNotOptimize(copy);
  }
}
BENCHMARK(BM_SortFlockRows);

}  // namespace
