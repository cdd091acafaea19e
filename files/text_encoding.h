#pragma once
// Text read from outside files as UTF-8: a byte-order mark at the very start of the file is
// dropped, and a file that is not valid UTF-8 is taken as Windows-1252 (what older
// spreadsheets write on Western European systems) and converted.

#include <string>
#include <string_view>

namespace plumetra {

struct DecodedText {
  std::string text;             // UTF-8
  bool fromWindows1252 = false;  // the bytes were not valid UTF-8 and were converted
};

DecodedText decodeText(std::string_view bytes);

bool isValidUtf8(std::string_view bytes);

}  // namespace plumetra
