// A settings file (".stg") read into the growth model.

#include "fuzz/fuzz_support.h"
#include "model/settings_file.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  plumetra::fuzz::writeInput("group.stg", data, size);
  auto model = std::make_unique<plumetra::ModelState>();
  plumetra::readSettingsFile(*model, plumetra::fuzz::scratchFolder() / "group", plumetra::fuzz::quietDialogs());
  return 0;
}
