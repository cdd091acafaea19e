// A flock table file loaded and matched as `plumetra-cli import --auto-match` does it, with
// the example diets. Built twice: as a comma-separated file and as tab-separated text (read
// like a paste), by the file name in FLOCK_FILE_NAME.

#include "fuzz/fuzz_support.h"
#include "state/app_state.h"
#include "state/load_inputs.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace plumetra;
  LoadInputsOptions options;
  options.flocks = fuzz::writeInput(FLOCK_FILE_NAME, data, size);
  options.diets = fuzz::sourceFile("examples/diets.dts");
  options.listFile = std::filesystem::path();  // no ".lst" offer
  options.autoMatch = true;
  auto state = std::make_unique<AppState>();
  loadInputs(*state, options, fuzz::quietDialogs());
  return 0;
}
