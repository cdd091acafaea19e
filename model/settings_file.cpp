#include "model/settings_file.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "model/composition.h"
#include "files/free_format.h"
#include "controls/number_format.h"

namespace plumetra {
namespace {

constexpr double MostBirdsPerM2 = 100;  // a stored density beyond this is no density

constexpr int LastWeek = Weeks - 1;
// "Change on Age(0) or Wt (1)": a growth run changes phases by feed eaten, never by age.
constexpr int PhasesChangeOnWeight = 1;

std::filesystem::path settingsPath(const std::filesystem::path& name) {
  std::filesystem::path path = name;
  path += ".stg";
  return path;
}

// Real numbers are written in general number form; whole numbers with the print blanks.
FreeFormatWriter& realNumber(FreeFormatWriter& out, double value) {
  return out.text(generalNumber(value));
}

// ---- reading ---------------------------------------------------------------------------

std::vector<std::string> splitLines(const std::string& contents) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < contents.size()) {
    std::size_t end = contents.find_first_of("\r\n", start);
    if (end == std::string::npos) end = contents.size();
    lines.push_back(contents.substr(start, end - start));
    start = end;
    if (start < contents.size() && contents[start] == '\r') ++start;
    if (start < contents.size() && contents[start] == '\n') ++start;
  }
  return lines;
}

// Free-format fields read across lines, as the settings reader needs them: the fields of a
// line follow one another, and the rest of a line can be dropped.
class LineFields {
 public:
  explicit LineFields(const std::string& contents) : lines_(splitLines(contents)) {}

  // A blank line holds one empty field, as free-format input reads it.
  std::optional<std::string> field() {
    if (!advance()) return std::nullopt;
    taken_ = true;
    return reader_.field().value_or("");
  }
  std::optional<double> number() {
    if (!advance()) return std::nullopt;
    taken_ = true;
    return reader_.numberField().value_or(0.0);
  }
  // A whole number as a 16-bit setting would hold it; nullopt at the end of the file.
  std::optional<double> wholeNumber() {
    auto value = number();
    if (value) *value = roundHalfEven(*value);
    return value;
  }
  void dropRestOfLine() { hasLine_ = false; }
  // The 1-based number of the line the last value came from.
  std::size_t lineNumber() const { return next_; }
  // The next line not yet started, as it stands.
  std::optional<std::string> nextLine() {
    hasLine_ = false;
    if (next_ >= lines_.size()) return std::nullopt;
    return lines_[next_++];
  }

 private:
  // Moves to the next line when the current one has no field left; false at the end.
  bool advance() {
    if (hasLine_ && (!taken_ || reader_.hasField())) return true;
    if (next_ >= lines_.size()) return false;
    reader_ = FreeFormatReader(lines_[next_++]);
    hasLine_ = true;
    taken_ = false;
    return true;
  }
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  FreeFormatReader reader_{std::string{}};
  bool hasLine_ = false;  // reader_ holds a line being read
  bool taken_ = false;  // a field of the current line has been read
};

// A "label, value" line whose value follows a TAB or a comma, or stands on the next line.
// Returns the value text without blanks and quotes (a decimal comma stays in it).
std::string labelledValue(LineFields& in, const std::string& line) {
  std::size_t valueStart;
  if (!line.empty() && line.front() == '"') {
    const std::size_t close = line.find('"', 1);
    valueStart = close == std::string::npos ? line.size() : close + 1;
    valueStart = line.find_first_not_of(" \t", valueStart);
    if (valueStart != std::string::npos && line[valueStart] == ',') ++valueStart;
  } else {
    valueStart = line.find_first_of("\t,");
    if (valueStart != std::string::npos) ++valueStart;
  }
  std::string value = valueStart < line.size() ? line.substr(valueStart) : std::string{};
  if (value.find_first_not_of(" \t") == std::string::npos) value = in.nextLine().value_or("");
  std::erase(value, '"');
  return value;
}

