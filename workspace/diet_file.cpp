#include "workspace/diet_file.h"

#include "files/free_format.h"
#include "controls/number_format.h"
#include "workspace/plausible_ranges.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace plumetra {

namespace {

constexpr int FeedWeightLine = 4;  // the line written from the feed allotment
constexpr int TextLines = 2;       // "Diet Type" and "Diet Change"

// Lines as a line-by-line reader sees them: LF or CR LF ends a line, and a last line
// without a line end still counts.
int countLines(std::string_view text) {
  int lines = 0;
  bool open = false;
  for (const char c : text) {
    if (c == '\n') {
      ++lines;
      open = false;
    } else if (c != '\r') {
      open = true;
    }
  }
  return open ? lines + 1 : lines;
}

// A diet file is plain text: control characters other than TAB, CR and LF mean a binary file.
bool looksLikeText(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u < 0x20 && c != '\t' && c != '\r' && c != '\n') || u == 0x7F;
  });
}

struct Entry {
  std::string label;
  std::string value;
  bool empty() const { return label.empty() && value.empty(); }
};

// A label or value without surrounding blanks, and without its quotes when quoted.
std::string unquoted(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    text = text.substr(1, text.size() - 2);
  }
  return std::string(text);
}

// One label and its value: "label<TAB>value" on one line, or the label alone on a line with
// the value on the next. std::nullopt when the file ends first. Whole lines are read, not
// comma-separated fields, so that a value with a decimal comma ("0,385") stays one value.
std::optional<Entry> readEntry(FreeFormatReader& reader, int& lineNumber) {
  auto line = reader.line();
  if (!line) return std::nullopt;
  ++lineNumber;
  if (const auto tab = line->find('\t'); tab != std::string::npos) {
    return Entry{unquoted(std::string_view(*line).substr(0, tab)),
                 unquoted(std::string_view(*line).substr(tab + 1))};
  }
  auto value = reader.line();
  if (!value) return std::nullopt;
  ++lineNumber;
  return Entry{unquoted(*line), unquoted(*value)};
}

bool holdsNumber(std::string_view value) {
  return readsAsNumber(value) || readNumber(value) != 0.0;
}

bool endsWithDts(const std::filesystem::path& name) {
  std::string ext = name.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".dts";
}

}  // namespace

DietFileParse parseDietFile(std::string contents) {
  if (!looksLikeText(contents)) return {std::nullopt, "is not a text file"};
  const int dietsByLines = countLines(contents) / DietLinesPerDiet;
  if (dietsByLines == 0) {
    return {std::nullopt, "holds no complete diet (a diet takes 18 lines)"};
  }

  const auto finish = [](DietFileDiets&& diets) -> DietFileParse {
    if (diets.count == 0) return {std::nullopt, "holds no diet"};
    return {std::move(diets), {}};
  };
  FreeFormatReader reader(std::move(contents));
  DietFileDiets out;
  int lineNumber = 0;
  const int toRead = std::min(dietsByLines, MaxFileDiets);
  for (int d = 1; d <= toRead; ++d) {
    // Labels on lines of their own take two lines per entry, so the line count may promise
    // more diets than the file holds; the file ending (blank lines aside) before a diet
    // starts is therefore the normal end.
    bool anyText = false;
    bool anyNumber = false;
    std::array<std::string, DietValueCount> labels;
    for (int k = 1; k <= DietLinesPerDiet; ++k) {
      auto entry = readEntry(reader, lineNumber);
      if (!entry) {
        if (anyText) return {std::nullopt, "ends inside diet " + std::to_string(d)};
        return finish(std::move(out));
      }
      anyText = anyText || !entry->empty();
      if (k <= TextLines) {
        out.texts[d][k] = std::move(entry->value);
      } else {
        const int value = k - TextLines - 1;
        out.values[d][value] = readNumber(entry->value);
        if (!holdsInSomeUnit(value, out.values[d][value]))
          return {std::nullopt, "holds a value that cannot be right on line " + std::to_string(lineNumber) + ": " +
                                    std::string(dietValueRange(value).what) + " \"" + entry->value +
                                    "\" is outside " + dietValueRange(value).bounds()};
        anyNumber = anyNumber || holdsNumber(entry->value);
        labels[value] = std::move(entry->label);
      }
    }
    if (!anyNumber) return {std::nullopt, "holds no numbers in diet " + std::to_string(d)};
    out.fieldNames = std::move(labels);
    out.count = d;
  }
  if (dietsByLines > MaxFileDiets && out.count == MaxFileDiets) {
    while (auto rest = reader.line()) {
      if (!unquoted(*rest).empty()) {
        out.cutAfterFifth = true;
        break;
      }
    }
  }
  return finish(std::move(out));
}

