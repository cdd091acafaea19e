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

constexpr int WeeksWritten = 15;

const auto& kLabels = ModelLabels.calibrationLabels;
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
constexpr std::string_view ChoiceLabels[] = {"Energy Choice", "Weight Choice", "Cost Choice"};

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

int breedIndex(int breed) { return std::clamp(breed, 0, MaxBreeds - 1); }

bool fileFailed(std::string* error, const std::filesystem::path& path) {
  if (error && error->empty()) *error = "Can not write " + path.string();
  return false;
}

// Lines of a ".clb" file (0-based) that the model reads.
constexpr std::size_t ClbAminoLine = 1;
constexpr std::array<std::size_t, 3> ClbFirstParamLine{0, 2, 7};  // male, female
constexpr std::size_t ClbDietCountLine = 12;
constexpr std::size_t ClbChangeAgeLine = 14;  // then "Change wt, kg" and "ENERGY"
constexpr std::size_t ClbFeLine = 17;         // male, then female
constexpr std::size_t ClbChoiceLine = 19;     // energy, weight, cost
constexpr std::size_t ClbWeekLine = 22;       // fifteen "index TAB value" lines
constexpr std::size_t ClbBreedLine = 37;

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

constexpr ValueRange FatRange{"mature fat fraction", 0, 1};
constexpr ValueRange AminoRange{"amino-acid basis (0 total, 1 available)", 0, 1};
constexpr ValueRange DietCountRange{"number of diets", 1, StoredDietPhases};
constexpr ValueRange ChangeAgeRange{"change age (days)", 0, 100};
constexpr ValueRange ChangeWeightRange{"feed weight (kg per bird)", 0, 50};
constexpr ValueRange ReferenceEnergyRange{"reference energy", 0, 20000};
constexpr std::array<ValueRange, 3> ChoiceRanges{{{"Energy Choice", 0, 4}, {"Weight Choice", 0, 2}, {"Cost Choice", 0, 4}}};
constexpr ValueRange WeekRange{"week number", 0, Weeks - 1};
constexpr ValueRange TemperatureRange{"temperature", -30, 60};
constexpr ValueRange BreedRange{"breed index", 0, MaxBreeds - 1};

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
    const double v = readNumber(fields[k]);
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

std::string formatCoarse(double value) { return generalNumber(roundHalfEven(value * 10) / 10); }

std::string calibrationFileText(const ModelState& model, const CalibrationRecord& record, int group,
                                std::string_view fileName) {
  const int n = std::clamp(model.inputs.dietCount, 0, StoredDietPhases);
  const int sex = std::clamp(model.inputs.modelSex, 0, SexRows - 1);
  FreeFormatWriter out;
  out.text(fileName).zone().tab().endLine();
  out.quoted(kLabels[LabelAminoBasis]).tab().number(static_cast<int>(model.settings.units.aminoBasis)).endLine();
  for (int s = 1; s <= 2; ++s) {
    for (int k = 0; k < 4; ++k) out.tab().text(generalNumber(record(group, s, k))).endLine();
    out.number(model.inputs.fatCurve[s].A).endLine();
  }
  out.quoted(kLabels[LabelDietCount]).tab().number(n).endLine();
  out.quoted(kLabels[LabelChangeOn]).tab().number(1).endLine();
  phaseLine(out, kLabels[LabelChangeAge], model.settings.dietChangeAge[sex], n, &formatCoarse);
  phaseLine(out, kLabels[LabelChangeWeight], model.inputs.feedAllotment, n, &generalNumber);
  phaseLine(out, kLabels[LabelEnergy], model.inputs.refEnergy[1], n, &generalNumber);
  out.quoted(kLabels[LabelFeMale]).tab().text(firstCommaToPeriod(formatDiet(record(group, 1, ItemFeCorrection)))).endLine();
  out.quoted(kLabels[LabelFeFemale]).tab().text(firstCommaToPeriod(formatDiet(record(group, 2, ItemFeCorrection)))).endLine();
  const int choices[] = {model.settings.units.energyChoice, model.settings.units.weightChoice, model.settings.units.costChoice};
  for (int c = 0; c < 3; ++c) out.quoted(ChoiceLabels[c]).zone().number(choices[c]).endLine();
  for (int w = 1; w <= WeeksWritten; ++w)
    out.number(w).tab().text(firstCommaToPeriod(generalNumber(model.inputs.weekTemp[w]))).endLine();
  out.number(model.settings.maleBreed).tab().number(model.settings.femaleBreed).endLine();
  out.number(model.settings.breedCompAdjust[breedIndex(model.settings.maleBreed)]).tab()
      .number(model.settings.breedCompAdjust[breedIndex(model.settings.femaleBreed)]).endLine();
  out.text("0").endLine();
  return out.contents();
}

bool writeCalibrationFile(const ModelState& model, const CalibrationRecord& record, int group,
                          const std::filesystem::path& folder, const std::string& name, std::string* error) {
  const std::string fileName = name + ".clb";
  const auto path = folder / fileName;
  return writeFileAtomically(path, calibrationFileText(model, record, group, fileName), error) ||
         fileFailed(error, path);
}

