#pragma once
// The ".lst" file of a flock data set: the grid columns matched to the flock Data IDs,
// written when the analysis starts and offered again when the data set is loaded.

#include <filesystem>
#include <string>

#include "workspace/units.h"
#include "controls/dialogs.h"
#include "workspace/workspace_state.h"

namespace plumetra {

// One line per flock item, HOUSE ID to Flock Density: the matched grid column, -1 for an item
// not matched (twelve lines with six feed phases). Older lists stop after Sixth Feed Intake
// (eleven lines). A matched optional item (workspace/optional_items.h) adds a line after them,
// its quoted Data ID and its column ("Mortality %", 7): readers of the fixed lines stop before it.
inline constexpr int ListFileLines = ItemFlockEnd;
inline constexpr int OldListFileLines = 11;  // the older form: HOUSE ID to the sixth intake

// The data file named in dataFileBox with its extension, whatever its length, replaced by
// ".lst"; a bare name is taken in lastDir. Empty when no data file is named.
std::filesystem::path listFilePath(const Workspace& ws);

// The file's text: per flock item 0-11 its flockCol, or -1 when it is not matched; one
// free-format number per line, CR LF; then a line per matched optional item.
std::string listFileText(const Workspace& ws);

// Writes the list file (replacing an old one): to listFileTarget when set (an empty path writes
// none), else beside the data file in dataFileBox. A failed write is reported through
// `dialogs` and returns false; nothing is written without a data file.
bool writeListFile(const Workspace& ws, Dialogs& dialogs);

enum class ListReplay { NoFile, Declined, Replayed, Rejected };

// Offers the list file's selections ("A list file  of Data ID exists ..."). Yes matches line k
// to flock item k-1 (HOUSE ID first, whatever the Data ID list shows) through Record; a
// negative line leaves its item as it is, and so does a 0 on a numeric item of an eleven-line
// list when column 0 holds text (the older lists wrote 0 for an item never matched). The
// optional items' lines match their items; a line naming an item this program does not know is
// passed over. A file that is not a list of whole column numbers of this grid is reported and
// replays nothing.
ListReplay replayListFile(Workspace& ws, const UnitSettings& units, Dialogs& dialogs,
                          const std::filesystem::path& file);

}  // namespace plumetra
