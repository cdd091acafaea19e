#pragma once
// Tables from the clipboard and text files. Flock tables into the flock grid: paste,
// comma-separated and tab-separated files, and the loading step that counts the flocks, offers the
// ".lst" matches and builds the analysis grid.

#include <filesystem>
#include <optional>
#include <string_view>

#include "workspace/units.h"
#include "controls/dialogs.h"
#include "workspace/workspace_state.h"

namespace plumetra {

inline constexpr int PasteColumns = 200;  // room given to a paste or a file before trimming

// Trims the flock grid to its last non-empty row and column plus one empty row and column;
// flockCount becomes the number of flock rows.
void resetGrid(Workspace& ws);

// "Paste" on the active grid at its current cell. On the flock grid, a paste at the top-left
// cell is a new data set of at most 399 flocks (replaceFlockDataSet; when flocks are loaded the
// user is asked first); a paste anywhere else changes only the cells it covers, never removes
// a row, and copies the matched columns again. What did not fit is reported.
void pasteClipboard(Workspace& ws, std::string_view clipboardText, const UnitSettings& units, Dialogs& dialogs);

// Which ".lst" file the loading step offers: std::nullopt the one beside the data file, a
// path that file, an empty path none.
using ListFileChoice = std::optional<std::filesystem::path>;

// The flock loading step (a flockSheetChoice entry chosen): the sheet as a new data set unless
// the entry is a text file, then the ".lst" offer. False when nothing was chosen or the sheet
// was not read.
bool loadFlockSheet(Workspace& ws, const UnitSettings& units, Dialogs& dialogs,
                    const ListFileChoice& listFile = std::nullopt);

// Menu "Flock Data in Comma Separated File (csv)": the file dialog, then loadFlockTextFile.
void csvFlock(Workspace& ws, const UnitSettings& units, Dialogs& dialogs);

// A flock table from a text file as a new data set: ".txt"/".tsv" tab-separated, any other
// name with its separator found from the heading line (room for 499 flocks). The path joins
// flockSheetChoice and the loading step runs. A missing, empty, binary or data-less file is
// reported and changes nothing.
bool loadFlockTextFile(Workspace& ws, const UnitSettings& units, Dialogs& dialogs,
                       const std::filesystem::path& file,
                       const ListFileChoice& listFile = std::nullopt);

// A diet table from a text file (comma- or tab-separated as above) into the diet grid, cut to
// its heading row and diets 1-7; then the flock count, buildAnalysisGrid and the "Analysis Results" tab
// as after a diet sheet.
bool loadDietTextFile(Workspace& ws, Dialogs& dialogs, const std::filesystem::path& file);

// Whether a file name is read as tab-separated text (".txt" or ".tsv", any case).
bool isTabSeparatedName(const std::filesystem::path& file);

}  // namespace plumetra
