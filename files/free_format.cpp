#include "files/free_format.h"

#include "controls/number_format.h"

#include <array>
#include <fstream>
#include <system_error>

namespace plumetra {

namespace {

constexpr std::size_t ZoneWidth = 14;
constexpr std::string_view LineEnd = "\r\n";
constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

// ---- writer ----------------------------------------------------------------

FreeFormatWriter& FreeFormatWriter::number(double value) {
  out_ += numberText(value);
  out_ += ' ';
  return *this;
}

FreeFormatWriter& FreeFormatWriter::text(std::string_view text) {
  out_ += text;
  return *this;
}

FreeFormatWriter& FreeFormatWriter::quoted(std::string_view label) {
  out_ += '"';
  out_ += label;
  out_ += '"';
  return *this;
}

FreeFormatWriter& FreeFormatWriter::tab() {
  out_ += '\t';
  return *this;
}

// Always moves on to the first zone start after the current column, so an item that ends
// exactly at a zone start (or an empty line) still gets a whole zone of blanks.
FreeFormatWriter& FreeFormatWriter::zone() {
  const std::size_t col = column();
  out_.append((col / ZoneWidth + 1) * ZoneWidth - col, ' ');
  return *this;
}

FreeFormatWriter& FreeFormatWriter::endLine() {
  out_ += LineEnd;
  return *this;
}

// Characters, not bytes: UTF-8 continuation bytes take no column.
std::size_t FreeFormatWriter::column() const {
  const std::size_t lineStart = out_.rfind('\n');
  std::size_t col = 0;
  for (std::size_t i = lineStart == std::string::npos ? 0 : lineStart + 1; i < out_.size(); ++i)
    if ((static_cast<unsigned char>(out_[i]) & 0xC0) != 0x80) ++col;
  return col;
}

// ---- reader ----------------------------------------------------------------

FreeFormatReader::FreeFormatReader(std::string contents) : in_(std::move(contents)) {
  if (in_.starts_with(Utf8ByteOrderMark)) pos_ = Utf8ByteOrderMark.size();
}

bool FreeFormatReader::atEnd() const { return pos_ >= in_.size(); }

bool FreeFormatReader::hasField() const {
  std::size_t at = pos_;
  while (at < in_.size() && isBlank(in_[at])) ++at;
  return at < in_.size();
}

void FreeFormatReader::skipBlanks() {
  while (!atEnd() && isBlank(in_[pos_])) ++pos_;
}

void FreeFormatReader::skipLineEnd() {
  if (atEnd() || !isLineEnd(in_[pos_])) return;
  const bool crlf = in_[pos_] == '\r' && pos_ + 1 < in_.size() && in_[pos_ + 1] == '\n';
  pos_ += crlf ? 2 : 1;
}

// Takes the comma or line end that ends a field, when one is next.
void FreeFormatReader::skipSeparator() {
  if (atEnd()) return;
  if (in_[pos_] == ',')
    ++pos_;
  else
    skipLineEnd();
}

std::string FreeFormatReader::quotedField() {
  ++pos_;  // the opening quote
  const std::size_t close = in_.find('"', pos_);
  const std::size_t end = close == std::string::npos ? in_.size() : close;
  std::string field = in_.substr(pos_, end - pos_);
  pos_ = close == std::string::npos ? end : close + 1;
  // A separator right after the quote belongs to this field; anything else starts the next.
  skipBlanks();
  skipSeparator();
  return field;
}

std::optional<std::string> FreeFormatReader::field() {
  skipBlanks();
  if (atEnd()) return std::nullopt;
  if (in_[pos_] == '"') return quotedField();
  std::size_t end = pos_;
  while (end < in_.size() && in_[end] != ',' && !isLineEnd(in_[end])) ++end;
  std::size_t last = end;
  while (last > pos_ && in_[last - 1] == ' ') --last;  // trailing blanks; a TAB stays
  std::string text = in_.substr(pos_, last - pos_);
  pos_ = end;
  skipSeparator();
  return text;
}

std::optional<double> FreeFormatReader::numberField() {
  while (!atEnd() && (isBlank(in_[pos_]) || isLineEnd(in_[pos_]))) ++pos_;
  if (atEnd()) return std::nullopt;
  if (in_[pos_] == '"') return readNumber(quotedField());
  std::size_t end = pos_;
  while (end < in_.size() && in_[end] != ',' && !isBlank(in_[end]) && !isLineEnd(in_[end])) ++end;
  const double value = readNumber(std::string_view(in_).substr(pos_, end - pos_));
  pos_ = end;
  // Blanks after a number, then its comma or line end; a TAB or blank followed by more
  // text leaves that text for the next field ("1<TAB>25" holds two numbers).
  const std::size_t afterNumber = pos_;
  skipBlanks();
  if (!atEnd() && in_[pos_] != ',' && !isLineEnd(in_[pos_])) pos_ = afterNumber;
  else skipSeparator();
  return value;
}

std::optional<std::string> FreeFormatReader::line() {
  if (atEnd()) return std::nullopt;
  std::size_t end = pos_;
  while (end < in_.size() && !isLineEnd(in_[end])) ++end;
  std::string text = in_.substr(pos_, end - pos_);
  pos_ = end;
  skipLineEnd();
  return text;
}

// ---- whole files -----------------------------------------------------------

bool isOverTextFileBound(const std::filesystem::path& path) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  return !ec && size > MaxTextFileBytes;
}

std::optional<std::string> readTextFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec || size > MaxTextFileBytes) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  // Read in one piece of the size asked; a file that grew since is read on to the bound and
  // refused past it.
  std::string contents(static_cast<std::size_t>(size), '\0');
  file.read(contents.data(), static_cast<std::streamsize>(size));
  contents.resize(static_cast<std::size_t>(file.gcount()));
  std::array<char, 64 * 1024> piece{};
  while (file && file.read(piece.data(), piece.size()).gcount() > 0) {
    contents.append(piece.data(), static_cast<std::size_t>(file.gcount()));
    if (contents.size() > MaxTextFileBytes) return std::nullopt;
  }
  if (file.bad()) return std::nullopt;
  return contents;
}

}  // namespace plumetra
