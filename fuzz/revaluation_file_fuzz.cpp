// "Revaluage.txt" read and shown in the revaluation window's grid.

#include "calibration/revaluation_file.h"
#include "calibration/revaluation_window.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<plumetra::RevaluationFile> file =
      plumetra::ParseRevaluationFile(std::string(plumetra::fuzz::bytesOf(data, size)));
  if (!file) return 0;
  static const plumetra::Grid analysisGrid(40, 20);
  std::array<std::int16_t, plumetra::FlockColEntries> columns{};
  for (std::size_t i = 0; i < columns.size(); ++i) columns[i] = static_cast<std::int16_t>(i % 20);
  plumetra::RevaluationWindowState window;
  plumetra::fillRevaluationWindow(window, *file, analysisGrid, columns);
  return 0;
}
