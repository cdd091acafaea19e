#pragma once
// Text read from outside files as UTF-8: a byte-order mark at the very start of the file is
// dropped, a file that starts with a UTF-16 mark (Excel's "Unicode Text") is converted from
// UTF-16, and a file that is not valid UTF-8 is taken as Windows-1252 (what older
// spreadsheets write on Western European systems) and converted.

#include <string>
#include <string_view>

namespace plumetra {

// The text as UTF-8, without a copy when the bytes are UTF-8 already: a view of `bytes` past
// its byte-order mark, or of `converted`, which then holds the conversion (and
// *fromWindows1252 is set).
std::string_view decodedView(std::string_view bytes, std::string& converted, bool* fromWindows1252 = nullptr);

bool isValidUtf8(std::string_view bytes);

// Whether the bytes start with a UTF-16 byte-order mark (either byte order).
bool hasUtf16Mark(std::string_view bytes);

}  // namespace plumetra
