#include "calibration/revaluation_file.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "files/free_format.h"
#include "controls/number_format.h"

namespace plumetra {

namespace {

constexpr int FlockLineNumbers = 6;
constexpr std::string_view Blanks = " \t";

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

std::vector<std::string_view> blankSeparated(std::string_view line) {
  std::vector<std::string_view> words;
  size_t start = line.find_first_not_of(Blanks);
  while (start != std::string_view::npos) {
    const size_t end = std::min(line.find_first_of(Blanks, start), line.size());
    words.push_back(line.substr(start, end - start));
    start = line.find_first_not_of(Blanks, end);
  }
  return words;
}

std::string_view trimmedEnd(std::string_view text) {
  const size_t last = text.find_last_not_of(Blanks);
  return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

bool allNumbers(const std::vector<std::string_view>& words) {
  return std::all_of(words.begin(), words.end(), [](std::string_view w) { return readsAsNumber(w); });
}

}  // namespace

RevaluationWriter::RevaluationWriter(const std::string& location, const std::string& date) {
  out_ = FreeFormatWriter().text(location).zone().text(date).endLine().contents();
}

void RevaluationWriter::group(const std::string& name, int size, int headerRow) {
  out_ += FreeFormatWriter().text(name).zone().number(size).zone().number(headerRow).endLine().contents();
}

void RevaluationWriter::flock(int row, double weight, double age, double feedConversion,
                              double weightDay14, double weightDay21) {
  FreeFormatWriter line;
  line.number(row);
  for (double value : {weight, age, feedConversion, weightDay14, weightDay21})
    line.zone().text(formatNum(value));
  out_ += line.endLine().contents();
}

const std::string& RevaluationWriter::contents() const { return out_; }

namespace {

// A row number or group size as the file holds it; std::nullopt beyond any analysis grid, so
// that a damaged line is passed over instead of cast out of range.
std::optional<int> rowNumber(std::string_view word) {
  constexpr double kLargest = 1'000'000;
  const double value = readNumber(word);
  if (!(std::abs(value) <= kLargest)) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

std::optional<RevaluationFile> parseRevaluationFile(const std::string& contents) {
  const std::vector<std::string_view> lines = splitLines(contents);
  if (lines.empty()) return std::nullopt;
  RevaluationFile file;
  file.location = FreeFormatReader(std::string(lines.front())).field().value_or("");

  for (size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string_view> words = blankSeparated(lines[i]);
    if (words.size() == FlockLineNumbers && allNumbers(words)) {
      const std::optional<int> row = rowNumber(words[0]);
      if (file.groups.empty() || !row) continue;  // a flock line needs its group and its row
      RevaluedFlock f;
      f.row = *row;
      f.weight = readNumber(words[1]);
      f.age = readNumber(words[2]);
      f.feedConversion = readNumber(words[3]);
      f.weightDay14 = readNumber(words[4]);
      f.weightDay21 = readNumber(words[5]);
      file.groups.back().flocks.push_back(f);
    } else if (words.size() >= 3 && readsAsNumber(words[words.size() - 2]) &&
               readsAsNumber(words.back())) {
      const std::optional<int> size = rowNumber(words[words.size() - 2]), headerRow = rowNumber(words.back());
      if (!size || !headerRow) continue;
      RevaluedGroup g;
      g.header = std::string(trimmedEnd(lines[i]));
      const std::string_view sizeWord = words[words.size() - 2];
      g.name = std::string(trimmedEnd(g.header.substr(0, static_cast<size_t>(sizeWord.data() - lines[i].data()))));
      g.size = *size;
      g.headerRow = *headerRow;
      file.groups.push_back(std::move(g));
    }
  }
  return file;
}

}  // namespace plumetra
