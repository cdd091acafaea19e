#pragma once
// Categories of a text first sort: the category scan, the averages window (categoryWindow, grid
// averages) and the t-values window (tValueWindow, grid tValues).

#include "analysis/analysis_view.h"
#include "controls/controls.h"
#include "controls/dialogs.h"
#include "controls/grid.h"

#include <optional>
#include <string>
#include <vector>

namespace plumetra {

// Splits the flock rows (22 to the last row, in the current order) into blocks of equal
// text in `col`. More than 30 texts give the message "There are more than 30 allowed
// Different Values in the Column chosen for sorting" and std::nullopt.
std::optional<std::vector<Category>> categoryScan(const Grid& grid, int col, Dialogs& dialogs);

// Loads categoryWindow: category averages of every numeric analysis-grid column, built from the
// first-sort categories (scanned when there are none yet); in second-sort mode (the pending
// flag set) also the averages of each run of equal first- and second-sort texts.
void loadCategoryWindow(AnalysisView& tab, Dialogs& dialogs, CategoryWindow& window);

// Loads tValueWindow: the variable list (averages's headings) and the category captions.
void loadTValueWindow(const CategoryWindow& window, int categoryCount, TValueWindow& tval);
// t statistics between the categories for the variable chosen in `variable`: the two-sample t
// with separate variances, |Mi - Mj| / sqrt(Si^2/Ni + Sj^2/Nj), judged at Ni + Nj - 2 degrees
// of freedom; cell (0, 0) names the variable. False (with the message "Pick a Variable
// first") when none is chosen.
bool calculateTValues(TValueWindow& tval, const CategoryWindow& window,
                      const std::vector<Category>& categories, Dialogs& dialogs);

}  // namespace plumetra
