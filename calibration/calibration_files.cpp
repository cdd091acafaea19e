#include "calibration/calibration_files.h"

#include "workspace/diet_file.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "calibration/stored_value_ranges.h"
#include "model/composition.h"
#include "model/label_lists.h"
#include "files/free_format.h"
#include "controls/number_format.h"

namespace plumetra {

namespace {

constexpr int kWeeksWritten = 15;

const auto& kLabels = kModelLabels.calibrationLabels;
enum CalibrationLabel : int {
  LabelAminoBasis = 1,
  LabelDietCount = 2,
  LabelChangeOn = 3,
  LabelChangeAge = 4,
  LabelChangeWeight = 5,
  LabelEnergy = 6,
  LabelFeMale = 7,
  LabelFeFemale = 8,
};
constexpr std::string_view kChoiceLabels[] = {"Energy Choice", "Weight Choice", "Cost Choice"};

std::string firstCommaToPeriod(std::string text) {
  if (const auto comma = text.find(','); comma != std::string::npos) text[comma] = '.';
  return text;
}

// "label<TAB>v1<TAB>v2 ... vn " for phases 1..n.
void phaseLine(FreeFormatWriter& out, std::string_view label, const PhaseVector& values, int n,
               std::string (*form)(double)) {
  out.quoted(label).tab();
  for (int p = 1; p <= n; ++p) {
    if (p > 1) out.tab();
    out.text(firstCommaToPeriod(form(values[p])));
  }
  out.text(" ").endLine();
}

int breedIndex(int breed) { return std::clamp(breed, 0, kMaxBreeds - 1); }

bool fileFailed(std::string* error, const std::filesystem::path& path) {
  if (error && error->empty()) *error = "Can not write " + path.string();
  return false;
}

// Lines of a ".clb" file (0-based) that the model reads.
constexpr std::size_t kClbAminoLine = 1;
constexpr std::array<std::size_t, 3> kClbFirstParamLine{0, 2, 7};  // male, female
constexpr std::size_t kClbDietCountLine = 12;
constexpr std::size_t kClbChangeAgeLine = 14;  // then "Change wt, kg" and "ENERGY"
constexpr std::size_t kClbFeLine = 17;         // male, then female
constexpr std::size_t kClbChoiceLine = 19;     // energy, weight, cost
constexpr std::size_t kClbWeekLine = 22;       // fifteen "index TAB value" lines
constexpr std::size_t kClbBreedLine = 37;

// The value texts of one line: a leading quoted label is dropped and the rest split at TABs
// (blank pieces are no values).
std::vector<std::string_view> lineFields(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first != std::string_view::npos && line[first] == '"') {
    const std::size_t close = line.find('"', first + 1);
    line = close == std::string_view::npos ? std::string_view{} : line.substr(close + 1);
  }
  std::vector<std::string_view> fields;
  while (!line.empty()) {
    const std::size_t tab = line.find('\t');
    const std::string_view piece = line.substr(0, tab);
    if (piece.find_first_not_of(' ') != std::string_view::npos) fields.push_back(piece);
    line = tab == std::string_view::npos ? std::string_view{} : line.substr(tab + 1);
  }
  return fields;
}

constexpr ValueRange kFatRange{"mature fat fraction", 0, 1};
constexpr ValueRange kAminoRange{"amino-acid basis (0 total, 1 available)", 0, 1};
constexpr ValueRange kDietCountRange{"number of diets", 1, kStoredDietPhases};
constexpr ValueRange kChangeAgeRange{"change age (days)", 0, 100};
constexpr ValueRange kChangeWeightRange{"feed weight (kg per bird)", 0, 50};
constexpr ValueRange kEnergyRange{"reference energy", 0, 20000};
constexpr std::array<ValueRange, 3> kChoiceRanges{{{"Energy Choice", 0, 4}, {"Weight Choice", 0, 2}, {"Cost Choice", 0, 4}}};
constexpr ValueRange kWeekRange{"week number", 0, kWeeks - 1};
constexpr ValueRange kTemperatureRange{"temperature", -30, 60};
constexpr ValueRange kBreedRange{"breed index", 0, kMaxBreeds - 1};

// Reads the numbered lines of a ".clb" text, each value checked as it is taken; the first
// value that is missing, not a number, not finite or out of its range ends the reading with
// the line (1-based) named.
class CheckedLines {
 public:
  explicit CheckedLines(const std::string& contents) {
    FreeFormatReader in(contents);
    while (const auto line = in.line()) lines_.push_back(std::string(*line));
  }
  std::size_t count() const { return lines_.size(); }
  bool ok() const { return problem_.empty(); }
  const std::string& problem() const { return problem_; }

