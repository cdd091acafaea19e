// Grids as the sheets of one .xlsx workbook: texts, numbers where a cell reads as a number,
// the background colours that were set, and the column widths.

#include "controls/number_format.h"
#include "files/workbook.h"
#include "files/workbook_messages.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <system_error>

namespace plumetra {
namespace {

constexpr std::size_t MaxCellTextBytes = 32767;  // the longest text a cell holds
constexpr int TwipsPerPixel = 15;
constexpr const char* TemporarySuffix = ".partial";

// The length of the UTF-8 sequence starting at text[at], or 0 when it is not valid UTF-8.
std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  if (lead < 0x80)
    length = 1;
  else if (lead >= 0xC2 && lead < 0xE0)
    length = 2;
  else if (lead >= 0xE0 && lead < 0xF0)
    length = 3;
  else if (lead >= 0xF0 && lead < 0xF5)
    length = 4;
  if (length == 0 || at + length > text.size()) return 0;
  for (std::size_t i = at + 1; i < at + length; ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
  return length;
}

// Cell text as the workbook needs it: UTF-8 (a byte that is not, such as a Windows-1252
// letter from an old CSV file, is taken as Latin-1) and no longer than a cell holds.
std::string cellText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = utf8SequenceLength(text, at);
    if (out.size() + std::max<std::size_t>(length, 2) > MaxCellTextBytes) break;
    if (length > 0) {
      out.append(text.substr(at, length));
      at += length;
    } else {
      const auto byte = static_cast<unsigned char>(text[at++]);
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

// A text that reads as a number is written as one, unless it has leading zeros ("007", a
// house code), which a number would lose.
bool writesAsNumber(std::string_view text) {
  if (!readsAsNumber(text)) return false;
  const std::size_t first = text.find_first_not_of(" +-");
  return !(first + 1 < text.size() && text[first] == '0' && text[first + 1] >= '0' && text[first + 1] <= '9');
}

// A background counts as set when it differs from the grid's own default for that cell.
bool hasOwnBackground(const Grid& grid, int row, int col) {
  const Rgb standard = row < grid.fixedRows() || col < grid.fixedCols() ? colours::ButtonFace : colours::Window;
  return grid.background(row, col) != standard;
}

class FormatCache {
 public:
  explicit FormatCache(lxw_workbook* workbook) : workbook_(workbook) {}
  lxw_format* fill(Rgb colour) {
    const lxw_color_t key = (static_cast<lxw_color_t>(colour.red) << 16) |
                            (static_cast<lxw_color_t>(colour.green) << 8) | colour.blue;
    auto found = formats_.find(key);
    if (found != formats_.end()) return found->second;
    lxw_format* format = workbook_add_format(workbook_);
    format_set_pattern(format, LXW_PATTERN_SOLID);
    format_set_bg_color(format, key);
    formats_.emplace(key, format);
    return format;
  }

 private:
  lxw_workbook* workbook_;
  std::map<lxw_color_t, lxw_format*> formats_;
};

void writeSheet(lxw_worksheet* sheet, const Grid& grid, FormatCache& formats) {
  for (int col = 0; col < grid.cols(); ++col)
    if (grid.colWidth(col) > 0)
      worksheet_set_column_pixels(sheet, static_cast<lxw_col_t>(col), static_cast<lxw_col_t>(col),
                                  static_cast<uint32_t>(grid.colWidth(col) / TwipsPerPixel), nullptr);
  for (int row = 0; row < grid.rows(); ++row)
    for (int col = 0; col < grid.cols(); ++col) {
      const std::string& text = grid.text(row, col);
      lxw_format* format = hasOwnBackground(grid, row, col) ? formats.fill(grid.background(row, col)) : nullptr;
      const auto r = static_cast<lxw_row_t>(row);
      const auto c = static_cast<lxw_col_t>(col);
      if (text.empty()) {
        if (format) worksheet_write_blank(sheet, r, c, format);
      } else if (writesAsNumber(text)) {
        worksheet_write_number(sheet, r, c, ReadNumber(text), format);
      } else {
        worksheet_write_string(sheet, r, c, cellText(text).c_str(), format);
      }
    }
}

}  // namespace

std::filesystem::path workbookPath(std::filesystem::path path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".xls" || extension.empty()) path.replace_extension(".xlsx");
  return path;
}

Result<std::filesystem::path> writeXlsx(const std::filesystem::path& path, const std::vector<NamedGrid>& sheets) {
  const std::filesystem::path target = workbookPath(path);
  std::filesystem::path temporary = target;
  temporary += TemporarySuffix;
  lxw_workbook* workbook = workbook_new(temporary.string().c_str());
  if (!workbook) return {WorkbookError{workbook_messages::cannotWrite(target, "the workbook could not be created.")}};
  FormatCache formats(workbook);
  std::vector<std::string> names;
  for (const NamedGrid& named : sheets) {
    names.push_back(validSheetName(cellText(named.sheetName), names));
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, names.back().c_str());
    if (sheet && named.grid) writeSheet(sheet, *named.grid, formats);
  }
  if (names.empty()) workbook_add_worksheet(workbook, nullptr);  // a workbook holds at least one sheet
  const lxw_error closed = workbook_close(workbook);
  std::error_code error;
  if (closed != LXW_NO_ERROR) {
    std::filesystem::remove(temporary, error);
    return {WorkbookError{workbook_messages::cannotWrite(target, std::string(lxw_strerror(closed)) + ".")}};
  }
  std::filesystem::rename(temporary, target, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return {WorkbookError{
        workbook_messages::cannotWrite(target, "it is open in another program or the folder is read-only.")}};
  }
  return {target};
}

}  // namespace plumetra
