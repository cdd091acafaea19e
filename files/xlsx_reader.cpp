#include "files/xlsx_reader.h"

#include "files/date_text.h"
#include "files/sheet_builder.h"
#include "files/workbook_messages.h"
#include "files/xlsx_limits.h"
#include "files/xlsx_workbook.h"
#include "files/xlsx_xml.h"

#include <charconv>
#include <string_view>
#include <utility>

namespace plumetra {
namespace {

class XlsxReader final : public WorkbookReader {
 public:
  XlsxReader(std::filesystem::path path, ZipPackage package, XlsxWorkbook workbook)
      : path_(std::move(path)), package_(std::move(package)), workbook_(std::move(workbook)) {}

  std::vector<std::string> sheetNames() const override {
    std::vector<std::string> names;
    for (const XlsxSheetEntry& sheet : workbook_.sheets) names.push_back(sheet.name);
    return names;
  }

  Result<Sheet> readSheet(const std::string& name) const override {
    for (const XlsxSheetEntry& sheet : workbook_.sheets)
      if (sheet.name == name) return readPart(sheet);
    return {WorkbookError{workbook_messages::noSuchSheet(name)}};
  }

 private:
  Result<Sheet> readPart(const XlsxSheetEntry& entry) const;
  SheetCell cellValue(const pugi::xml_node& cell) const;
  SheetCell numberValue(std::string_view text, int style) const;

  std::filesystem::path path_;
  ZipPackage package_;
  XlsxWorkbook workbook_;
};

std::optional<double> parseNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// A shared-string index: digits alone (blanks around them allowed), nothing a double would
// take ("nan", "1e3", "-0").
std::optional<std::size_t> parseIndex(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::size_t index = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return index;
}

SheetCell XlsxReader::numberValue(std::string_view text, int style) const {
  if (text.empty()) return {};
  const std::optional<double> number = parseNumber(text);
  if (!number) return std::string(text);
  const NumberStyle shown = style >= 0 && style < static_cast<int>(workbook_.numberStyles.size())
                                ? workbook_.numberStyles[static_cast<size_t>(style)]
                                : NumberStyle::Plain;
  if (shown == NumberStyle::Date) {
    if (std::optional<std::string> date = serialDateText(*number, workbook_.date1904)) return std::move(*date);
  }
  // A percentage reads as the user sees it: 0.032 shown as 3.2% is 3.2.
  if (shown == NumberStyle::Percent) return *number * 100.0;
  return *number;
}

// A cell's value by its type: shared string, inline string, formula string, boolean, error,
// ISO date, or a number (a date when its style shows one). A formula's cached value counts.
SheetCell XlsxReader::cellValue(const pugi::xml_node& cell) const {
  const std::string_view type = cell.attribute("t").value();
  if (type == "inlineStr") return xlsx::runText(xlsx::child(cell, "is"));
  const pugi::xml_node valueNode = xlsx::child(cell, "v");
  if (!valueNode) return {};
  const std::string_view value = valueNode.child_value();
  if (type == "s") {
    const std::optional<std::size_t> index = parseIndex(value);
    if (!index || *index >= workbook_.sharedStrings.size()) return {};
    return workbook_.sharedStrings[*index];
  }
  if (type == "str" || type == "e" || type == "d") return xlsx::decodeEscapes(value);
  if (type == "b") return std::string(value == "1" || value == "true" ? "TRUE" : "FALSE");
  return numberValue(value, cell.attribute("s").as_int(0));
}

Result<Sheet> XlsxReader::readPart(const XlsxSheetEntry& entry) const {
  UnpackBudget budget{xlsx::MaxUnpackedBytes - workbook_.unpackedBytes};
  auto part = loadXmlPart(package_, entry.part, path_, true, budget);
  if (!part.ok()) return {WorkbookError{part.error()}};
  const pugi::xml_node sheetData = xlsx::child(xlsx::child(part.get()->document, "worksheet"), "sheetData");
  // Rows and cells without a reference follow the previous one.
  SheetBuilder builder;
  int nextRow = 0;
  bool valid = true;
  xlsx::forEachChild(sheetData, "row", [&](const pugi::xml_node& row) {
    if (!valid) return;
    int rowIndex = nextRow;
    if (const pugi::xml_attribute number = row.attribute("r")) {
      const std::optional<int> parsed = xlsx::parseRowNumber(number.value());
      if (!parsed) {
        valid = false;
        return;
      }
      rowIndex = *parsed;
    }
    nextRow = rowIndex + 1;
    int nextCol = 0;
    xlsx::forEachChild(row, "c", [&](const pugi::xml_node& cell) {
      if (!valid) return;
      int cellRow = rowIndex, colIndex = nextCol;
      if (const pugi::xml_attribute reference = cell.attribute("r")) {
        const std::optional<xlsx::CellReference> parsed = xlsx::parseCellReference(reference.value());
        if (!parsed) {
          valid = false;
          return;
        }
        cellRow = parsed->row;
        colIndex = parsed->col;
      }
      nextCol = colIndex + 1;
      // A cell beyond the limits is noted without making its value (it may be a long text).
      if (!SheetBuilder::within(cellRow, colIndex)) {
        if (xlsx::child(cell, "v") || xlsx::child(cell, "is")) builder.noteBeyond(cellRow, colIndex);
        return;
      }
      builder.set(cellRow, colIndex, cellValue(cell));
      if (builder.overText()) valid = false;
    });
  });
  if (builder.overText())
    return {WorkbookError{workbook_messages::overLimit(
        path_, "sheet \"" + entry.name + "\" holds more than " + std::to_string(MaxSheetTextBytes / (1024 * 1024)) +
                   " MB of text")}};
  if (!valid) return {WorkbookError{workbook_messages::damaged(path_)}};
  return {std::move(builder).finish(entry.name)};
}

}  // namespace

Result<std::unique_ptr<WorkbookReader>> openXlsx(const std::filesystem::path& path) {
  std::optional<ZipPackage> package = ZipPackage::open(path);
  if (!package) return {WorkbookError{workbook_messages::damaged(path)}};
  Result<XlsxWorkbook> workbook = loadXlsxWorkbook(*package, path);
  if (!workbook.ok()) return {WorkbookError{workbook.error()}};
  return {std::make_unique<XlsxReader>(path, std::move(*package), std::move(workbook.get()))};
}

}  // namespace plumetra
