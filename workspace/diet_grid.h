#pragma once
// The diet grid as a diet file shows it, the transfer of diet-file values into the model
// and analysis tables, and the two ways a diet file is opened.
//
// Layout (20 columns, 9 rows): row 0 holds "Diet Name", the labels "Diet Type",
// "Diet Change", "Feed Cost", "Feed Weight" and then dietFieldNames 2-15 in columns 5-18;
// row d holds dietText(d, 1-2) in columns 1-2 and dietTable(d, 0-15) in columns 3-18.

#include "controls/dialogs.h"
#include "controls/grid.h"
#include "workspace/diet_table.h"
#include "workspace/workspace_state.h"

#include <array>
#include <filesystem>

namespace plumetra {

inline constexpr int DietGridCols = 20;
inline constexpr int DietGridRows = 9;

// Puts the headings and diets 1..dietCount (at most 5) into the diet grid. Column 0 of the
// diet rows is left as it is.
void showDiets(const DietTables& diets, Grid& dietGrid);

// Copies the diet-file values of diets 1..dietCount into enteredDiets and dietData (the feed
// cost included), counts the essential nutrients as matched (nutrientIdSet 1-3) and paints
// the headings of the entered nutrient columns as matched.
void enterDietValues(DietTables& diets, Grid& dietGrid, std::array<bool, 4>& nutrientIdSet);

// Reads a diet file, shows it in the diet grid and enters its values. Returns true when
// diets were entered; a missing or rejected file changes nothing.
bool loadDietFile(Workspace& ws, const std::filesystem::path& file, Dialogs& dialogs);

// "Open Existing Diet File": the user picks a ".dts" file, starting in lastDir, which then
// becomes the file's folder. Returns true when diets were entered.
bool openDietFile(Workspace& ws, Dialogs& dialogs);

// After a location is chosen: when `storedFiles` + ".dts" exists (the location's files without
// extension), offers its diets; on Yes they are read and entered, lastDir becomes the
// location's folder and dietsFromFile is set. Returns true when diets were entered.
bool offerLocationDiets(Workspace& ws, const std::filesystem::path& storedFiles, Dialogs& dialogs);

}  // namespace plumetra
