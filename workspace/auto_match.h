#pragma once
// Matching without double-clicks: by the columns' headings (autoMatch) or by a list of
// "Data ID=Heading" pairs (applyMatchMap). Both go through the double-click path, so the
// tables end exactly as after matching by hand.

#include <optional>
#include <string>
#include <vector>

#include "workspace/units.h"
#include "controls/dialogs.h"
#include "workspace/matching.h"

namespace plumetra {

struct ColumnMatch {
  MatchSide side;
  int item;    // index in the side's Data ID list
  int column;  // grid column
  std::string heading;
};

// A required Data ID no column is matched to, with the unmatched headings most like its names.
struct MissingItem {
  std::string dataId;
  std::vector<std::string> closest;  // best first, at most three
};

struct AutoMatchReport {
  std::vector<ColumnMatch> matched;            // in the order they were made
  std::vector<std::string> unmatchedRequired;  // Data IDs the analysis needs and still lacks
  std::vector<MissingItem> missing;            // the same, with the closest headings
  std::vector<std::string> notes;              // headings left unmatched on purpose, and why
};

// Proposes a Data ID for every column from its heading and matches the items still unmatched
// (flock grid, then diet grid; each column and each item at most once; of two columns naming
// one item the better name wins, then the leftmost; columns named by feed phase go to the feed
// intakes in phase order). A heading that two columns share is matched to neither, and a
// heading that looks like an item it must not be matched to is left alone; both are noted and
// told through `dialogs`.
// The tab showing is kept.
AutoMatchReport autoMatch(Workspace& ws, const UnitSettings& units, Dialogs& dialogs);

// Matches `item` of `side` to grid column `column` as a double-click on that heading would.
ColumnMatch matchColumn(Workspace& ws, MatchSide side, int item, int column,
                        const UnitSettings& units, Dialogs& dialogs);

// The required Data IDs (the analysis refuses to start without them) not yet matched.
std::vector<std::string> unmatchedRequiredItems(const Workspace& ws);

// The required Data IDs not yet matched, each with the closest headings of its grid.
std::vector<MissingItem> missingRequiredItems(const Workspace& ws);

// "No column found for "Age at Slaughter *"; closest headings: "Days to Process", "Clearance"",
// then `howToMatch` with the Data ID in place of "{}" ("double-click its column", "use --map
// '{}=Heading'"); one line per item.
std::string missingItemsText(const std::vector<MissingItem>& missing, std::string_view howToMatch);

// The unit a matched heading gives and how its numbers are converted ("grams, read as kg"), or ""
// when it is read as it stands.
std::string headingUnitNote(MatchSide side, int item, std::string_view heading);

// How many Data IDs the analysis needs (flock items and nutrients together).
int requiredItemCount();

// What autoMatch did, for a message: each match as "Data ID <- heading" on its own line with
// its unit note, then the required Data IDs still missing with their closest headings (or that
// none are).
std::string autoMatchSummary(const AutoMatchReport& report);

// "Live Weight per Bird *=Avg Weight;Lysine *=Lys %": Data IDs by their exact text, headings
// as the grid shows them (blanks around either are ignored).
struct MapEntry {
  std::string dataId;
  std::string heading;
};
struct MatchMap {
  std::vector<MapEntry> entries;
  std::string problem;  // empty when the text was well formed
};
MatchMap parseMatchMap(std::string_view text);

// Checks every entry first (known Data ID, heading present in its grid exactly once); any fault
// is reported through `dialogs` and nothing is matched. Returns the matches made, or std::nullopt.
std::optional<std::vector<ColumnMatch>> applyMatchMap(Workspace& ws,
                                                      const std::vector<MapEntry>& entries,
                                                      const UnitSettings& units, Dialogs& dialogs);

}  // namespace plumetra
