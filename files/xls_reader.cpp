#include "files/xls_reader.h"

#include "files/sheet_builder.h"
#include "files/workbook_messages.h"

#include <freexl.h>

#include <string_view>
#include <utility>

namespace plumetra {
namespace {

// FreeXL holds every cell of every sheet in memory (16 bytes each); a damaged or hostile
// file may declare any number of sheets of up to 65536 x 256 cells, so the declared total is
// checked first and kept to one full sheet's worth (about 270 MB).
constexpr unsigned long long MaxWorkbookCells = 65536ull * 256;

struct HandleCloser {
  void operator()(const void* handle) const { freexl_close(handle); }
};
using XlsHandle = std::unique_ptr<const void, HandleCloser>;

// FreeXL gives times as "HH:MM:SS"; the program shows "HH:MM" when the seconds are zero,
// as it does for .xlsx workbooks.
std::string dateText(std::string_view text) {
  if (text.size() >= 8 && text.substr(text.size() - 3) == ":00" && text[text.size() - 6] == ':')
    text.remove_suffix(3);
  return std::string(text);
}

SheetCell cellValue(const FreeXL_CellValue& value) {
  switch (value.type) {
    case FREEXL_CELL_INT: return static_cast<double>(value.value.int_value);
    case FREEXL_CELL_DOUBLE: return value.value.double_value;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT: return std::string(value.value.text_value ? value.value.text_value : "");
    case FREEXL_CELL_DATE: return std::string(value.value.text_value ? value.value.text_value : "");
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME: return dateText(value.value.text_value ? value.value.text_value : "");
    default: return {};
  }
}

bool isEmpty(const SheetCell& cell) { return std::holds_alternative<std::monostate>(cell); }

// FreeXL reads formula cells as empty. A column with a heading and no value below it most
// likely holds formulas; the user is told how to get their values.
void warnAboutEmptyColumns(Sheet& sheet, const std::string& sheetName) {
  if (sheet.rows.size() < 2) return;
  for (std::size_t col = 0; col < sheet.rows[0].size(); ++col) {
    const auto* heading = std::get_if<std::string>(&sheet.rows[0][col]);
    if (!heading) continue;
    bool empty = true;
    for (std::size_t row = 1; row < sheet.rows.size() && empty; ++row) empty = isEmpty(sheet.rows[row][col]);
    if (empty)
      sheet.warnings.push_back("Column \"" + *heading + "\" of sheet \"" + sheetName +
                               "\" has no values. If it holds formulas, save the workbook as .xlsx "
                               "or CSV in the spreadsheet program and open that file instead.");
  }
}

class XlsReader final : public WorkbookReader {
 public:
  XlsReader(XlsHandle handle, std::vector<std::string> names) : handle_(std::move(handle)), names_(std::move(names)) {}

  std::vector<std::string> sheetNames() const override { return names_; }

  Result<Sheet> readSheet(const std::string& name) const override {
    for (std::size_t index = 0; index < names_.size(); ++index)
      if (names_[index] == name) return readIndex(static_cast<unsigned short>(index));
    return {WorkbookError{workbook_messages::noSuchSheet(name)}};
  }

 private:
  Result<Sheet> readIndex(unsigned short index) const {
    unsigned int rows = 0;
    unsigned short cols = 0;
    SheetBuilder builder;
    if (freexl_select_active_worksheet(handle_.get(), index) == FREEXL_OK &&
        freexl_worksheet_dimensions(handle_.get(), &rows, &cols) == FREEXL_OK) {
      for (unsigned int row = 0; row < rows; ++row)
        for (unsigned short col = 0; col < cols; ++col) {
          FreeXL_CellValue value;
          if (freexl_get_cell_value(handle_.get(), row, col, &value) == FREEXL_OK)
            builder.set(static_cast<int>(row), col, cellValue(value));
        }
    }
    Sheet sheet = std::move(builder).finish(names_[index]);
    warnAboutEmptyColumns(sheet, names_[index]);
    return {std::move(sheet)};
  }

  XlsHandle handle_;
  std::vector<std::string> names_;
};

// Opens the file for its structure alone and adds up the declared sheet sizes.
std::optional<std::string> checkDeclaredSize(const std::filesystem::path& path) {
  const void* raw = nullptr;
  const int status = freexl_open_info(path.string().c_str(), &raw);
  XlsHandle info(raw);
  if (status != FREEXL_OK) return workbook_messages::notAWorkbook(path);
  if (!info) return workbook_messages::passwordProtected(path);
  unsigned int sheets = 0;
  freexl_get_info(info.get(), FREEXL_BIFF_SHEET_COUNT, &sheets);
  unsigned long long cells = 0;
  for (unsigned int index = 0; index < sheets; ++index) {
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_select_active_worksheet(info.get(), static_cast<unsigned short>(index)) == FREEXL_OK &&
        freexl_worksheet_dimensions(info.get(), &rows, &cols) == FREEXL_OK)
      cells += static_cast<unsigned long long>(rows) * cols;
  }
  if (cells > MaxWorkbookCells) return workbook_messages::tooLarge(path);
  return std::nullopt;
}

}  // namespace

Result<std::unique_ptr<WorkbookReader>> openXls(const std::filesystem::path& path) {
  if (std::optional<std::string> problem = checkDeclaredSize(path)) return {WorkbookError{std::move(*problem)}};
  const void* raw = nullptr;
  const int status = freexl_open(path.string().c_str(), &raw);
  XlsHandle handle(raw);
  if (status != FREEXL_OK) return {WorkbookError{workbook_messages::notAWorkbook(path)}};
  // FreeXL answers a password-protected workbook with success and no handle.
  if (!handle) return {WorkbookError{workbook_messages::passwordProtected(path)}};
  unsigned int password = 0, sheets = 0;
  if (freexl_get_info(handle.get(), FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
      password == FREEXL_BIFF_OBFUSCATED)
    return {WorkbookError{workbook_messages::passwordProtected(path)}};
  freexl_get_info(handle.get(), FREEXL_BIFF_SHEET_COUNT, &sheets);
  std::vector<std::string> names;
  for (unsigned int index = 0; index < sheets; ++index) {
    const char* name = nullptr;
    if (freexl_get_worksheet_name(handle.get(), static_cast<unsigned short>(index), &name) != FREEXL_OK)
      return {WorkbookError{workbook_messages::damaged(path)}};
    names.emplace_back(name ? name : "");
  }
  return {std::make_unique<XlsReader>(std::move(handle), std::move(names))};
}

}  // namespace plumetra
