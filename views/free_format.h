#pragma once
// Free-format text files: the print and input conventions every text file of the program uses.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plumetra {

// Builds a file line by line. A number is printed with one blank before it when not
// negative and one blank after it, in general number form; zone() pads to the next
// 14-column print zone (zones start at columns 1, 15, 29, ...); lines end in CR LF.
class FreeFormatWriter {
 public:
  FreeFormatWriter& number(double value);
  FreeFormatWriter& text(std::string_view text);    // as it stands
  FreeFormatWriter& quoted(std::string_view label);  // enclosed in double quotes
  FreeFormatWriter& tab();
  FreeFormatWriter& zone();
  FreeFormatWriter& endLine();

  const std::string& contents() const { return out_; }

 private:
  std::size_t column() const;  // 0-based column of the line being written
  std::string out_;
};

// Reads fields in free format: a field ends at a comma or a line end; a quoted field keeps
// its commas and loses its quotes; blanks and TABs before a field are skipped (a TAB inside
// an unquoted field is kept, so "label<TAB>value" reads as one field).
class FreeFormatReader {
 public:
  explicit FreeFormatReader(std::string contents);

  // The next field as text; std::nullopt at the end of the file.
  std::optional<std::string> field();
  // The next field read with ReadNumber; std::nullopt at the end of the file.
  std::optional<double> numberField();
  // The rest of the current line, without its line end; std::nullopt at the end of the file.
  std::optional<std::string> line();
  bool atEnd() const;

 private:
  std::string in_;
  std::size_t pos_ = 0;
};

// Whole-file helpers. Writing goes to a temporary file in the same folder that is then
// renamed into place, so a failed write never leaves half a file nor destroys the old one.
std::optional<std::string> readTextFile(const std::filesystem::path& path);
bool writeFileAtomically(const std::filesystem::path& path, std::string_view contents,
                         std::string* error = nullptr);

}  // namespace plumetra
