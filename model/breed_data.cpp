#include "model/breed_data.h"

#include <cmath>

#include "model/composition.h"
#include "files/free_format.h"
#include "controls/number_format.h"

namespace plumetra {
namespace {

struct BuiltInBreed {
  std::string_view name;
  std::array<double, 4> male, female;  // W0, b, L, k
};

constexpr std::array<BuiltInBreed, BuiltInBreedCount + 1> BuiltInBreeds{{
    {"General", {43.356, 0.797, 6.472, 0.078}, {45.168, 0.823, 5.991, 0.073}},
    {"Ross AP95", {37.798, 0.88, 5.372, 0.063}, {39.333, 0.871, 5.083, 0.067}},
    {"Cobb 500", {39.0665, 0.8859, 5.3056, 0.0614}, {36.5713, 0.8556, 5.2293, 0.0675}},
    {"Cobb 700", {45.6169, 0.9427, 5.0868, 0.0519}, {38.6801, 0.8758, 5.165, 0.0641}},
    {"Cobb Sasso", {42, 0.9763, 4.6165, 0.0831}, {42, 0.8437, 4.5881, 0.0632}},
    {"Hubbard Classic", {36.126, 0.88, 5.353, 0.07}, {40.876, 0.842, 5.065, 0.073}},
    {"Hubbard F15", {35.523, 0.885, 5.308, 0.069}, {40.876, 0.848, 4.999, 0.071}},
    {"Hubbard Efficiency Plus", {40.876, 0.842, 5.065, 0.073}, {35.523, 0.885, 5.308, 0.069}},
    {"Indian River", {38.624, 1.06, 5.028, 0.04}, {40.876, 1.025, 4.799, 0.042}},
    {"Hybro G", {36.309, 0.914, 5.023, 0.066}, {39.895, 0.895, 5.367, 0.058}},
    {"Hybro PG+", {38.164, 0.905, 5.385, 0.061}, {38.378, 0.906, 4.994, 0.063}},
    {"Hybro PN", {41.863, 0.949, 5.226, 0.054}, {42.941, 0.955, 4.833, 0.054}},
    {"Ross 308", {42.2649, 0.8538, 5.3702, 0.0676}, {42.7171, 0.8369, 5.1125, 0.0742}},
    {"Ross 708", {40.8208, 0.8556, 5.3573, 0.0671}, {42.3537, 0.848, 5.0583, 0.0714}},
    {"Arbor Acres Plus", {43.7046, 0.8603, 5.0202, 0.07}, {44.1081, 0.8772, 5.2578, 0.0635}},
}};

void setDefaultAdjustments(ModelState& model) {
  for (int breed : BreastMeatBreeds) model.settings.breedCompAdjust[breed] = BreastMeatAdjust;
}

// A whole number read from a field; values beyond int's range read as -1 (out of bounds).
int wholeNumber(std::string_view text) {
  const double value = roundHalfEven(readNumber(text));
  return std::fabs(value) < 1e9 ? static_cast<int>(value) : -1;
}

// One "name, W0, b, L, k" record of the text file; std::nullopt at the end of the file.
std::optional<BreedRecord> readTextRecord(FreeFormatReader& in, int index, int sex) {
  BreedRecord record{index, {}, sex, {}, std::nullopt};
  auto name = in.field();
  if (!name) return std::nullopt;
  record.name = *name;
  for (double& value : record.params) {
    auto field = in.numberField();
    if (!field) return std::nullopt;
    value = *field;
  }
  return record;
}

}  // namespace

bool storeBreedRecord(ModelState& model, const BreedRecord& record) {
  if (record.index < 0 || record.index >= MaxBreeds || (record.sex != 1 && record.sex != 2))
    return false;
  model.settings.breedNames[record.index] = record.name;
  model.settings.breedTable[record.index][record.sex] = record.params;
  if (record.compAdjust) model.settings.breedCompAdjust[record.index] = *record.compAdjust;
  return true;
}

std::optional<BreedRecord> breedRecordFromFields(const std::vector<std::string>& fields) {
  if (fields.size() < 11) return std::nullopt;
  BreedRecord record;
  record.index = wholeNumber(fields[10]);
  record.name = fields[1];
  record.sex = wholeNumber(fields[3]);
  for (int i = 0; i < 4; ++i) record.params[i] = readNumber(fields[4 + i]);
  record.compAdjust = readNumber(fields[8]);
  return record;
}

void setDefaultBreeds(ModelState& model) {
  for (int breed = 0; breed <= BuiltInBreedCount; ++breed)
    model.settings.breedNames[breed] = std::string(BuiltInBreeds[breed].name);
  setDefaultAdjustments(model);
}

void loadBuiltInBreedTable(ModelState& model) {
  for (int breed = 0; breed <= BuiltInBreedCount; ++breed) {
    model.settings.breedTable[breed][1] = BuiltInBreeds[breed].male;
    model.settings.breedTable[breed][2] = BuiltInBreeds[breed].female;
  }
  model.settings.breedCount = BuiltInBreedCount;
  setDefaultAdjustments(model);
}

bool readBreedTextFile(ModelState& model, const std::filesystem::path& path, Dialogs& dialogs) {
  auto contents = readTextFile(path);
  if (!contents) return false;
  FreeFormatReader in(std::move(*contents));
  for (int breed = 0;; ++breed) {
    auto male = readTextRecord(in, breed, 1);
    auto female = male ? readTextRecord(in, breed, 2) : std::nullopt;
    if (!female) break;
    if (!storeBreedRecord(model, *male) || !storeBreedRecord(model, *female)) {
      dialogs.message("The breed file " + path.string() + " holds more than " +
                      std::to_string(MaxBreeds) + " breeds; only breeds 0 to " +
                      std::to_string(MaxBreeds - 1) + " were read.");
      break;
    }
  }
  setDefaultAdjustments(model);
  model.settings.breedCount = BuiltInBreedCount;
  return true;
}

void loadBreedData(ModelState& model, const std::filesystem::path& appDir, Dialogs& dialogs) {
  std::error_code ec;
  const auto database = appDir / BreedDatabaseName;
  const auto textFile = appDir / BreedTextFileName;
  bool fromDatabase = false;
  if (std::filesystem::exists(database, ec)) fromDatabase = readBreedDatabase(model, database, dialogs);
  if (!fromDatabase &&
      !(std::filesystem::exists(textFile, ec) && readBreedTextFile(model, textFile, dialogs)))
    loadBuiltInBreedTable(model);
  if (model.settings.breedNames[0].empty()) {
    setDefaultBreeds(model);
    model.settings.breedCount = BuiltInBreedCount;
  }
}

std::filesystem::path breedDataFolder(const std::filesystem::path& exeDir) {
  std::error_code ec;
  const auto holdsBreedFile = [&ec](const std::filesystem::path& dir) {
    return std::filesystem::exists(dir / BreedDatabaseName, ec) ||
           std::filesystem::exists(dir / BreedTextFileName, ec);
  };
  if (holdsBreedFile(exeDir)) return exeDir;
  const auto installed = exeDir.parent_path() / "share" / "plumetra";
  return holdsBreedFile(installed) ? installed : exeDir;
}

void setBreedMeanParams(ModelState& model) {
  const auto& maleBreed = model.settings.breedTable[chosenBreed(model, 1)];
  const auto& femaleBreed = model.settings.breedTable[chosenBreed(model, 2)];
  for (int row = 0; row < 4; ++row)
    model.inputs.growthParams[1][row] = (maleBreed[1][row] + femaleBreed[1][row]) / 2;
  if (femaleBreed[1][ParamL] != 0)
    for (int row = 0; row < 4; ++row)
      model.inputs.growthParams[2][row] = (maleBreed[2][row] + femaleBreed[2][row]) / 2;
  setHatchWeights(model);
}

}  // namespace plumetra
