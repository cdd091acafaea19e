#include "files/xls_readout.h"

#include "files/sheet_builder.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace plumetra {
namespace {

constexpr std::string_view ProblemWords[] = {"not-a-workbook", "password", "damaged", "too-large"};

void appendCounted(std::string& out, std::string_view bytes) {
  out += std::to_string(bytes.size());
  out += ':';
  out += bytes;
}

std::string numberText(double value) {
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, written.ptr);
}

// A cursor over the readout that refuses anything malformed by turning `ok` false.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  bool atEnd() const { return pos_ >= text_.size(); }
  bool ok() const { return ok_; }

  // The next word, ended by a blank or a line end (not consumed).
  std::string_view word() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ' ' && text_[pos_] != '\n') ++pos_;
    if (pos_ == start) ok_ = false;
    return text_.substr(start, pos_ - start);
  }
  void blank() { expect(' '); }
  void lineEnd() { expect('\n'); }

  template <typename Number>
  Number number() {
    const std::string_view digits = word();
    Number value{};
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) ok_ = false;
    return value;
  }

  // "<n>:<n bytes>"
  std::string counted() {
    std::size_t length = 0;
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9' && pos_ - start < 12)
      length = length * 10 + static_cast<std::size_t>(text_[pos_++] - '0');
    if (pos_ == start) ok_ = false;
    expect(':');
    if (!ok_ || length > text_.size() - pos_) {
      ok_ = false;
      return {};
    }
    std::string bytes(text_.substr(pos_, length));
    pos_ += length;
    return bytes;
  }

 private:
  void expect(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) ++pos_;
    else ok_ = false;
  }
  std::string_view text_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

bool inSheet(int row, int col) { return row >= 0 && row < MaxSheetRows && col >= 0 && col < MaxSheetCols; }

// The cells and warnings of one sheet, up to and including its "end" line. `cellsLeft` is
// what the sheet may take once padded to a rectangle; a sheet over it sets `tooLarge`.
std::optional<Sheet> readSheet(Cursor& in, const std::string& name, std::size_t& cellsLeft, bool& tooLarge) {
  SheetBuilder builder;
  std::vector<std::string> warnings;
  while (in.ok() && !in.atEnd()) {
    const std::string_view tag = in.word();
    if (tag == "end") {
      in.lineEnd();
      if (builder.cellCount() > cellsLeft) {
        tooLarge = true;
        return std::nullopt;
      }
      cellsLeft -= builder.cellCount();
      Sheet sheet = std::move(builder).finish(name);
      sheet.warnings.insert(sheet.warnings.end(), warnings.begin(), warnings.end());
      return in.ok() ? std::optional<Sheet>(std::move(sheet)) : std::nullopt;
    }
    in.blank();
    if (tag == "warn") {
      warnings.push_back(in.counted());
    } else if (tag == "num" || tag == "text") {
      const int row = in.number<int>();
      in.blank();
      const int col = in.number<int>();
      in.blank();
      if (!in.ok() || !inSheet(row, col)) return std::nullopt;
      if (tag == "num") {
        const double value = in.number<double>();
        if (!std::isfinite(value)) return std::nullopt;
        builder.set(row, col, value);
      } else {
        builder.set(row, col, in.counted());
      }
    } else {
      return std::nullopt;
    }
    in.lineEnd();
  }
  return std::nullopt;
}

}  // namespace

std::string encodeXlsProblem(XlsProblem problem) {
  return "error " + std::string(ProblemWords[static_cast<int>(problem)]) + '\n';
}

void appendXlsSheet(std::string& out, const XlsSheet& sheet) {
  out += "sheet ";
  appendCounted(out, sheet.name);
  out += '\n';
  for (std::size_t row = 0; row < sheet.sheet.rows.size(); ++row)
    for (std::size_t col = 0; col < sheet.sheet.rows[row].size(); ++col) {
      const SheetCell& cell = sheet.sheet.rows[row][col];
      const std::string place = std::to_string(row) + ' ' + std::to_string(col) + ' ';
      if (const double* number = std::get_if<double>(&cell); number && std::isfinite(*number)) {
        out += "num " + place + numberText(*number) + '\n';
      } else if (const std::string* text = std::get_if<std::string>(&cell)) {
        out += "text " + place;
        appendCounted(out, *text);
        out += '\n';
      }
    }
  for (const std::string& warning : sheet.sheet.warnings) {
    out += "warn ";
    appendCounted(out, warning);
    out += '\n';
  }
  out += "end\n";
}

void appendXlsEnd(std::string& out) { out += "done\n"; }

std::optional<XlsReadout> decodeXlsReadout(std::string_view text) {
  Cursor in(text);
  XlsReadout readout;
  std::size_t cellsLeft = MaxXlsReadoutCells;
  bool tooLarge = false;
  while (in.ok() && !in.atEnd()) {
    const std::string_view tag = in.word();
    if (tag == "done") {
      in.lineEnd();
      return in.ok() && in.atEnd() ? std::optional<XlsReadout>(std::move(readout)) : std::nullopt;
    }
    in.blank();
    if (tag == "error") {
      if (!readout.sheets.empty()) return std::nullopt;
      const std::string_view word = in.word();
      in.lineEnd();
      for (int kind = 0; kind < 4; ++kind)
        if (word == ProblemWords[kind] && in.ok() && in.atEnd())
          return XlsReadout{static_cast<XlsProblem>(kind), {}};
      return std::nullopt;
    }
    if (tag != "sheet") return std::nullopt;
    std::string name = in.counted();
    in.lineEnd();
    if (!in.ok()) return std::nullopt;
    std::optional<Sheet> sheet = readSheet(in, name, cellsLeft, tooLarge);
    if (tooLarge) return XlsReadout{XlsProblem::TooLarge, {}};
    if (!sheet) return std::nullopt;
    readout.sheets.push_back({std::move(name), std::move(*sheet)});
  }
  return std::nullopt;
}

}  // namespace plumetra