std::optional<int> sexFromText(std::string_view text) {
  if (text == "M" || text == "Males") return 1;
  if (text == "F" || text == "Females") return 2;
  if (text == "X" || text == "Mixed") return 0;
  return std::nullopt;
}

// The plausible range of a stored value; a file holding one outside is refused naming its line.
struct StoredRange {
  const char* what;
  double low, high;
};
constexpr StoredRange ChangeAgeRange{"change age (days)", 0, 100};
constexpr StoredRange StoredFeedWeightRange{"feed weight (kg per bird)", 0, 50};
constexpr StoredRange TemperatureRange{"temperature", -30, 60};

// Values taken from a settings file, each checked as it is taken; the first one outside its
// range is kept as the problem, with its line.
class CheckedValues {
 public:
  explicit CheckedValues(LineFields& in) : in_(in) {}
  // The next number, 0 at the end of the file.
  double number(const StoredRange& range) { return check(in_.number().value_or(0), range); }
  // `v`, the value just taken.
  double check(double v, const StoredRange& range) {
    if (problem_.empty() && !(v >= range.low && v <= range.high))
      problem_ = "line " + std::to_string(in_.lineNumber()) + ": the " + range.what + " " + generalNumber(v) +
                 " is outside " + generalNumber(range.low) + " to " + generalNumber(range.high);
    return v;
  }
  const std::string& problem() const { return problem_; }

 private:
  LineFields& in_;
  std::string problem_;
};

void readTemperatures(LineFields& in, CheckedValues& values, std::array<double, Weeks>& weekTemp) {
  for (;;) {
    auto week = in.wholeNumber();
    if (!week) return;
    auto temperature = in.number();
    if (!temperature || *week < 0 || *week > LastWeek) return;
    weekTemp[static_cast<int>(*week)] = values.check(*temperature, TemperatureRange);
    if (*week >= LastWeek) return;
  }
}

void readMillLines(LineFields& in, ModelState& model) {
  in.dropRestOfLine();
  auto costLine = in.nextLine();
  if (!costLine) return;
  model.settings.units.millCostChoice = static_cast<int>(
      std::clamp(roundHalfEven(readNumber(labelledValue(in, *costLine))), -32768.0, 32767.0));
  if (auto haulLine = in.nextLine()) labelledValue(in, *haulLine);  // "Mill Haul Cost": written as 0, not used
  model.inputs.proteinCurve = CompositionSetB.protein;
  // The number after the mill lines: the stocking density the group was calibrated at (0: none).
  if (auto densityLine = in.nextLine()) {
    const double density = readNumber(*densityLine);
    model.inputs.densityInput[0] = density > 0 && density < MostBirdsPerM2 ? density : 0;
  }
}

// A whole-number setting, kept within 16 bits as the file's readers always held it.
int setting(std::optional<double> value) {
  return static_cast<int>(std::clamp(value.value_or(0.0), -32768.0, 32767.0));
}

}  // namespace

std::string settingsFileText(const ModelState& model, std::string_view dataSetName, int chosenSex,
                             std::string_view targetWeight) {
  const int diets = std::clamp(model.inputs.dietCount, 0, StoredDietPhases);
  FreeFormatWriter out;
  out.text(dataSetName).endLine();
  out.quoted("Flock Sex      ").endLine();
  out.text(chosenSex == 1 ? "M" : chosenSex == 2 ? "F" : "X").endLine();
  out.quoted("Target Weight").endLine();
  out.text(targetWeight).endLine();
  out.quoted("No of Diets").endLine().number(model.inputs.dietCount).endLine();
  out.quoted("Change on Age(0) or Wt (1)").endLine().number(PhasesChangeOnWeight).endLine();
  out.quoted("Age, days").endLine();
  for (int phase = 1; phase <= diets; ++phase) out.number(0).endLine();
  out.quoted("Feed Weight").endLine();
  for (int phase = 1; phase <= diets; ++phase) realNumber(out, model.inputs.feedAllotment[phase]).endLine();
  out.quoted("Energy Choice").endLine().number(model.settings.units.energyChoice).endLine();
  out.quoted("Weight Choice").endLine().number(model.settings.units.weightChoice).endLine();
  out.quoted("Cost Choice").endLine().number(model.settings.units.costChoice).endLine();
  out.quoted("Temperature by week").endLine();
  for (int week = 1; week <= LastWeek; ++week)
    realNumber(out.number(week).tab(), model.inputs.weekTemp[week]).endLine();
  out.quoted("Mill Cost Choice").tab().number(model.settings.units.millCostChoice).endLine();
  out.quoted("Mill Haul Cost").tab().number(0).endLine();
  out.number(model.inputs.densityInput[0] > 0 ? model.inputs.densityInput[0] : 0).endLine().number(0).endLine();
  return out.contents();
}

