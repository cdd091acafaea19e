#pragma once
// Rows of a producer's table that are not flocks: summaries ("Average", "Total", "Std Dev", and
// their translations), a units row under the headings, and flocks exported twice.

#include <string>
#include <vector>

#include "controls/grid.h"

namespace plumetra {

// The label of a summary row ("Average", "Total:", "Grand total", "Moyenne"), or "" when the
// row's first filled cell is not one. A summary footer without a label (after a blank line, or
// the last of `flockRows`) is one when each of `valueColumns` holds the mean or the sum of that
// column over `flockRows`.
std::string summaryRowLabel(const Grid& grid, int row, const std::vector<int>& valueColumns,
                            const std::vector<int>& flockRows);

// Whether the row holds units for the headings above it ("kg", "(days)", "birds/m2", "%") and
// no number.
bool isUnitsRow(const Grid& grid, int row);

// Rows whose every cell equals that of an earlier row: (row, the earlier row).
struct RowPair {
  int row, earlier;
};
std::vector<RowPair> repeatedRows(const Grid& grid, const std::vector<int>& rows);

// Rows with the same house (column `houseCol`) and text cells (farm, dates) as an earlier row but
// other numbers: a flock entered twice with a correction, or two flocks told apart by nothing
// but numbers. None without a house column (-1).
std::vector<RowPair> nearRepeatedRows(const Grid& grid, const std::vector<int>& rows, int houseCol);

}  // namespace plumetra
