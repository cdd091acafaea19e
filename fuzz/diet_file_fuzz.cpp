// A diet file (".dts") read into the diet tables.

#include "fuzz/fuzz_support.h"
#include "workspace/diet_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path file = plumetra::fuzz::writeInput("diets.dts", data, size);
  plumetra::DietTables diets;
  plumetra::readDietFile(diets, file, plumetra::fuzz::quietDialogs());
  return 0;
}