bool writeSettingsFile(const ModelState& model, const std::filesystem::path& name, int group,
                       int chosenSex, std::string_view targetWeight, std::string* error) {
  if (group < 1 || group > 4) return true;  // the three groups and all flocks have settings files
  const std::string text =
      settingsFileText(model, name.filename().string(), chosenSex, targetWeight);
  return writeFileAtomically(settingsPath(name), text, error);
}

SettingsRead readSettingsFile(ModelState& model, const std::filesystem::path& name,
                              Dialogs& dialogs) {
  const auto path = settingsPath(name);
  auto contents = readTextFile(path);
  if (!contents) return SettingsRead::Absent;
  LineFields in(*contents);
  in.nextLine();  // the data-set name

  in.field();
  const std::optional<int> sex = sexFromText(in.field().value_or(""));
  in.field();
  in.number();  // the target weight: the analysis grid keeps the group's own
  in.field();
  const double diets = in.wholeNumber().value_or(0);
  if (diets < 1 || diets > StoredDietPhases) {
    dialogs.message("The settings file " + path.string() + " gives \"No of Diets\" as " +
                    generalNumber(diets) + "; it must be 1 to " + std::to_string(StoredDietPhases) +
                    ". The settings were not read.");
    return SettingsRead::Refused;
  }
  in.field();
  in.wholeNumber();  // phases always change by feed eaten

  // Read whole and checked before any of it is put in force.
  CheckedValues values(in);
  const int dietCount = static_cast<int>(diets);
  PhaseVector changeAges{}, feedAllotment{};
  in.field();
  for (int phase = 1; phase <= dietCount; ++phase) changeAges[phase] = values.number(ChangeAgeRange);
  in.field();
  for (int phase = 1; phase <= dietCount; ++phase) feedAllotment[phase] = values.number(StoredFeedWeightRange);

  in.field();
  const int energyChoice = setting(in.wholeNumber());
  in.dropRestOfLine();
  in.field();
  in.wholeNumber();
  in.field();
  const int costChoice = setting(in.wholeNumber());

  in.field();
  std::array<double, Weeks> weekTemp = model.inputs.weekTemp;
  readTemperatures(in, values, weekTemp);
  if (!values.problem().empty()) {
    dialogs.message("The settings file " + path.string() + " cannot be right at " + values.problem() +
                    ". The settings were not read.");
    return SettingsRead::Refused;
  }

  if (sex) model.inputs.modelSex = *sex;
  model.inputs.dietCount = dietCount;
  for (int phase = 1; phase <= dietCount; ++phase) {
    model.settings.dietChangeAge[model.inputs.modelSex][phase] = changeAges[phase];
    model.inputs.feedAllotment[phase] = feedAllotment[phase];
  }
  model.settings.units.energyChoice = energyChoice;
  model.settings.units.weightChoice = 0;
  model.settings.units.costChoice = costChoice;
  model.inputs.weekTemp = weekTemp;
  readMillLines(in, model);

  model.inputs.optTemp = OptimumWeekTemp;
  if (model.inputs.weekTemp[1] == 0)
    std::copy(model.inputs.optTemp.begin() + 1, model.inputs.optTemp.end(), model.inputs.weekTemp.begin() + 1);
  return SettingsRead::Read;
}

}  // namespace plumetra
