#pragma once
// Outlier identification ("Outlier Ident."): a search for flocks with exceptionally high feed
// conversion at the end of the sorted grid; once it has found some (the button then shows),
// the offer to remove them from the split.

#include "analysis/analysis_view.h"
#include "controls/dialogs.h"

namespace plumetra {

// Fewer flocks than this leave the rows the search reads incomplete: no search.
inline constexpr int MinOutlierSearchFlocks = 14;

// The number of outliers at the end of the feed-conversion values (ascending), 0 for none:
// the first k from 10 down to 0 whose gap V(L-k) - V(L-k-1) exceeds 3 times the mean step
// among the best flocks gives k + 1. `values` are the flock rows from row 22 in order.
int countOutliers(const std::vector<double>& values);

// Takes the last n flocks (clamped to 0..the outliers found) out of the split, re-sorts by
// feed conversion and rebuilds the statistics and the correlations from the flocks that
// stay; n of 0 clears the highlights instead.
void removeOutliers(AnalysisView& tab, int n, Dialogs& dialogs);

// The click handler of outlierButton: search mode until the search has found outliers, removal
// mode after.
void findOutliers(AnalysisView& tab, Dialogs& dialogs);

}  // namespace plumetra
