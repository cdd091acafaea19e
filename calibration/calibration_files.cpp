#include "calibration/calibration_files.h"

#include <algorithm>
#include <cmath>

#include "model/composition.h"
#include "model/label_lists.h"
#include "views/free_format.h"
#include "views/number_format.h"

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
  // DietData nutrient -> diet-file value, for the eight matched nutrients.
  constexpr std::array<std::pair<int, int>, 8> kMatched{{{NutEnergy, ValEnergy},
                                                         {NutProtein, ValProtein},
                                                         {NutMethionine, ValMethionine},
                                                         {NutMetCys, ValMetCys},
                                                         {NutLysine, ValLysine},
                                                         {NutTryptophan, ValTryptophan},
                                                         {NutArginine, ValArginine},
                                                         {NutThreonine, ValThreonine}}};
  FreeFormatWriter out;
  const int n = std::clamp(dietCount, 0, MaxFileDiets);
  for (int d = 1; d <= n; ++d) {
    std::array<double, DietValueCount> values{};
    if (diets.DietsFromFile) {
      for (int v = 0; v < DietValueCount; ++v) values[v] = diets.DietTable[d][v];
    } else {
      for (const auto& [nutrient, value] : kMatched) values[value] = diets.DietData[nutrient][d];
      values[ValFeedCost] = diets.DietData[NutFeedCost][d];
    }
    for (int k = 1; k <= DietLinesPerDiet; ++k) {
      out.text(DietTables::DietLabels[k]).tab();
      if (k <= 2) {
        out.text(diets.DietText[d][k]);
      } else if (k - 3 == ValFeedWeight) {
        out.number(ConvertWeight(units, 0, feedAllotment[d]));  // kilograms to the chosen unit
      } else {
        out.text(generalNumber(values[k - 3]));
      }
      out.endLine();
    }
  }
  return out.contents();
}

bool WriteGroupDietFile(DietTables& diets, int dietCount, const PhaseVector& feedAllotment,
                        const UnitSettings& units, const std::filesystem::path& folder, const std::string& name,
                        std::string* error) {
  const auto path = folder / (name + ".dts");
  if (!writeFileAtomically(path, GroupDietFileText(diets, dietCount, feedAllotment, units), error))
    return fileFailed(error, path);
  diets.DietFile = path;
  return true;
}

std::optional<CalibrationFileValues> ParseCalibrationFile(const std::string& contents, std::string* problem) {
  FreeFormatReader in(contents);
  CalibrationFileValues v;
  bool complete = true;
  const auto number = [&] {
    const std::optional<double> x = in.numberField();
    complete = complete && x.has_value();
    return x.value_or(0);
  };
  const auto label = [&] { complete = complete && in.field().has_value(); };
  const auto fail = [&](std::string why) -> std::optional<CalibrationFileValues> {
    if (problem) *problem = std::move(why);
    return std::nullopt;
  };

  in.line();  // the file's own name
  label();
  v.aminoBasis = number() != 0 ? 1 : 0;
  for (int s = 1; s <= 2; ++s) {
    for (int k = 0; k < 4; ++k) v.params[s][k] = number();
    number();  // the mature fat fraction: the composition set is chosen from the one in force
  }
  label();
  const double diets = number();
  if (!complete) return fail("it ends before the number of diets");
  if (!(diets >= 1 && diets <= kMaxDietPhases)) return fail("the number of diets is not 1 to 6");
  v.dietCount = static_cast<int>(diets);
  label();
  number();  // "Change on Age(0) or Wt (1)": always by weight
  for (PhaseVector* block : {&v.changeAge, &v.changeWeight, &v.energy}) {
    label();
    for (int p = 1; p <= v.dietCount; ++p) (*block)[p] = number();
  }
  label();
  v.feCorrection[1] = number();
  label();
  v.feCorrection[2] = number();
  for (int* choice : {&v.energyChoice, &v.weightChoice, &v.costChoice}) {
    label();
    *choice = static_cast<int>(number());
  }
  for (int w = 0; w < kWeeksWritten; ++w) {
    const double index = number();
    const double value = number();
    if (index >= 0 && index < kWeeks) v.indexed[static_cast<int>(index)] = value;
  }
  const double male = number();
  const double female = number();
  if (!complete) return fail("it ends early");
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
