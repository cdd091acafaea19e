// A grid as tab-separated text: every row, fixed rows included; cells by TAB, rows by CR LF.

#include "files/free_format.h"
#include "files/workbook.h"
#include "files/workbook_messages.h"

namespace plumetra {
namespace {

// A TAB or line break inside a cell would split it; it becomes a blank.
void appendCell(std::string& out, const std::string& text) {
  for (char c : text) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

}  // namespace

std::string gridToTsv(const Grid& grid) {
  std::string out;
  for (int row = 0; row < grid.rows(); ++row) {
    for (int col = 0; col < grid.cols(); ++col) {
      if (col > 0) out += '\t';
      appendCell(out, grid.text(row, col));
    }
    out += "\r\n";
  }
  return out;
}

Result<std::filesystem::path> writeTsv(const std::filesystem::path& path, const Grid& grid) {
  std::string error;
  if (!writeFileAtomically(path, gridToTsv(grid), &error))
    return {WorkbookError{workbook_messages::cannotWrite(path, error)}};
  return {path};
}

}  // namespace plumetra
