#pragma once
// Free-format text files: the print and input conventions every text file of the program uses.

#include "files/atomic_write.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plumetra {

// Builds a file line by line. A number is printed with one blank before it when not
// negative and one blank after it, in general number form; zone() pads to the next
// 14-column print zone (zones start at columns 1, 15, 29, ...; always at least one blank,
// so text that ends exactly at a zone start moves on a whole zone); lines end in CR LF.
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

// Reads fields in free format. Line ends are CR LF, LF or CR; a UTF-8 byte-order mark at
// the start is skipped.
class FreeFormatReader {
 public:
  explicit FreeFormatReader(std::string contents);

  // The next text field; std::nullopt at the end of the file. Blanks and TABs before the
  // field are skipped; the field ends at a comma or a line end, which is consumed; trailing
  // blanks are dropped but a TAB inside or at the end is kept, so "label<TAB>value" and
  // "label<TAB>" read as one field (a line "<TAB>value" reads as "value"). An empty line
  // is an empty field. A field in double quotes keeps its commas and loses its quotes;
  // a comma or line end right after the closing quote is consumed, other text after it
  // is left for the next field ("\"Label\"<TAB> 5" is a label and then a number).
  std::optional<std::string> field();
  // The next number, read with readNumber; std::nullopt at the end of the file. Blanks, TABs
  // and line ends before it are skipped; the number ends at a comma, blank, TAB or line end,
  // so "1<TAB>25" holds two numbers; a comma or line end after it (past blanks) is consumed.
  // An empty field between commas reads as 0.
  std::optional<double> numberField();
  // The rest of the current line, without its line end; std::nullopt at the end of the file.
  std::optional<std::string> line();
  bool atEnd() const;
  // Whether field() would give a field: something other than blanks and TABs is left.
  bool hasField() const;

 private:
  void skipBlanks();
  void skipLineEnd();
  void skipSeparator();
  std::string quotedField();
  std::string in_;
  std::size_t pos_ = 0;
};

// The most a text file the program reads may hold: no table or stored file comes near it, and
// reading one costs at most a second.
inline constexpr std::uintmax_t MaxTextFileBytes = 64ull * 1024 * 1024;

// The bytes of a file as they are, or std::nullopt for a missing or unreadable file or one
// larger than MaxTextFileBytes. (Files are written whole by writeFileAtomically,
// files/atomic_write.h.)
std::optional<std::string> readTextFile(const std::filesystem::path& path);

// Whether `path` is larger than MaxTextFileBytes.
bool isOverTextFileBound(const std::filesystem::path& path);

}  // namespace plumetra
