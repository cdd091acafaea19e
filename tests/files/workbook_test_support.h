#pragma once
// Helpers for the workbook tests: a scratch folder, ZIP packages built from XML strings,
// grids from text rows and read cells as strings.

#include "controls/grid.h"
#include "files/workbook.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plumetra::testing {

inline std::filesystem::path fixture(const std::string& name) {
  return std::filesystem::path(PLUMETRA_TEST_DATA) / "workbooks" / name;
}

using Rows = std::vector<std::vector<std::string>>;

inline Grid gridOf(const Rows& texts) {
  Grid grid(static_cast<int>(texts.size()), static_cast<int>(texts.front().size()));
  for (size_t r = 0; r < texts.size(); ++r)
    for (size_t c = 0; c < texts[r].size(); ++c) grid.setText(static_cast<int>(r), static_cast<int>(c), texts[r][c]);
  return grid;
}

using ScratchFolder = TestTempFolder;

using PackageParts = std::vector<std::pair<std::string, std::string>>;

inline void writeZip(const std::filesystem::path& path, const PackageParts& parts) {
  int error = 0;
  zip_t* archive = zip_open(path.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(archive, nullptr);
  for (const auto& [name, contents] : parts) {
    zip_source_t* source = zip_source_buffer(archive, contents.data(), contents.size(), 0);
    ASSERT_GE(zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE), 0);
  }
  ASSERT_EQ(zip_close(archive), 0);
}

inline std::string repeated(std::string_view item, std::size_t times) {
  std::string out;
  out.reserve(item.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += item;
  return out;
}

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The smallest package a spreadsheet would open: one sheet "Data" whose sheetData is given,
// plus optional shared strings, styles and workbook properties.
struct MinimalXlsx {
  std::string sheetData{};
  std::string sharedStrings{};  // the <si> items
  std::string styles{};         // the whole styles.xml, or empty
  std::string workbookPr{};
  std::string sheetTarget = "worksheets/sheet1.xml";
  std::string dimension{};
  std::string worksheet{};  // the whole sheet part instead of the one built from the above
};

inline PackageParts minimalXlsxParts(const MinimalXlsx& book) {
  const std::string ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  PackageParts parts;
  parts.emplace_back("_rels/.rels",
                     "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                     "<Relationship Id=\"rId1\" Type=\"" + rel + "/officeDocument\" Target=\"xl/workbook.xml\"/>"
                     "</Relationships>");
  parts.emplace_back("xl/workbook.xml", "<workbook xmlns=\"" + ns + "\" xmlns:r=\"" + rel + "\">" + book.workbookPr +
                                            "<sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
  std::string rels = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                     "<Relationship Id=\"rId1\" Type=\"" + rel + "/worksheet\" Target=\"" + book.sheetTarget + "\"/>";
  if (!book.sharedStrings.empty())
    rels += "<Relationship Id=\"rId2\" Type=\"" + rel + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
  if (!book.styles.empty()) rels += "<Relationship Id=\"rId3\" Type=\"" + rel + "/styles\" Target=\"styles.xml\"/>";
  parts.emplace_back("xl/_rels/workbook.xml.rels", rels + "</Relationships>");
  parts.emplace_back("xl/worksheets/sheet1.xml", !book.worksheet.empty()
                                                    ? book.worksheet
                                                    : "<worksheet xmlns=\"" + ns + "\">" + book.dimension +
                                                          "<sheetData>" + book.sheetData + "</sheetData></worksheet>");
  if (!book.sharedStrings.empty())
    parts.emplace_back("xl/sharedStrings.xml", "<sst xmlns=\"" + ns + "\">" + book.sharedStrings + "</sst>");
  if (!book.styles.empty()) parts.emplace_back("xl/styles.xml", book.styles);
  return parts;
}

// Each cell as "text:...", "number:..." (15 significant digits) or "empty".
inline Rows cellStrings(const Sheet& sheet) {
  Rows rows;
  for (const SheetRow& row : sheet.rows) {
    rows.emplace_back();
    for (const SheetCell& cell : row) {
      std::ostringstream out;
      out.precision(15);
      if (const auto* text = std::get_if<std::string>(&cell)) out << "text:" << *text;
      else if (const auto* number = std::get_if<double>(&cell)) out << "number:" << *number;
      else out << "empty";
      rows.back().push_back(out.str());
    }
  }
  return rows;
}

inline Sheet readOnlySheet(const std::filesystem::path& path) {
  auto book = openWorkbook(path);
  EXPECT_TRUE(book.ok()) << (book.ok() ? "" : book.error());
  if (!book.ok()) return {};
  const auto names = book.get()->sheetNames();
  EXPECT_EQ(names.size(), 1u);
  if (names.empty()) return {};
  auto sheet = book.get()->readSheet(names.front());
  EXPECT_TRUE(sheet.ok()) << (sheet.ok() ? "" : sheet.error());
  return sheet.ok() ? sheet.get() : Sheet{};
}

}  // namespace plumetra::testing
