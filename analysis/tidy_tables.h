#pragma once
// The analysis as tidy tables, beside the screen-layout files: one row per flock of the split
// with its key, its matched inputs, its group, the predictions and the metrics (flocks.tsv), and
// one row per group and measure with n, mean, SD and the Low-against-High t and p (groups.tsv).
// Built from the split's flocks, the model fit and the metrics, never from grid statistics.

#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_state.h"
#include "analysis/fcr_adjustment.h"
#include "analysis/group_comparison.h"
#include "workspace/feed_pricing.h"
#include "workspace/split_flock.h"
#include "workspace/workspace_state.h"

namespace plumetra {

// One measure of every flock, in the flocks' order; NaN where unknown.
struct TidyMeasure {
  std::string name;  // column name with its unit: "live_weight_kg", "fcr", "pred_age_d"
  std::vector<double> values;
};

struct GroupMeasure {
  std::string group;    // "Low", "Middle", "High" or "All"
  std::string measure;  // a TidyMeasure's name
  Moments moments;
  Interval meanCi95{};                // of the group's mean; NaN for fewer than two values
  double tLowHigh = 0, pLowHigh = 0;  // Welch's t and its two-sided p; NaN without spread
  MeanDifference lowHigh{};           // Low mean - High mean with its interval and degrees of freedom
};

struct TidyTables {
  std::vector<FlockKey> keys;   // one per flock of the split, in grid order
  std::vector<int> groups;      // 1 low, 2 middle, 3 high
  bool dateKnown = false;
  std::vector<TidyMeasure> measures;
  std::vector<GroupMeasure> groupMeasures;  // measure by measure, Low, Middle, High, All
  AdjustedComparison fcrComparison;          // the groups' FCR raw and adjusted to a standard weight
  std::string splitBy = "fcr";               // the measure the groups were split by
  std::optional<FeedPricing> costPricing;    // what the feed costs are in, when the diets carry costs
};

// The tables of the split's flocks (the analysis result's, or split otherwise: analysis/resplit.h).
// The standard weight (kg) of the adjusted FCR defaults to the split's mean live weight, its
// slope (FCR per kg) to the data's (fcrAdjustmentOf).
TidyTables tidyTablesOf(const Workspace& ws, const SplitFlocks& split, std::optional<double> standardWeight,
                        std::optional<double> fcrSlope = std::nullopt);

// The tables as tab-separated text with a heading row; unknown values are empty cells and
// numbers are written in full (the shortest text that reads back as the same double).
std::string flocksTsv(const TidyTables& tables);
std::string groupsTsv(const TidyTables& tables);

// A cell of a tab-separated row: a tab or line break inside it would shift the columns, so it
// becomes a blank; a number in full (the shortest text that reads back as the same double),
// empty when not finite.
std::string tsvText(std::string text);
std::string tsvNumber(double value);

// The key's cells for a tab-separated row: farm, house, source row and, when known, the date;
// and the matching headings.
std::string flockKeyHeadings(bool dateKnown);
std::string flockKeyCells(const FlockKey& key, bool dateKnown);

}  // namespace plumetra
