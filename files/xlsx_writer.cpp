// Grids as the sheets of one .xlsx workbook: texts, numbers where a cell reads as a number
// (formatted with the decimals the grid shows), the background colours that were set, the
// column widths, and the sheet's layout (frozen panes, bold headings).

#include "controls/number_format.h"
#include "files/atomic_write.h"
#include "files/finite_numbers.h"
#include "files/workbook.h"
#include "files/workbook_messages.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <string_view>
#include <tuple>
#include <system_error>

namespace plumetra {
namespace {

constexpr std::size_t MaxCellTextBytes = 32767;  // the longest text a cell holds
constexpr int TwipsPerPixel = 15;

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

// The decimals a number's text shows ("2.50" two, "1,5" one, "25000" none); none for a text
// in exponent form, which keeps the general format.
std::optional<int> shownDecimals(std::string_view text) {
  if (text.find_first_of("eE") != std::string_view::npos) return std::nullopt;
  const std::size_t point = text.find_first_of(".,");
  if (point == std::string_view::npos) return 0;
  int decimals = 0;
  for (std::size_t i = point + 1; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) ++decimals;
  return decimals;
}

// What a cell's format carries: a fill, a number format by its decimals, bold.
struct CellStyle {
  std::optional<Rgb> fill;
  std::optional<int> decimals;
  bool bold = false;
  bool plain() const { return !fill && !decimals && !bold; }
  auto key() const {
    const long colour = fill ? (fill->red << 16) | (fill->green << 8) | fill->blue : -1;
    return std::tuple{colour, decimals.value_or(-1), bold};
  }
};

class FormatCache {
 public:
  explicit FormatCache(lxw_workbook* workbook) : workbook_(workbook) {}
  lxw_format* format(const CellStyle& style) {
    if (style.plain()) return nullptr;
    auto found = formats_.find(style.key());
    if (found != formats_.end()) return found->second;
    lxw_format* format = workbook_add_format(workbook_);
    if (style.fill) {
      format_set_pattern(format, LXW_PATTERN_SOLID);
      format_set_bg_color(format, (static_cast<lxw_color_t>(style.fill->red) << 16) |
                                      (static_cast<lxw_color_t>(style.fill->green) << 8) | style.fill->blue);
    }
    if (style.decimals) {
      const std::string pattern = *style.decimals > 0 ? "0." + std::string(static_cast<std::size_t>(*style.decimals), '0') : "0";
      format_set_num_format(format, pattern.c_str());
    }
    if (style.bold) format_set_bold(format);
    formats_.emplace(style.key(), format);
    return format;
  }

 private:
  lxw_workbook* workbook_;
  std::map<std::tuple<long, int, bool>, lxw_format*> formats_;
};

// Pixels a heading needs in bold: about 8 per character and some padding.
uint32_t headingPixels(std::string_view heading) { return static_cast<uint32_t>(heading.size() * 8 + 12); }

void setColumnWidths(lxw_worksheet* sheet, const Grid& grid, const SheetLayout& layout) {
  for (int col = 0; col < grid.cols(); ++col) {
    uint32_t pixels = static_cast<uint32_t>(std::max(grid.colWidth(col), 0) / TwipsPerPixel);
    if (layout.fitHeadings)
      for (int row = 0; row < grid.fixedRows() && row < grid.rows(); ++row)
        pixels = std::max(pixels, headingPixels(grid.text(row, col)));
    if (pixels > 0)
      worksheet_set_column_pixels(sheet, static_cast<lxw_col_t>(col), static_cast<lxw_col_t>(col), pixels, nullptr);
  }
}

void writeSheet(lxw_worksheet* sheet, const Grid& grid, const SheetLayout& layout, FormatCache& formats) {
  setColumnWidths(sheet, grid, layout);
  if (layout.frozenRows > 0 || layout.frozenCols > 0)
    worksheet_freeze_panes(sheet, static_cast<lxw_row_t>(std::max(layout.frozenRows, 0)),
                           static_cast<lxw_col_t>(std::max(layout.frozenCols, 0)));
  for (int row = 0; row < grid.rows(); ++row)
    for (int col = 0; col < grid.cols(); ++col) {
      const std::string& text = grid.text(row, col);
      CellStyle style;
      if (hasOwnBackground(grid, row, col)) style.fill = grid.background(row, col);
      style.bold = layout.boldHeadings && row < grid.fixedRows() && !text.empty();
      const bool number = !text.empty() && writesAsNumber(text);
      if (number) style.decimals = shownDecimals(text);
      lxw_format* format = formats.format(style);
      const auto r = static_cast<lxw_row_t>(row);
      const auto c = static_cast<lxw_col_t>(col);
      if (text.empty()) {
        if (format) worksheet_write_blank(sheet, r, c, format);
      } else if (number) {
        worksheet_write_number(sheet, r, c, readNumber(text), format);
      } else {
        worksheet_write_string(sheet, r, c, cellText(text).c_str(), format);
      }
    }
}

// The first printed non-finite number in the cells. (A number too large for a double does not
// read as a number, so it is written as the text it is.)
std::optional<std::string> nonFiniteCell(const std::vector<NamedGrid>& sheets) {
  for (const NamedGrid& named : sheets)
    for (int row = 0; named.grid && row < named.grid->rows(); ++row)
      for (int col = 0; col < named.grid->cols(); ++col)
        if (auto word = nonFiniteNumberIn(named.grid->text(row, col))) return word;
  return std::nullopt;
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
  if (const auto word = nonFiniteCell(sheets))
    return {WorkbookError{workbook_messages::cannotWrite(target, nonFiniteRefusal(*word) + ".")}};
  const std::filesystem::path temporary = temporaryPathFor(target);
  lxw_workbook* workbook = workbook_new(temporary.string().c_str());
  if (!workbook) return {WorkbookError{workbook_messages::cannotWrite(target, "the workbook could not be created.")}};
  FormatCache formats(workbook);
  std::vector<std::string> names;
  for (const NamedGrid& named : sheets) {
    names.push_back(validSheetName(cellText(named.sheetName), names));
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, names.back().c_str());
    if (sheet && named.grid) writeSheet(sheet, *named.grid, named.layout, formats);
  }
  if (names.empty()) workbook_add_worksheet(workbook, nullptr);  // a workbook holds at least one sheet
  const lxw_error closed = workbook_close(workbook);
  if (closed != LXW_NO_ERROR) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return {WorkbookError{workbook_messages::cannotWrite(target, std::string(lxw_strerror(closed)) + ".")}};
  }
  if (!commitTemporary(temporary, target))
    return {WorkbookError{
        workbook_messages::cannotWrite(target, "it is open in another program or the folder is read-only.")}};
  return {target};
}

}  // namespace plumetra
