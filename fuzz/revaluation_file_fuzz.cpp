// "Revaluage.txt" read and shown in the revaluation window's grid.

#include "calibration/revaluation_file.h"
#include "presenters/revaluation_window.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<plumetra::RevaluationFile> file =
      plumetra::parseRevaluationFile(std::string(plumetra::fuzz::bytesOf(data, size)));
  if (!file) return 0;
  static const plumetra::SplitFlocks split{{{.flock = 1, .group = 1}, {.flock = 2, .group = 3}}, {0, 1, 0, 1}};
  plumetra::RevaluationWindowState window;
  plumetra::fillRevaluationWindow(window, *file, split);
  return 0;
}