std::filesystem::path dietFilePath(const std::filesystem::path& name) {
  if (endsWithDts(name)) return name;
  std::filesystem::path withExtension = name;
  withExtension += ".dts";
  return withExtension;
}

DietReadStatus readDietFile(DietTables& diets, const std::filesystem::path& file,
                            Dialogs& dialogs) {
  const std::filesystem::path path = dietFilePath(file);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return DietReadStatus::Missing;

  const std::string shownName = path.filename().string();
  auto contents = readTextFile(path);
  if (!contents) {
    dialogs.message("The diet file " + shownName + " could not be read; the diets are unchanged.");
    return DietReadStatus::Rejected;
  }
  DietFileParse parse = parseDietFile(std::move(*contents));
  if (!parse.diets) {
    dialogs.message("The diet file " + shownName + " " + parse.problem +
                    "; the diets are unchanged.");
    return DietReadStatus::Rejected;
  }
  const DietFileDiets& read = *parse.diets;
  if (read.cutAfterFifth) {
    dialogs.message("The diet file " + shownName +
                    " holds more than 5 diets; only the first 5 were read.");
  }

  for (int d = 1; d <= read.count; ++d) {
    diets.dietText[d][1] = read.texts[d][1];
    diets.dietText[d][2] = read.texts[d][2];
    std::copy(read.values[d].begin(), read.values[d].end(), diets.dietTable[d].begin());
  }
  diets.dietFieldNames = read.fieldNames;
  diets.dietFile = path;
  // A count of 0 takes the diets read; taking 5 would add phases of zero energy.
  if (diets.dietCount == 0) diets.dietCount = read.count;
  return DietReadStatus::Read;
}

std::string dietFileText(const DietTables& diets, int dietCount, std::span<const double> feedAllotment,
                         const UnitSettings& units) {
  FreeFormatWriter out;
  const int n = std::clamp(dietCount, 0, MaxFileDiets);
  for (int d = 1; d <= n; ++d) {
    const auto diet = static_cast<std::size_t>(d);
    // The diet table holds every value a diet file gave; the nine nutrients the analysis and
    // the model use are taken from dietData, which every route fills (a match, a diet file).
    std::array<double, DietValueCount> values{};
    std::copy_n(diets.dietTable[diet].begin(), DietValueCount, values.begin());
    for (int n = 0; n < DietNutrientCount; ++n)
      values[static_cast<std::size_t>(DietValueOfNutrient[n])] = diets.dietData[static_cast<std::size_t>(n)][diet];
    for (int k = 1; k <= DietLinesPerDiet; ++k) {
      out.text(DietTables::DietLabels[static_cast<std::size_t>(k)]).tab();
      if (k <= TextLines) {
        out.text(diets.dietText[diet][static_cast<std::size_t>(k)]);
      } else if (k == FeedWeightLine) {
        const double kilograms = diet < feedAllotment.size() ? feedAllotment[diet] : 0.0;
        out.number(convertWeight(units, 0, kilograms));  // kilograms to the chosen unit
      } else {
        out.text(generalNumber(values[static_cast<std::size_t>(k - TextLines - 1)]));
      }
      out.endLine();
    }
  }
  return out.contents();
}

bool writeDietFile(DietTables& diets, int dietCount, std::span<const double> feedAllotment,
                   const UnitSettings& units, const std::filesystem::path& folder,
                   const std::string& baseName, std::string* error) {
  const std::filesystem::path path = folder / (baseName + ".dts");
  if (!writeFileAtomically(path, dietFileText(diets, dietCount, feedAllotment, units), error)) return false;
  diets.dietFile = path;
  return true;
}

}  // namespace plumetra
