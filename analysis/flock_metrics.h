#pragma once
// The producers' performance measures of every flock of the split and of its group, in a
// table of their own beside the analysis grid: average daily gain, feed cost per kg live
// weight, livability, the European production efficiency factor and the feed conversion
// adjusted to a standard weight.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/fcr_adjustment.h"
#include "analysis/group_comparison.h"
#include "analysis/split_flocks.h"
#include "controls/grid.h"
#include "workspace/feed_pricing.h"
#include "workspace/livability_columns.h"

namespace plumetra {

enum MetricIndex { MetricGain, MetricCostPerKg, MetricLivability, MetricEpef, MetricAdjustedFcr, MetricCount };
inline constexpr std::array<const char*, MetricCount> MetricHeadings{"ADG g/day", "Feed Cost per kg", "Livability %",
                                                                     "EPEF", "Adjusted FCR"};

// What one flock's measures are computed from; a value below 0 is unknown.
struct MetricInputs {
  double liveWeight = 0;  // kg per bird
  double age = 0;         // days
  double feedConversion = 0;
  double costPerBird = -1;  // feed cost
  double livability = -1;   // percent of the birds placed
};

// The measures of one flock; unknown ones are not finite.
//   ADG = live weight x 1000 / age;  cost per kg = cost per bird / live weight;
//   EPEF = livability x live weight / (age x FCR) x 100;
//   adjusted FCR = FCR + (standard weight - live weight) x slope.
std::array<double, MetricCount> flockMetrics(const MetricInputs& in, const FcrAdjustment& adjustment);

struct MetricsTable {
  std::vector<FlockKey> keys;                           // the split's order
  std::vector<std::array<double, MetricCount>> values;  // one per flock
  std::array<int, 4> sizes{};                           // 1-3 the groups
  std::array<GroupComparison, MetricCount> groups{};
  double standardWeight = 0;  // kg
  AdjustedComparison fcrComparison;  // the adjusted FCR's weight and slope, and the groups raw and adjusted
  bool costsKnown = false;
  FeedPricing pricing;  // the unit and currency of the diets' feed costs
  LivabilityColumns livability;
};

// Feed cost per bird: the intakes of phases 1.. (kg per bird) times the diets' "Feed Cost", in
// the unit the prices are for (pricingInForce). When no unit is known, the rule of the "Feed
// Cost" column guesses: a sum above 30 came from prices per tonne and is divided by 1000.
// Below 0 when diet 1 has no cost.
double feedCostOfIntakes(const DietTables& diets, const std::array<double, FeedPhases + 1>& intake);
inline double feedCostPerBird(const DietTables& diets, const SplitFlock& flock) {
  return feedCostOfIntakes(diets, flock.intake);
}

// The cost measure's heading: "Feed Cost per kg", with the currency when one was given
// ("Feed Cost per kg (EUR)").
std::string costPerKgHeading(const FeedPricing& pricing);

// What the feed prices are per and in which currency, or how the unit was guessed; empty when
// the diets carry no cost.
std::string feedPricingLine(const MetricsTable& table);

// The table of the split's flocks; the standard weight defaults to their mean live weight, the
// adjusted FCR's slope to the data's (fcrAdjustmentOf).
MetricsTable metricsOf(const Workspace& ws, const SplitFlocks& flocks, std::optional<double> standardWeight,
                       std::optional<double> fcrSlope = std::nullopt);

// As a grid: the flock key and one column per measure; the flocks in the split's order, then the rows
// "Low N", "Low Mean", "Low SD", the same for Middle, High and All, and "t Low-Middle",
// "t Middle-High", "t Low-High".
Grid metricsGrid(const MetricsTable& table);

// The lines the analysis summary adds: the standard weight, the livability source, per
// measure the group means and the Low-High t value, then the adjusted FCR comparison.
std::vector<std::string> metricsSummaryLines(const MetricsTable& table);

}  // namespace plumetra
