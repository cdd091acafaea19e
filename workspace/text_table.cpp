#include "workspace/text_table.h"

#include <algorithm>

namespace plumetra {

TextTableRead readTextTable(std::string_view bytes, char separator, int maxRows) {
  TextTableRead out;
  CsvTable table = readCsv(bytes, separator);
  out.notes = std::move(table.notes);
  if (!table.problem.empty()) out.notes.push_back("The file could not be read to its end: " + table.problem + ".");
  const int rows = std::min(static_cast<int>(table.rows.size()), maxRows);
  std::size_t cols = 0;
  for (int r = 0; r < rows; ++r) cols = std::max(cols, table.rows[static_cast<std::size_t>(r)].size());
  out.grid = Grid(rows + 1, static_cast<int>(cols) + 1);
  for (int r = 0; r < rows; ++r) {
    const auto& row = table.rows[static_cast<std::size_t>(r)];
    for (std::size_t c = 0; c < row.size(); ++c) out.grid.setText(r, static_cast<int>(c), row[c]);
  }
  for (const UnclearNumber& u : table.unclear)
    if (u.row < rows) out.unclear.push_back(u);
  const int leftOut = static_cast<int>(table.rows.size()) - rows;
  if (leftOut > 0)
    out.notes.push_back("Only the first " + std::to_string(rows - 1) + " flocks were read; " +
                        std::to_string(leftOut) + " further lines were left out.");
  out.hasData = rows >= 2;
  return out;
}

}  // namespace plumetra
