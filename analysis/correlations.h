#pragma once
// Pearson correlations of the numeric columns of the analysis grid over the flocks, the
// correlation matrix correlationGrid with its colour bands, and the "listofCorr.txt" listing.

#include "analysis/analysis_view.h"
#include "controls/dialogs.h"

#include <filesystem>
#include <string>

namespace plumetra {

inline constexpr char CorrelationLegend[] =
    " Teal values are 0.84 and above, Yellow above 0.4, Gray below -0.4, Purple below -0.84";
inline constexpr char CorrelationListFile[] = "listofCorr.txt";
// listofCorr.txt lists the cache for columns 0-55.
inline constexpr int CorrelationListColumns = 56;

// How a pair of correlColumns stands after loadCorrelations.
enum CorrelPair : std::uint8_t {
  CorrelUndefined = 0,  // not computed, or a column without spread: no r
  CorrelComputed = 1,
};

// Correlates every pair of the numeric columns (at most 60; the last listed takes no part)
// over flock rows 22 .. 21 + flocks and stores r in columnStats(a, b, 0); every other r of
// the cache is set to 0, so none of an earlier flock set stays. A column whose values are all
// equal has no r. Each column's numbers are read once. Numeric columns past the 60th are
// left out with a message.
void loadCorrelations(AnalysisView& tab, int flocks, Dialogs& dialogs);

// The matrix as the correlation window shows it: titles, r as "0.##0", colour bands;
// an undefined pair has an empty cell.
void buildCorrelationGrid(const Grid& analysisGrid, const AnalysisState& state, Grid& correlationGrid);

// The text of "listofCorr.txt": for a, b = 0..55 a line "a<TAB>b<TAB>r<TAB>mean<TAB>sd<TAB>ss".
std::string correlationListText(const ColumnStatsTable& stats);
bool writeCorrelationList(const std::filesystem::path& folder, const ColumnStatsTable& stats,
                          std::string* error = nullptr);

}  // namespace plumetra
