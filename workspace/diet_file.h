#pragma once
// The diet file (".dts"): eighteen "label<TAB>value" lines per diet, at most five diets.
//   1 "Diet Type", 2 "Diet Change" (texts), 3 "Feed Cost", 4 "Feed Weight" (in the user's
//   weight unit), 5-18 energy, protein and twelve amino acids (numbers).

#include "workspace/units.h"
#include "controls/dialogs.h"
#include "workspace/diet_table.h"

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace plumetra {

// The diets of one diet file as read, before they are put into the diet tables.
struct DietFileDiets {
  int count = 0;                // diets read, 0-5
  bool cutAfterFifth = false;   // the file went on beyond the fifth diet
  std::array<std::array<std::string, 3>, MaxFileDiets + 1> texts{};  // [diet][1 type, 2 change]
  std::array<std::array<double, DietValueCount>, MaxFileDiets + 1> values{};  // [diet][value]
  std::array<std::string, DietValueCount> fieldNames{};  // labels of the values (last diet)
};

// Either the diets or the reason the text is not a usable diet file.
struct DietFileParse {
  std::optional<DietFileDiets> diets;
  std::string problem;
};

// Reads the text of a diet file. A value may use a decimal comma; a label may stand on its
// own line with the value on the next; a quoted label or value loses its quotes.
// Non-numbers in numeric lines read as 0; a value outside its plausible range in every unit
// the settings offer (workspace/plausible_ranges.h) refuses the file, naming the line.
DietFileParse parseDietFile(std::string contents);

// The diet file's path: a name without the ".dts" extension gets it appended.
std::filesystem::path dietFilePath(const std::filesystem::path& name);

enum class DietReadStatus { Read, Missing, Rejected };

// Reads a diet file into the diet tables (dietText, dietFieldNames, dietTable values 0-15 of
// the diets read; dietFile). A missing file changes nothing and says nothing. A file that
// holds no complete diet, ends inside a diet or is not a diet file is reported through
// `dialogs` and changes nothing. When dietCount is 0 it becomes the number of diets read.
DietReadStatus readDietFile(DietTables& diets, const std::filesystem::path& file,
                            Dialogs& dialogs);

// The one writer of diet files, whichever way the diets were read (a diet file, a sheet or a
// table matched by hand): diets 1..dietCount (at most 5) from dietTable and dietText with the
// default labels; the "Feed Weight" line carries feedAllotment[d] (kg) in the chosen weight
// unit. Every value of dietTable is written: a diet file's cost and all its amino acids, or
// what a sheet matched (see recordMatchesOn), the rest 0.
std::string dietFileText(const DietTables& diets, int dietCount, std::span<const double> feedAllotment,
                         const UnitSettings& units);

// Writes dietFileText as `folder`/`baseName`.dts (replacing an old file) and makes it dietFile.
// Returns false, with the reason in `error`, when the file could not be written.
bool writeDietFile(DietTables& diets, int dietCount, std::span<const double> feedAllotment,
                   const UnitSettings& units, const std::filesystem::path& folder,
                   const std::string& baseName, std::string* error = nullptr);

}  // namespace plumetra
