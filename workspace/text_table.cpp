#include "workspace/text_table.h"

#include <algorithm>

namespace plumetra {

TextTableRead readTextTable(std::string_view bytes, char separator, int maxRows, int maxCols) {
  TextTableRead out;
  CsvTable table = readCsv(bytes, separator,
                           {.rows = static_cast<std::size_t>(std::max(maxRows, 1)),
                            .cols = static_cast<std::size_t>(std::max(maxCols, 1))});
  out.notes = std::move(table.notes);
  if (!table.problem.empty()) out.notes.push_back("The file could not be read to its end: " + table.problem + ".");
  const int rows = static_cast<int>(table.rows.size());
  std::size_t cols = 0;
  for (int r = 0; r < rows; ++r) cols = std::max(cols, table.rows[static_cast<std::size_t>(r)].size());
  out.grid = Grid(rows + 1, static_cast<int>(cols) + 1);
  for (int r = 0; r < rows; ++r) {
    const auto& row = table.rows[static_cast<std::size_t>(r)];
    for (std::size_t c = 0; c < row.size(); ++c) out.grid.setText(r, static_cast<int>(c), row[c]);
  }
  out.unclear = std::move(table.unclear);
  out.moreRows = table.moreRows;
  out.moreColumns = table.moreColumns;
  out.hasData = rows >= 2;
  return out;
}

}  // namespace plumetra
