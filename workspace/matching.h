#pragma once
// Data ID matching: the user tells which grid column holds which item; each match copies
// the column's numbers into flockData (flock grid) or dietData (diet grid).

#include <optional>

#include "workspace/units.h"
#include "controls/dialogs.h"
#include "workspace/workspace_state.h"

namespace plumetra {

// The side of a match: the flock grid with flockDataIds, or the diet grid with dietDataIds.
enum class MatchSide { Flock, Diet };

// Start-up reset: loads the Data ID combos (only the real entries, "End" last), selects the
// first flock item, writes the item map and the file dialog's first title.
void resetDataIdLists(Workspace& ws);

// Shows a tab; on a tab change with no nutrient chosen, the first one is chosen.
void selectTab(Workspace& ws, int tab);

// "Record Selected": records selectedCol for the item chosen on the active tab's combo and
// advances the combo. Nothing is recorded on the "Analysis Results" tab, for the "End" entry
// or with nothing chosen, or for a column outside the grid; returns whether it recorded.
// `units` decide whether feed intakes 1-5 above 10 are grams (energy unit "Kcal/Kg").
bool recordMatches(Workspace& ws, const UnitSettings& units);
// The same on a given side, whatever tab is showing.
bool recordMatchesOn(Workspace& ws, MatchSide side, const UnitSettings& units);

// Whether a flock item is a weight (the live weight and the feed intakes).
bool isFlockWeightItem(int item);

// What the heading of matched `item`'s column says about its cells' unit, read once for the
// whole column: a weight given as a house total, or the kilograms per unit a weight heading
// names ("Avg Wt (lb)"), or the birds per m2 per unit a density heading names.
struct FlockColumnUnit {
  std::optional<double> houseTotalKilogramsPerUnit;  // a weight given for the whole house
  double perHeadingUnit = 1.0;
};
FlockColumnUnit flockColumnUnit(const Workspace& ws, int item, int col);

// The number flockData takes from flock-grid cell (gridRow, col) of matched `item`, whose
// column has `unit`: a weight whose heading names its unit in kilograms, a house total per
// bird, a feed intake above 10 in grams when energy is in kcal/kg, a density in birds per m2;
// otherwise as it stands (0 for a blank or text cell).
double flockCellValue(const Workspace& ws, int item, int gridRow, int col, const FlockColumnUnit& unit,
                      const UnitSettings& units);

// The density in birds per m2 of flock-grid cell (gridRow, col), converted when the column's
// heading gives birds per ft2 (0 for a blank or text cell).
double densityCellValue(const Workspace& ws, int gridRow, int col);

// Copies every matched numeric flock item from the flock grid into flockData again (flocks
// 1..flockCount, through the analysed rows).
void copyMatchedColumns(Workspace& ws, const UnitSettings& units);

// Double-click on the flock or diet grid: matches the grid's current column to the chosen
// item (diet side: sets dietCount from the column and the essential-nutrient flags). A diet
// column holding a value outside the nutrient's plausible range (workspace/plausible_ranges.h)
// is refused with a message naming the diet and the value, and nothing changes.
bool doubleClickMatch(Workspace& ws, MatchSide side, const UnitSettings& units, Dialogs& dialogs);

// "Clear an Item" and "Skip an Item" of each side.
void clearFlockItem(Workspace& ws);
void clearDietItem(Workspace& ws);
void skipItem(Combo& combo);

// A new diet sheet: the diets, the essential-nutrient flags and the diet Data ID list start
// afresh, so no value matched on an earlier sheet or read from a diet file stays. True when
// something had been matched.
bool forgetDietMatches(Workspace& ws);

// Whether a Data ID combo entry carries a matched heading (recorded and not cleared).
bool isMatchedEntry(const Workspace& ws, MatchSide side, int item);

// The flock-grid column matched to a flock Data ID list entry, fixed or optional; -1 when the
// entry is not matched.
int matchedFlockColumn(const Workspace& ws, int entry);

// What a step changed in a Data ID list, one clause per entry ("Feed Conversion matched to the
// column \"Convix\"", "Lysine * cleared"), joined by "; "; empty when nothing changed.
std::string matchChanges(MatchSide side, const Combo& before, const Combo& after);

// Why matching by headings found nothing to match, in words that say what to do: an empty flock
// grid, a first row of numbers rather than headings, or headings the program does not know.
// Empty when every required Data ID is matched already.
std::string whyNothingMatched(const Workspace& ws);

// Number of flock rows: the last row from 1 on holding any text, at most 500. Blank cells,
// in the second column or any other, do not end the table.
int inputCount(const Grid& flockGrid);

// Text flags of the flock grid's columns: a column is numeric when the cells of its first ten
// analysed flocks are numbers or blank (unknown), at least one a number.
void findNumeric(Workspace& ws);

// The sort lists of the analysis tab: the flock grid's headings, then the predicted and
// derived captions.
void fillCombos(Workspace& ws);

}  // namespace plumetra
