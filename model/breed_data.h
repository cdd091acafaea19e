#pragma once
// Breed growth curves: the breed database "ConvixData1.mdb", the text file "BrdData.Txt"
// and the built-in table, all landing in ModelState's breedTable, breedNames, breedCount
// and breedCompAdjust.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/model_state.h"
#include "controls/dialogs.h"

namespace plumetra {

inline constexpr std::string_view BreedDatabaseName = "ConvixData1.mdb";
inline constexpr std::string_view BreedTextFileName = "BrdData.Txt";
inline constexpr int BuiltInBreedCount = 14;      // highest index of the built-in list
inline constexpr double BreastMeatAdjust = 0.128;  // breeds with enhanced breast meat
inline constexpr std::array<int, 3> BreastMeatBreeds{3, 7, 13};

// One breed and sex as the database and the text file give it.
struct BreedRecord {
  int index = 0;
  std::string name;
  int sex = 1;                                // 1 male, 2 female
  std::array<double, 4> params{};             // W0, b, L, k
  std::optional<double> compAdjust;           // the database's breast-meat adjustment
};

// Stores one record; false (nothing stored) when the breed index is outside 0..35 or the
// sex is not 1 or 2.
bool storeBreedRecord(ModelState& model, const BreedRecord& record);

// A BreedData record of the database as its field texts (field 1 name, 3 sex, 4-7 W0, b, L,
// k, 8 breast-meat adjustment, 10 breed index); std::nullopt when it has fewer than 11 fields.
std::optional<BreedRecord> breedRecordFromFields(const std::vector<std::string>& fields);

// The built-in breed list 0-14 and the breast-meat adjustment 0.128 of breeds 3, 7 and 13.
void setDefaultBreeds(ModelState& model);
// The built-in breedTable, with breed count 14 and the default adjustments.
void loadBuiltInBreedTable(ModelState& model);

// Reads "BrdData.Txt" (two records "name, W0, b, L, k" per breed, male then female).
// Breeds beyond 35 are refused with a message. Returns false when the file cannot be read.
bool readBreedTextFile(ModelState& model, const std::filesystem::path& path, Dialogs& dialogs);

// Reads the BreedData and Trans tables of the breed database. Records outside the tables'
// bounds are refused with one message; other read errors end the reading quietly with what
// has been read. Returns false when the database cannot be opened or holds no usable breed
// record (or no reader is built in), so that the text file or the built-in table is used.
bool readBreedDatabase(ModelState& model, const std::filesystem::path& path, Dialogs& dialogs);

// The database when it is in appDir, else the text file, else the built-in table; the
// built-in names when breed 0 has none afterwards.
void loadBreedData(ModelState& model, const std::filesystem::path& appDir, Dialogs& dialogs);

// Where the breed files of an installation stand: the executable's folder when it holds one
// of them, else the installed data folder beside it (../share/plumetra), else exeDir.
std::filesystem::path breedDataFolder(const std::filesystem::path& exeDir);

// The means of the breeds chosen for the two sexes as growth parameters: male rows 0-3 the
// mean of the two breeds' male curves; the female rows likewise when the female breed has a
// male L. Then the day-0 body weights take the new hatch weights.
void setBreedMeanParams(ModelState& model);

}  // namespace plumetra
