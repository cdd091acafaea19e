#pragma once
// First and second sort of the analysis grid. Sorts run smallest value to largest and move
// only the flock rows (22 to the last row); the statistics rows above stay in place.

#include "analysis/analysis_view.h"
#include "analysis/categories.h"
#include "controls/dialogs.h"

namespace plumetra {

// From row 15 on (up to row 24), the first row whose column-0 cell is not empty, minus 1;
// at most 23, also when no such row is found.
int firstDataRow(const Grid& grid);

// The first sort: by the feed-conversion column until the first sort is done (with the
// message "First Sort is always by Feed Conversion"), then by the column firstSortChoice shows.
// The grid keeps 22 + splitFlockCount rows.
void bubbleSort(AnalysisView& tab, Dialogs& dialogs);

// "Sorted by " in (1, 1), the first-sort heading in (2, 1) and (2, 10), column 2 at least 1300 twips wide.
void writeSortCaption(Grid& grid, const std::string& heading);

// A click on the analysis grid in column `col`: re-sorts, then rebuilds the split statistics
// (numeric column) or opens the category averages (text column) in `window`.
void sortByAnalysisColumn(AnalysisView& tab, int col, Dialogs& dialogs, CategoryWindow& window);
// firstSortChoice chosen: acts as a click on the chosen column once the first sort is done.
void firstSortChosen(AnalysisView& tab, Dialogs& dialogs, CategoryWindow& window);

// Second sort controls.
void secondSortChosen(AnalysisView& tab, Dialogs& dialogs);
void secondSortEdited(AnalysisView& tab, Dialogs& dialogs);
void startSecondSort(AnalysisView& tab, Dialogs& dialogs, CategoryWindow& window);
void clearSecondSort(AnalysisView& tab);

}  // namespace plumetra
