#pragma once
// The ".lst" file of a flock data set: the grid columns matched to the flock Data IDs,
// written when the analysis starts and offered again when the data set is loaded.

#include <filesystem>
#include <string>

#include "workspace/units.h"
#include "controls/dialogs.h"
#include "workspace/workspace_state.h"

namespace plumetra {

inline constexpr int ListFileLines = 11;    // FlockCol 0-10, HOUSE ID to Sixth Feed Intake
inline constexpr int ListReplayLines = 10;  // the eleventh line is not read back

// The data file named in dataFileBox with its extension, whatever its length, replaced by
// ".lst"; a bare name is taken in LastDir. Empty when no data file is named.
std::filesystem::path ListFilePath(const Workspace& ws);

// The file's text: FlockCol(0) to FlockCol(10), one free-format number per line, CR LF.
std::string ListFileText(const FlockTable& table);

// Writes the list file of the data set in dataFileBox (replacing an old one). A failed write
// is reported through `dialogs` and returns false; nothing is written without a data file.
bool WriteListFile(const Workspace& ws, Dialogs& dialogs);

enum class ListReplay { NoFile, Declined, Replayed, Rejected };

// Offers the list file's selections ("A list file  of Data ID exists ..."). Yes replays the
// first ten columns onto the flock items from the current flockDataIds choice onward, through Record,
// until a negative column. A file that is not a list of whole column numbers of this grid is
// reported and replays nothing.
ListReplay ReplayListFile(Workspace& ws, const UnitSettings& units, Dialogs& dialogs,
                          const std::filesystem::path& file);

}  // namespace plumetra