  // Value k of line (0-based); 0 once a problem was found.
  double value(std::size_t line, const ValueRange& range, std::size_t k = 0) {
    if (!ok()) return 0;
    const std::string where = "line " + std::to_string(line + 1) + ": ";
    if (line >= lines_.size()) return fail("the file ends before line " + std::to_string(line + 1) + " (the " + range.what + ")");
    const auto fields = lineFields(lines_[line]);
    if (k >= fields.size()) return fail(where + "the " + std::string(range.what) + " is missing");
    if (!readsAsNumber(fields[k])) return fail(where + "the " + std::string(range.what) + " \"" + std::string(fields[k]) + "\" is not a number");
    const double v = ReadNumber(fields[k]);
    if (!std::isfinite(v) || v < range.low || v > range.high)
      return fail(where + "the " + range.what + " " + std::string(fields[k]) + " is outside " + generalNumber(range.low) +
                  " to " + generalNumber(range.high));
    return v;
  }
  int whole(std::size_t line, const ValueRange& range, std::size_t k = 0) {
    const double v = value(line, range, k);
    if (ok() && v != std::floor(v))
      fail("line " + std::to_string(line + 1) + ": the " + range.what + " " + generalNumber(v) + " is not a whole number");
    return ok() ? static_cast<int>(v) : 0;
  }

 private:
  double fail(std::string why) {
    if (problem_.empty()) problem_ = std::move(why);
    return 0;
  }
  std::vector<std::string> lines_;
  std::string problem_;
};

}  // namespace

std::string FormatCoarse(double value) { return generalNumber(roundHalfEven(value * 10) / 10); }

std::string CalibrationFileText(const ModelState& model, const CalibrationRecord& record, int group,
                                std::string_view fileName) {
  const int n = std::clamp(model.inputs.DietCount, 0, kStoredDietPhases);
  const int sex = std::clamp(model.inputs.ModelSex, 0, kSexRows - 1);
  FreeFormatWriter out;
  out.text(fileName).zone().tab().endLine();
  out.quoted(kLabels[LabelAminoBasis]).tab().number(static_cast<int>(model.settings.units.aminoBasis)).endLine();
  for (int s = 1; s <= 2; ++s) {
    for (int k = 0; k < 4; ++k) out.tab().text(generalNumber(record(group, s, k))).endLine();
    out.number(model.inputs.FatCurve[s].A).endLine();
  }
  out.quoted(kLabels[LabelDietCount]).tab().number(n).endLine();
  out.quoted(kLabels[LabelChangeOn]).tab().number(1).endLine();
  phaseLine(out, kLabels[LabelChangeAge], model.settings.DietChangeAge[sex], n, &FormatCoarse);
  phaseLine(out, kLabels[LabelChangeWeight], model.inputs.FeedAllotment, n, &generalNumber);
  phaseLine(out, kLabels[LabelEnergy], model.inputs.RefEnergy[1], n, &generalNumber);
  out.quoted(kLabels[LabelFeMale]).tab().text(firstCommaToPeriod(FormatDiet(record(group, 1, kItemFeCorrection)))).endLine();
  out.quoted(kLabels[LabelFeFemale]).tab().text(firstCommaToPeriod(FormatDiet(record(group, 2, kItemFeCorrection)))).endLine();
  const int choices[] = {model.settings.units.energyChoice, model.settings.units.weightChoice, model.settings.units.costChoice};
  for (int c = 0; c < 3; ++c) out.quoted(kChoiceLabels[c]).zone().number(choices[c]).endLine();
  for (int w = 1; w <= kWeeksWritten; ++w)
    out.number(w).tab().text(firstCommaToPeriod(generalNumber(model.inputs.WeekTemp[w]))).endLine();
  out.number(model.settings.MaleBreed).tab().number(model.settings.FemaleBreed).endLine();
  out.number(model.settings.BreedCompAdjust[breedIndex(model.settings.MaleBreed)]).tab()
      .number(model.settings.BreedCompAdjust[breedIndex(model.settings.FemaleBreed)]).endLine();
  out.text("0").endLine();
  return out.contents();
}

bool WriteCalibrationFile(const ModelState& model, const CalibrationRecord& record, int group,
                          const std::filesystem::path& folder, const std::string& name, std::string* error) {
  const std::string fileName = name + ".clb";
  const auto path = folder / fileName;
  return writeFileAtomically(path, CalibrationFileText(model, record, group, fileName), error) ||
         fileFailed(error, path);
}

std::string GroupSummaryText(const GroupSummary& summary, const UnitSettings& units) {
  FreeFormatWriter out;
  out.number(summary.chosenSex).endLine();
  out.number(ConvertWeight(units, 0, summary.liveWeightKg)).endLine();  // kg to the chosen unit
  out.text(summary.feedConversionText).endLine();
  out.text(summary.ageText).endLine();
  out.number(summary.dietCount).endLine();
  out.text("0").endLine();
  return out.contents();
}

