// The breed text file ("BrdData.Txt"), then the breeds' mean growth parameters.

#include "fuzz/fuzz_support.h"
#include "model/breed_data.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path file = plumetra::fuzz::writeInput("BrdData.Txt", data, size);
  auto model = std::make_unique<plumetra::ModelState>();
  if (plumetra::readBreedTextFile(*model, file, plumetra::fuzz::quietDialogs())) plumetra::setBreedMeanParams(*model);
  return 0;
}
