#include "calibration/calibration_files.h"

#include "workspace/diet_file.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

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
constexpr std::size_t kClbLineCount = 38;      // the adjustments and the closing 0 are not read

// The numbers of one line: a leading quoted label is dropped and the rest split at TABs. Each
// value is read with ReadNumber, so a decimal comma (lines written in a comma locale) reads
// as well as a period.
std::vector<double> lineValues(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first != std::string_view::npos && line[first] == '"') {
    const std::size_t close = line.find('"', first + 1);
    line = close == std::string_view::npos ? std::string_view{} : line.substr(close + 1);
  }
  std::vector<double> values;
  while (!line.empty()) {
    const std::size_t tab = line.find('\t');
    std::string_view piece = line.substr(0, tab);
    const std::size_t start = piece.find_first_not_of(' ');
    if (start != std::string_view::npos) values.push_back(ReadNumber(piece.substr(start)));
    line = tab == std::string_view::npos ? std::string_view{} : line.substr(tab + 1);
  }
  return values;
}

}  // namespace

std::string FormatCoarse(double value) { return generalNumber(roundHalfEven(value * 10) / 10); }

std::string CalibrationFileText(const ModelState& model, const CalibrationRecord& record, int group,
                                std::string_view fileName) {
  const int n = std::clamp(model.DietCount, 0, kMaxDietPhases);
  const int sex = std::clamp(model.ModelSex, 0, kSexRows - 1);
  FreeFormatWriter out;
  out.text(fileName).zone().tab().endLine();
  out.quoted(kLabels[LabelAminoBasis]).tab().number(static_cast<int>(model.units.aminoBasis)).endLine();
  for (int s = 1; s <= 2; ++s) {
    for (int k = 0; k < 4; ++k) out.tab().text(generalNumber(record(group, s, k))).endLine();
    out.number(model.FatCurve[s].A).endLine();
  }
  out.quoted(kLabels[LabelDietCount]).tab().number(n).endLine();
  out.quoted(kLabels[LabelChangeOn]).tab().number(1).endLine();
  phaseLine(out, kLabels[LabelChangeAge], model.DietChangeAge[sex], n, &FormatCoarse);
  phaseLine(out, kLabels[LabelChangeWeight], model.FeedAllotment, n, &generalNumber);
  phaseLine(out, kLabels[LabelEnergy], model.RefEnergy[1], n, &generalNumber);
  out.quoted(kLabels[LabelFeMale]).tab().text(firstCommaToPeriod(FormatDiet(record(group, 1, kItemFeCorrection)))).endLine();
  out.quoted(kLabels[LabelFeFemale]).tab().text(firstCommaToPeriod(FormatDiet(record(group, 2, kItemFeCorrection)))).endLine();
  const int choices[] = {model.units.energyChoice, model.units.weightChoice, model.units.costChoice};
  for (int c = 0; c < 3; ++c) out.quoted(kChoiceLabels[c]).zone().number(choices[c]).endLine();
  for (int w = 1; w <= kWeeksWritten; ++w)
    out.number(w).tab().text(firstCommaToPeriod(generalNumber(model.WeekTemp[w]))).endLine();
  out.number(model.MaleBreed).tab().number(model.FemaleBreed).endLine();
  out.number(model.BreedCompAdjust[breedIndex(model.MaleBreed)]).tab()
      .number(model.BreedCompAdjust[breedIndex(model.FemaleBreed)]).endLine();
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

std::string GroupDietFileText(const DietTables& diets, int dietCount, const PhaseVector& feedAllotment,
                              const UnitSettings& units) {
  return DietFileText(diets, dietCount, feedAllotment, units);
}

bool WriteGroupDietFile(DietTables& diets, int dietCount, const PhaseVector& feedAllotment,
                        const UnitSettings& units, const std::filesystem::path& folder, const std::string& name,
                        std::string* error) {
  return WriteDietFile(diets, dietCount, feedAllotment, units, folder, name, error) ||
         fileFailed(error, folder / (name + ".dts"));
}

std::optional<CalibrationFileValues> ParseCalibrationFile(const std::string& contents, std::string* problem) {
  FreeFormatReader in(contents);
  std::vector<std::vector<double>> lines;
  while (const auto line = in.line()) lines.push_back(lineValues(*line));
  const auto fail = [&](std::string why) -> std::optional<CalibrationFileValues> {
    if (problem) *problem = std::move(why);
    return std::nullopt;
  };
  if (lines.size() < kClbLineCount) return fail("it ends early");
  bool complete = true;
  const auto value = [&](std::size_t line, std::size_t k = 0) {
    complete = complete && k < lines[line].size();
    return k < lines[line].size() ? lines[line][k] : 0.0;
  };

  CalibrationFileValues v;
  v.aminoBasis = value(kClbAminoLine) != 0 ? 1 : 0;
  for (int s = 1; s <= 2; ++s)
    for (int k = 0; k < 4; ++k) v.params[s][k] = value(kClbFirstParamLine[s] + k);  // then the fat fraction
  const double diets = value(kClbDietCountLine);
  if (!(diets >= 1 && diets <= kMaxDietPhases)) return fail("the number of diets is not 1 to 6");
  v.dietCount = static_cast<int>(diets);
  PhaseVector* blocks[] = {&v.changeAge, &v.changeWeight, &v.energy};
  for (std::size_t b = 0; b < 3; ++b)
    for (int p = 1; p <= v.dietCount; ++p) (*blocks[b])[p] = value(kClbChangeAgeLine + b, static_cast<std::size_t>(p - 1));
  v.feCorrection[1] = value(kClbFeLine);
  v.feCorrection[2] = value(kClbFeLine + 1);
  v.energyChoice = static_cast<int>(value(kClbChoiceLine));
  v.weightChoice = static_cast<int>(value(kClbChoiceLine + 1));
  v.costChoice = static_cast<int>(value(kClbChoiceLine + 2));
  for (int w = 0; w < kWeeksWritten; ++w) {
    const double index = value(kClbWeekLine + w);
    if (index >= 0 && index < kWeeks) v.indexed[static_cast<int>(index)] = value(kClbWeekLine + w, 1);
  }
  const double male = value(kClbBreedLine);
  const double female = value(kClbBreedLine, 1);
  if (!complete) return fail("a line holds fewer values than it should");
  if (!(male >= 0 && male < kMaxBreeds && female >= 0 && female < kMaxBreeds))
    return fail("a breed index is outside 0 to 35");
  v.maleBreed = static_cast<int>(male);
  v.femaleBreed = static_cast<int>(female);
  return v;
}

void ApplyCalibrationFile(ModelState& model, const CalibrationFileValues& v) {
  BeginCalibrationRead(model);
  model.units.aminoBasis = v.aminoBasis != 0 ? AminoBasis::Avail : AminoBasis::Total;
  for (int s = 1; s <= 2; ++s)
    for (int k = 0; k < 4; ++k) model.GrowthParams[s][k] = v.params[s][k];
  model.DietCount = v.dietCount;
  for (int p = 1; p <= v.dietCount; ++p)
    for (int s = 0; s < kSexRows; ++s) model.RefEnergy[s][p] = v.energy[p];
  model.FeCorrection[1] = v.feCorrection[1];
  model.FeCorrection[2] = v.feCorrection[2];
  model.units.energyChoice = v.energyChoice;
  model.units.weightChoice = v.weightChoice;
  model.units.costChoice = v.costChoice;
  model.CalibrationIndexed = v.indexed;
  model.MaleBreed = v.maleBreed;
  model.FemaleBreed = v.femaleBreed;
  FinishCalibrationRead(model);
}

CalibrationRead ReadCalibrationFile(ModelState& model, const std::filesystem::path& path, Dialogs& dialogs) {
  const std::optional<std::string> contents = readTextFile(path);
  if (!contents) return CalibrationRead::Missing;
  std::string problem;
  const auto values = ParseCalibrationFile(*contents, &problem);
  if (!values) {
    dialogs.message("The calibration file " + path.string() + " can not be used: " + problem);
    return CalibrationRead::Refused;
  }
  ApplyCalibrationFile(model, *values);
  return CalibrationRead::Read;
}

}  // namespace plumetra
