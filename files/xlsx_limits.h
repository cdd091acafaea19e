#pragma once
// The bounds that keep an .xlsx file within memory and time whatever it holds: a small
// compressed file may unpack to gigabytes of XML or name one long text in every cell.
// Each bound is checked before anything is allocated for what lies beyond it, and a file over
// a bound is refused with a message that names it.

#include <cstddef>
#include <cstdint>

namespace plumetra::xlsx {

// The workbook-wide parts (relationships, workbook, shared strings, styles) together with the
// sheet being read, once unpacked.
inline constexpr std::uint64_t MaxUnpackedBytes = 64ull * 1024 * 1024;
// The parsed form of a part takes about 128 bytes per element (with its text) and 40 per
// attribute; a part whose estimate passes this is not parsed.
inline constexpr std::uint64_t MaxParsedBytes = 192ull * 1024 * 1024;
inline constexpr std::size_t MaxSharedStrings = 1'000'000;
// Excel's own limit on the characters of a cell. (The text of a whole sheet is bounded by
// MaxSheetTextBytes, files/workbook.h.)
inline constexpr std::size_t MaxStringCharacters = 32767;

}  // namespace plumetra::xlsx