bool WriteGroupSummaryFile(const GroupSummary& summary, const UnitSettings& units,
                           const std::filesystem::path& folder, const std::string& name, std::string* error) {
  const auto path = folder / (name + ".cal");
  return writeFileAtomically(path, GroupSummaryText(summary, units), error) || fileFailed(error, path);
}

bool WriteGroupDietFile(DietTables& diets, int dietCount, const PhaseVector& feedAllotment,
                        const UnitSettings& units, const std::filesystem::path& folder, const std::string& name,
                        std::string* error) {
  return WriteDietFile(diets, dietCount, feedAllotment, units, folder, name, error) ||
         fileFailed(error, folder / (name + ".dts"));
}

std::optional<CalibrationFileValues> ParseCalibrationFile(const std::string& contents, std::string* problem) {
  CheckedLines in(contents);
  CalibrationFileValues v;
  v.aminoBasis = in.whole(kClbAminoLine, kAminoRange);
  for (int s = 1; s <= 2; ++s) {
    for (int k = 0; k < 4; ++k) v.params[s][k] = in.value(kClbFirstParamLine[s] + k, kParamRanges[k]);
    in.value(kClbFirstParamLine[s] + 4, kFatRange);
  }
  v.dietCount = in.whole(kClbDietCountLine, kDietCountRange);
  const ValueRange* blockRanges[] = {&kChangeAgeRange, &kChangeWeightRange, &kEnergyRange};
  PhaseVector* blocks[] = {&v.changeAge, &v.changeWeight, &v.energy};
  for (std::size_t b = 0; b < 3; ++b)
    for (int p = 1; p <= v.dietCount; ++p)
      (*blocks[b])[p] = in.value(kClbChangeAgeLine + b, *blockRanges[b], static_cast<std::size_t>(p - 1));
  v.feCorrection[1] = in.value(kClbFeLine, kFeRange);
  v.feCorrection[2] = in.value(kClbFeLine + 1, kFeRange);
  v.energyChoice = in.whole(kClbChoiceLine, kChoiceRanges[0]);
  v.weightChoice = in.whole(kClbChoiceLine + 1, kChoiceRanges[1]);
  v.costChoice = in.whole(kClbChoiceLine + 2, kChoiceRanges[2]);
  for (std::size_t w = 0; w < kWeeksWritten; ++w) {
    const int week = in.whole(kClbWeekLine + w, kWeekRange);
    const double temperature = in.value(kClbWeekLine + w, kTemperatureRange, 1);
    if (in.ok()) v.indexed[week] = temperature;
  }
  v.maleBreed = in.whole(kClbBreedLine, kBreedRange);
  v.femaleBreed = in.whole(kClbBreedLine, kBreedRange, 1);
  if (in.ok()) return v;
  if (problem) *problem = in.problem();
  return std::nullopt;
}

std::optional<CalibrationFileValues> ReadCalibrationValues(const std::filesystem::path& path, std::string* problem) {
  const std::optional<std::string> contents = readTextFile(path);
  if (!contents) {
    if (problem) *problem = "The calibration file " + path.string() + " was not found.";
    return std::nullopt;
  }
  std::string why;
  auto values = ParseCalibrationFile(*contents, &why);
  if (!values && problem) *problem = CalibrationRefusedText(path, why);
  return values;
}

std::string CalibrationRefusedText(const std::filesystem::path& path, const std::string& why) {
  return "The calibration file " + path.string() + " can not be used, " + why + ". Nothing of it was used.";
}

void ApplyCalibrationFile(ModelState& model, const CalibrationFileValues& v) {
  BeginCalibrationRead(model);
  model.settings.units.aminoBasis = v.aminoBasis != 0 ? AminoBasis::Avail : AminoBasis::Total;
  for (int s = 1; s <= 2; ++s)
    for (int k = 0; k < 4; ++k) model.inputs.GrowthParams[s][k] = v.params[s][k];
  model.inputs.DietCount = v.dietCount;
  for (int p = 1; p <= v.dietCount; ++p)
    for (int s = 0; s < kSexRows; ++s) model.inputs.RefEnergy[s][p] = v.energy[p];
  model.inputs.FeCorrection[1] = v.feCorrection[1];
  model.inputs.FeCorrection[2] = v.feCorrection[2];
  model.settings.units.energyChoice = v.energyChoice;
  model.settings.units.weightChoice = v.weightChoice;
  model.settings.units.costChoice = v.costChoice;
  model.settings.MaleBreed = v.maleBreed;
  model.settings.FemaleBreed = v.femaleBreed;
  FinishCalibrationRead(model);
}

CalibrationRead ReadCalibrationFile(ModelState& model, const std::filesystem::path& path, Dialogs& dialogs) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return CalibrationRead::Missing;
  std::string problem;
  const auto values = ReadCalibrationValues(path, &problem);
  if (!values) {
    dialogs.message(problem);
    return CalibrationRead::Refused;
  }
  ApplyCalibrationFile(model, *values);
  return CalibrationRead::Read;
}

}  // namespace plumetra
