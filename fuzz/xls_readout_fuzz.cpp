// The readout of the .xls reader program as the main program parses it: whatever the reader
// (or something in its place) prints.

#include "files/xls_readout.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  plumetra::decodeXlsReadout(plumetra::fuzz::bytesOf(data, size));
  return 0;
}
