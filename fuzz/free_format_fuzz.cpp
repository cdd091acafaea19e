// The free-format reader every text file of the program goes through: fields, numbers and
// lines in the order the input's first byte chooses.

#include "fuzz/fuzz_support.h"
#include "files/free_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned char order = data[0];
  plumetra::FreeFormatReader reader(std::string(plumetra::fuzz::bytesOf(data + 1, size - 1)));
  for (int step = 0; !reader.atEnd(); ++step) {
    switch ((order >> (2 * (step % 4))) & 3) {
      case 0: reader.field(); break;
      case 1: reader.numberField(); break;
      default: reader.line(); break;
    }
  }
  return 0;
}
