#pragma once
// What the .xls reader program (plumetra-xls-reader) hands back: every sheet of the workbook
// as read, or the reason it could not be read. The program prints it to its standard output
// in a plain, length-prefixed text form, and the main program reads that form back:
//
//   sheet <n>:<name bytes>               a sheet starts
//   num <row> <col> <number>             a number cell, row and column from 0
//   text <row> <col> <n>:<text bytes>    a text cell (dates come as date text)
//   warn <n>:<text bytes>                a warning of the sheet being read
//   end                                  the sheet ends
//   done                                 the workbook ends
//   error <kind>                         instead of everything: not-a-workbook, password,
//                                        damaged, too-large
//
// Every line ends in "\n"; a length counts the bytes that follow the colon.

#include "files/workbook.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plumetra {

enum class XlsProblem { NotAWorkbook, PasswordProtected, Damaged, TooLarge };

// Bounds on a whole read-out, all sheets together, that the reader keeps to before it writes
// and the main program checks again: its bytes, and the cells of its sheets once each is
// padded to a rectangle (two full sheets). A workbook over either is too large.
inline constexpr std::size_t MaxXlsReadoutBytes = 64ull * 1024 * 1024;
inline constexpr std::size_t MaxXlsReadoutCells = 2ull * MaxSheetRows * MaxSheetCols;
// The wall-clock and processor time the reader gets.
inline constexpr int XlsReaderSeconds = 5;

struct XlsSheet {
  std::string name;
  Sheet sheet;
};

struct XlsReadout {
  std::optional<XlsProblem> problem;  // when set, no sheets
  std::vector<XlsSheet> sheets;
};

// Writes the readout a piece at a time, so a reader can write each sheet as it is read: the
// sheets one after another (empty cells left out, numbers that are not finite too), then the
// end; or a problem alone.
void appendXlsSheet(std::string& out, const XlsSheet& sheet);
void appendXlsEnd(std::string& out);
std::string encodeXlsProblem(XlsProblem problem);
// Reads it back; std::nullopt when the text is not a whole, well-formed readout or a cell lies
// outside MaxSheetRows x MaxSheetCols; a readout whose sheets pass MaxXlsReadoutCells reads as
// the problem TooLarge.
std::optional<XlsReadout> decodeXlsReadout(std::string_view text);

}  // namespace plumetra
