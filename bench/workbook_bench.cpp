// Reading a flock workbook of the largest usual size: 500 flocks by 60 columns.

#include "controls/grid.h"
#include "files/workbook.h"

#include "bench/scratch_folder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

std::filesystem::path flockWorkbook() {
  const auto path = plumetra::bench::scratchFolder() / "flocks.xlsx";
  plumetra::Grid grid(501, 60);
  for (int c = 0; c < grid.cols(); ++c) grid.setText(0, c, "Item " + std::to_string(c));
  for (int r = 1; r < grid.rows(); ++r) {
    grid.setText(r, 0, "Farm " + std::to_string(r % 37));
    for (int c = 1; c < grid.cols(); ++c) grid.setText(r, c, std::to_string((r * 7919 + c * 31) % 10000) + ".25");
  }
  plumetra::writeXlsx(path, {{"Flock Data", &grid}});
  return path;
}

void BM_ReadFlockWorkbook(benchmark::State& state) {
  const auto path = flockWorkbook();
  for (auto _ : state) {
    auto book = plumetra::openWorkbook(path);
    auto sheet = book.get()->readSheet("Flock Data");
    benchmark::DoNotOptimize(sheet);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadFlockWorkbook)->Unit(benchmark::kMillisecond);

}  // namespace