std::string groupSummaryText(const GroupSummary& summary, const UnitSettings& units) {
  FreeFormatWriter out;
  out.number(summary.chosenSex).endLine();
  out.number(convertWeight(units, 0, summary.liveWeightKg)).endLine();  // kg to the chosen unit
  out.text(summary.feedConversionText).endLine();
  out.text(summary.ageText).endLine();
  out.number(summary.dietCount).endLine();
  out.text("0").endLine();
  return out.contents();
}

bool writeGroupSummaryFile(const GroupSummary& summary, const UnitSettings& units,
                           const std::filesystem::path& folder, const std::string& name, std::string* error) {
  const auto path = folder / (name + ".cal");
  return writeFileAtomically(path, groupSummaryText(summary, units), error) || fileFailed(error, path);
}

bool writeGroupDietFile(DietTables& diets, int dietCount, const PhaseVector& feedAllotment,
                        const UnitSettings& units, const std::filesystem::path& folder, const std::string& name,
                        std::string* error) {
  return writeDietFile(diets, dietCount, feedAllotment, units, folder, name, error) ||
         fileFailed(error, folder / (name + ".dts"));
}

std::optional<CalibrationFileValues> parseCalibrationFile(const std::string& contents, std::string* problem) {
  CheckedLines in(contents);
  CalibrationFileValues v;
  v.aminoBasis = in.whole(ClbAminoLine, AminoRange);
  for (int s = 1; s <= 2; ++s) {
    for (int k = 0; k < 4; ++k) v.params[s][k] = in.value(ClbFirstParamLine[s] + k, ParamRanges[k]);
    in.value(ClbFirstParamLine[s] + 4, FatRange);
  }
  v.dietCount = in.whole(ClbDietCountLine, DietCountRange);
  const ValueRange* blockRanges[] = {&ChangeAgeRange, &ChangeWeightRange, &ReferenceEnergyRange};
  PhaseVector* blocks[] = {&v.changeAge, &v.changeWeight, &v.energy};
  for (std::size_t b = 0; b < 3; ++b)
    for (int p = 1; p <= v.dietCount; ++p)
      (*blocks[b])[p] = in.value(ClbChangeAgeLine + b, *blockRanges[b], static_cast<std::size_t>(p - 1));
  v.feCorrection[1] = in.value(ClbFeLine, FeRange);
  v.feCorrection[2] = in.value(ClbFeLine + 1, FeRange);
  v.energyChoice = in.whole(ClbChoiceLine, ChoiceRanges[0]);
  v.weightChoice = in.whole(ClbChoiceLine + 1, ChoiceRanges[1]);
  v.costChoice = in.whole(ClbChoiceLine + 2, ChoiceRanges[2]);
  for (std::size_t w = 0; w < WeeksWritten; ++w) {
    const int week = in.whole(ClbWeekLine + w, WeekRange);
    const double temperature = in.value(ClbWeekLine + w, TemperatureRange, 1);
    if (in.ok()) v.indexed[week] = temperature;
  }
  v.maleBreed = in.whole(ClbBreedLine, BreedRange);
  v.femaleBreed = in.whole(ClbBreedLine, BreedRange, 1);
  if (in.ok()) return v;
  if (problem) *problem = in.problem();
  return std::nullopt;
}

std::optional<CalibrationFileValues> readCalibrationValues(const std::filesystem::path& path, std::string* problem) {
  const std::optional<std::string> contents = readTextFile(path);
  if (!contents) {
    if (problem) *problem = "The calibration file " + path.string() + " was not found.";
    return std::nullopt;
  }
  std::string why;
  auto values = parseCalibrationFile(*contents, &why);
  if (!values && problem) *problem = calibrationRefusedText(path, why);
  return values;
}

std::string calibrationRefusedText(const std::filesystem::path& path, const std::string& why) {
  return "The calibration file " + path.string() + " can not be used, " + why + ". Nothing of it was used.";
}

void applyCalibrationFile(ModelState& model, const CalibrationFileValues& v) {
  beginCalibrationRead(model);
  model.settings.units.aminoBasis = v.aminoBasis != 0 ? AminoBasis::Avail : AminoBasis::Total;
  for (int s = 1; s <= 2; ++s)
    for (int k = 0; k < 4; ++k) model.inputs.growthParams[s][k] = v.params[s][k];
  model.inputs.dietCount = v.dietCount;
  for (int p = 1; p <= v.dietCount; ++p)
    for (int s = 0; s < SexRows; ++s) model.inputs.refEnergy[s][p] = v.energy[p];
  model.inputs.feCorrection[1] = v.feCorrection[1];
  model.inputs.feCorrection[2] = v.feCorrection[2];
  model.settings.units.energyChoice = v.energyChoice;
  model.settings.units.weightChoice = v.weightChoice;
  model.settings.units.costChoice = v.costChoice;
  model.settings.maleBreed = v.maleBreed;
  model.settings.femaleBreed = v.femaleBreed;
  finishCalibrationRead(model);
}

CalibrationRead readCalibrationFile(ModelState& model, const std::filesystem::path& path, Dialogs& dialogs) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return CalibrationRead::Missing;
  std::string problem;
  const auto values = readCalibrationValues(path, &problem);
  if (!values) {
    dialogs.message(problem);
    return CalibrationRead::Refused;
  }
  applyCalibrationFile(model, *values);
  return CalibrationRead::Read;
}

}  // namespace plumetra
