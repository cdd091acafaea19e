#pragma once
// The workbook-wide parts of an .xlsx package: the sheet list mapped to its parts through the
// relationships, the shared strings, which cell styles show dates, and the date system.

#include "files/workbook.h"
#include "files/zip_package.h"

#include <pugixml.hpp>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace plumetra {

struct XlsxSheetEntry {
  std::string name;
  std::string part;  // "xl/worksheets/sheet1.xml"
};

// How a cell style shows a number: as it stands, as a date, or as a percentage (0.032 as 3.2%).
enum class NumberStyle { Plain, Date, Percent };

struct XlsxWorkbook {
  std::vector<XlsxSheetEntry> sheets;
  std::vector<std::string> sharedStrings;
  std::vector<NumberStyle> numberStyles;  // by cell style index (the s attribute)
  bool date1904 = false;
  std::uint64_t unpackedBytes = 0;  // of the parts above, counted against xlsx::MaxUnpackedBytes
};

// What is left of xlsx::MaxUnpackedBytes for the parts still to be read.
struct UnpackBudget {
  std::uint64_t bytesLeft;
};

// A parsed XML part; the document points into the bytes it was parsed from.
struct XmlPart {
  std::string bytes;
  pugi::xml_document document;
};

// Reads and parses a part, taking its size from the budget. A missing part gives an empty
// document when not required; everything else that goes wrong (a damaged part, one over the
// budget or too large to parse within xlsx::MaxParsedBytes) gives the message for the user.
Result<std::unique_ptr<XmlPart>> loadXmlPart(const ZipPackage& package, const std::string& name,
                                             const std::filesystem::path& path, bool required,
                                             UnpackBudget& budget);

Result<XlsxWorkbook> loadXlsxWorkbook(const ZipPackage& package, const std::filesystem::path& path);

// A relationship target resolved against the part holding the relationship: "worksheets/a.xml"
// from "xl/workbook.xml" is "xl/worksheets/a.xml"; "/xl/a.xml" is "xl/a.xml"; ".." steps up.
std::string resolvePartTarget(const std::string& sourcePart, const std::string& target);

}  // namespace plumetra
