#pragma once
// Spreadsheet workbooks: one reading interface over .xls and .xlsx files, and the writers
// of a Grid as an .xlsx workbook or as tab-separated text.

#include "controls/grid.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace plumetra {

// A cell as read: empty, a number, or text (dates come as date text).
using SheetCell = std::variant<std::monostate, double, std::string>;
using SheetRow = std::vector<SheetCell>;

// Every row has the same number of cells; trailing empty rows and columns are left out.
struct Sheet {
  std::vector<SheetRow> rows;  // rows[0] holds the column headings
  std::vector<std::string> warnings;  // e.g. rows or columns cut at the program's limits
};

// Errors are values: ok() false with a message in the program's voice.
struct WorkbookError {
  std::string message;
};

template <typename T>
struct Result {
  std::variant<T, WorkbookError> value;
  bool ok() const { return value.index() == 0; }
  const T& get() const { return std::get<0>(value); }
  T& get() { return std::get<0>(value); }
  const std::string& error() const { return std::get<1>(value).message; }
};

class WorkbookReader {
 public:
  virtual ~WorkbookReader() = default;
  // Sheet names as the workbook spells them (no quoting apostrophes), in workbook order.
  virtual std::vector<std::string> sheetNames() const = 0;
  // The named sheet's cells; an error when the workbook has no such sheet or it is damaged.
  virtual Result<Sheet> readSheet(const std::string& name) const = 0;
};

// The largest sheet the program takes in; larger sheets are cut with a warning.
inline constexpr int MaxSheetRows = 5000;
inline constexpr int MaxSheetCols = 256;
// The text all cells of a read sheet hold together; a sheet with more is refused.
inline constexpr std::size_t MaxSheetTextBytes = 64ull * 1024 * 1024;

// Opens a workbook, choosing the reader by the file's content, not its name: a ZIP package
// is read as .xlsx, an OLE compound file as .xls. Missing, empty, damaged, foreign or
// password-protected files give an error with a message for the user.
Result<std::unique_ptr<WorkbookReader>> openWorkbook(const std::filesystem::path& path);

// How a sheet opens: the first rows and columns frozen, the headings (the grid's fixed rows)
// in bold, and every column at least as wide as its heading.
struct SheetLayout {
  int frozenRows = 0;
  int frozenCols = 0;
  bool boldHeadings = false;
  bool fitHeadings = false;
};

// Writes the grids as sheets of one .xlsx workbook (texts, numbers where a cell reads as a
// number, each with a number format showing the decimals its text shows, background colours,
// column widths). A name ending in ".xls" is written as ".xlsx"; the real name is returned.
struct NamedGrid {
  std::string sheetName;
  const Grid* grid;
  SheetLayout layout = {};
};
Result<std::filesystem::path> writeXlsx(const std::filesystem::path& path,
                                        const std::vector<NamedGrid>& sheets);
// Excel's rules for a sheet name: at most 31 characters, none of []:*?/\, not blank, and
// unique within the workbook (compared without case); "taken" holds the names used so far.
std::string validSheetName(std::string_view wanted, const std::vector<std::string>& taken);
// Tab-separated text of the whole grid (fixed rows included): cells by TAB, rows by CR LF.
std::string gridToTsv(const Grid& grid);
Result<std::filesystem::path> writeTsv(const std::filesystem::path& path, const Grid& grid);

}  // namespace plumetra
