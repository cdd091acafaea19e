// A workbook opened by content and every sheet read. .xlsx is read in this process; an .xls
// goes to the separate reader program, whose output is fuzzed by xls_output_fuzz.

#include "fuzz/fuzz_support.h"
#include "files/workbook.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The OLE signature would start the .xls reader program for every input: not fuzzed here.
  if (size >= 4 && data[0] == 0xD0 && data[1] == 0xCF) return 0;
  const std::filesystem::path file = plumetra::fuzz::writeInput("book.xlsx", data, size);
  auto opened = plumetra::openWorkbook(file);
  if (!opened.ok()) return 0;
  for (const std::string& name : opened.get()->sheetNames()) opened.get()->readSheet(name);
  return 0;
}
