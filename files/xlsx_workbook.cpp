#include "files/xlsx_workbook.h"

#include "files/date_text.h"
#include "files/workbook_messages.h"
#include "files/xlsx_limits.h"
#include "files/xlsx_xml.h"

#include <algorithm>

#include <map>
#include <string_view>

namespace plumetra {
namespace {

constexpr const char* PackageRelationships = "_rels/.rels";
constexpr const char* DefaultWorkbookPart = "xl/workbook.xml";

struct Relationship {
  std::string type;  // the last segment of the type URI: "worksheet", "styles", ...
  std::string part;
};

std::string typeName(std::string_view type) {
  const std::size_t slash = type.rfind('/');
  return std::string(slash == std::string_view::npos ? type : type.substr(slash + 1));
}

std::string relationshipsPartOf(const std::string& part) {
  const std::size_t slash = part.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : part.substr(0, slash + 1);
  const std::string file = slash == std::string::npos ? part : part.substr(slash + 1);
  return folder + "_rels/" + file + ".rels";
}

// Relationships by id; external targets (links to other files) are left out.
std::map<std::string, Relationship> relationshipsOf(const pugi::xml_document& rels, const std::string& sourcePart) {
  std::map<std::string, Relationship> byId;
  xlsx::forEachChild(xlsx::child(rels, "Relationships"), "Relationship", [&](const pugi::xml_node& item) {
    if (std::string_view(item.attribute("TargetMode").value()) == "External") return;
    byId[item.attribute("Id").value()] = {typeName(item.attribute("Type").value()),
                                          resolvePartTarget(sourcePart, item.attribute("Target").value())};
  });
  return byId;
}

std::string firstOfType(const std::map<std::string, Relationship>& rels, std::string_view type) {
  for (const auto& [id, rel] : rels)
    if (rel.type == type) return rel.part;
  return {};
}

bool isTrue(const pugi::xml_attribute& attr) {
  const std::string_view value = attr.value();
  return value == "1" || value == "true";
}

std::size_t characterCount(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The shared strings, or which bound they pass.
std::optional<std::string> readSharedStrings(const pugi::xml_document& document, std::vector<std::string>& strings) {
  std::optional<std::string> problem;
  xlsx::forEachChild(xlsx::child(document, "sst"), "si", [&](const pugi::xml_node& item) {
    if (problem) return;
    if (strings.size() == xlsx::MaxSharedStrings) {
      problem = "it holds more than " + std::to_string(xlsx::MaxSharedStrings) + " shared strings";
      return;
    }
    strings.push_back(xlsx::runText(item));
    if (characterCount(strings.back()) > xlsx::MaxStringCharacters)
      problem = "a shared string is longer than " + std::to_string(xlsx::MaxStringCharacters) + " characters";
  });
  return problem;
}

// pugixml's parsed form takes a node per element and per text (64 bytes each) and 40 bytes per
// attribute; the markup characters bound how many there can be.
std::uint64_t parsedSizeEstimate(std::string_view xml) {
  const auto elements = static_cast<std::uint64_t>(std::count(xml.begin(), xml.end(), '<'));
  const auto attributes = static_cast<std::uint64_t>(std::count(xml.begin(), xml.end(), '='));
  return elements * 128 + attributes * 40;
}

constexpr std::uint64_t Megabyte = 1024 * 1024;

// A format code that shows a percentage: a '%' outside quoted text ("0.0%", not "0\"%\"").
bool isPercentFormatCode(std::string_view code) {
  bool quoted = false;
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (code[i] == '"') quoted = !quoted;
    else if (code[i] == '\\') ++i;
    else if (code[i] == '%' && !quoted) return true;
  }
  return false;
}

NumberStyle styleOfFormatCode(std::string_view code) {
  if (isDateFormatCode(code)) return NumberStyle::Date;
  return isPercentFormatCode(code) ? NumberStyle::Percent : NumberStyle::Plain;
}

NumberStyle styleOfBuiltInFormat(int id) {
  constexpr int percent = 9, percentTwoDecimals = 10;
  if (isBuiltInDateFormat(id)) return NumberStyle::Date;
  return id == percent || id == percentTwoDecimals ? NumberStyle::Percent : NumberStyle::Plain;
}

std::vector<NumberStyle> numberStylesOf(const pugi::xml_document& document) {
  const pugi::xml_node styleSheet = xlsx::child(document, "styleSheet");
  std::map<int, NumberStyle> customFormats;
  xlsx::forEachChild(xlsx::child(styleSheet, "numFmts"), "numFmt", [&](const pugi::xml_node& format) {
    customFormats[format.attribute("numFmtId").as_int(-1)] = styleOfFormatCode(format.attribute("formatCode").value());
  });
  std::vector<NumberStyle> styles;
  xlsx::forEachChild(xlsx::child(styleSheet, "cellXfs"), "xf", [&](const pugi::xml_node& xf) {
    const int id = xf.attribute("numFmtId").as_int(0);
    const auto custom = customFormats.find(id);
    styles.push_back(custom != customFormats.end() ? custom->second : styleOfBuiltInFormat(id));
  });
  return styles;
}

}  // namespace

std::string resolvePartTarget(const std::string& sourcePart, const std::string& target) {
  std::string joined;
  if (!target.empty() && target.front() == '/') {
    joined = target.substr(1);
  } else {
    const std::size_t slash = sourcePart.rfind('/');
    joined = (slash == std::string::npos ? "" : sourcePart.substr(0, slash + 1)) + target;
  }
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (start <= joined.size()) {
    std::size_t end = joined.find('/', start);
    if (end == std::string::npos) end = joined.size();
    const std::string segment = joined.substr(start, end - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = end + 1;
  }
  std::string part;
  for (const std::string& segment : segments) part += (part.empty() ? "" : "/") + segment;
  return part;
}

Result<std::unique_ptr<XmlPart>> loadXmlPart(const ZipPackage& package, const std::string& name,
                                             const std::filesystem::path& path, bool required,
                                             UnpackBudget& budget) {
  auto part = std::make_unique<XmlPart>();
  PackagePart read = package.read(name, budget.bytesLeft);
  switch (read.status) {
    case PartStatus::Missing:
      if (required) return {WorkbookError{workbook_messages::notAWorkbook(path)}};
      return {std::move(part)};
    case PartStatus::TooLarge:
      return {WorkbookError{workbook_messages::overLimit(
          path, "its parts unpack to more than " + std::to_string(xlsx::MaxUnpackedBytes / Megabyte) + " MB")}};
    case PartStatus::Damaged:
      return {WorkbookError{workbook_messages::damaged(path)}};
    case PartStatus::Ok:
      break;
  }
  budget.bytesLeft -= read.bytes.size();
  if (parsedSizeEstimate(read.bytes) > xlsx::MaxParsedBytes)
    return {WorkbookError{workbook_messages::overLimit(
        path, "a part would take more than " + std::to_string(xlsx::MaxParsedBytes / Megabyte) +
                  " MB of memory to read")}};
  part->bytes = std::move(read.bytes);
  if (!part->document.load_buffer_inplace(part->bytes.data(), part->bytes.size(), xlsx::ParseOptions))
    return {WorkbookError{workbook_messages::damaged(path)}};
  return {std::move(part)};
}

Result<XlsxWorkbook> loadXlsxWorkbook(const ZipPackage& package, const std::filesystem::path& path) {
  UnpackBudget budget{xlsx::MaxUnpackedBytes};
  auto packageRels = loadXmlPart(package, PackageRelationships, path, false, budget);
  if (!packageRels.ok()) return {WorkbookError{packageRels.error()}};
  std::string workbookPart = firstOfType(relationshipsOf(packageRels.get()->document, ""), "officeDocument");
  if (workbookPart.empty()) workbookPart = DefaultWorkbookPart;

  auto workbookXml = loadXmlPart(package, workbookPart, path, true, budget);
  if (!workbookXml.ok()) return {WorkbookError{workbookXml.error()}};
  const pugi::xml_node workbookNode = xlsx::child(workbookXml.get()->document, "workbook");
  if (!workbookNode) return {WorkbookError{workbook_messages::notAWorkbook(path)}};
  auto workbookRels = loadXmlPart(package, relationshipsPartOf(workbookPart), path, true, budget);
  if (!workbookRels.ok()) return {WorkbookError{workbookRels.error()}};
  const auto rels = relationshipsOf(workbookRels.get()->document, workbookPart);

  XlsxWorkbook workbook;
  workbook.date1904 = isTrue(xlsx::child(workbookNode, "workbookPr").attribute("date1904"));
  xlsx::forEachChild(xlsx::child(workbookNode, "sheets"), "sheet", [&](const pugi::xml_node& sheet) {
    const auto rel = rels.find(xlsx::attribute(sheet, "id").value());
    // Chart sheets and dialog sheets hold no table.
    if (rel != rels.end() && rel->second.type == "worksheet")
      workbook.sheets.push_back({sheet.attribute("name").value(), rel->second.part});
  });

  const std::string stringsPart = firstOfType(rels, "sharedStrings");
  if (!stringsPart.empty()) {
    auto strings = loadXmlPart(package, stringsPart, path, false, budget);
    if (!strings.ok()) return {WorkbookError{strings.error()}};
    if (std::optional<std::string> problem = readSharedStrings(strings.get()->document, workbook.sharedStrings))
      return {WorkbookError{workbook_messages::overLimit(path, *problem)}};
  }
  const std::string stylesPart = firstOfType(rels, "styles");
  if (!stylesPart.empty()) {
    auto styles = loadXmlPart(package, stylesPart, path, false, budget);
    if (!styles.ok()) return {WorkbookError{styles.error()}};
    workbook.numberStyles = numberStylesOf(styles.get()->document);
  }
  workbook.unpackedBytes = xlsx::MaxUnpackedBytes - budget.bytesLeft;
  return {std::move(workbook)};
}

}  // namespace plumetra
