#include "analysis/flock_metrics.h"

#include <cmath>
#include <limits>

#include "workspace/not_known.h"
#include "controls/fixed_text.h"

namespace plumetra {

namespace {

constexpr double CostPerTonneAbove = 30;
constexpr std::array<int, MetricCount> MetricDecimals{2, 4, 2, 2, 4};

}  // namespace

std::array<double, MetricCount> flockMetrics(const MetricInputs& in, const FcrAdjustment& adjustment) {
  std::array<double, MetricCount> m;
  m.fill(NotKnown);
  const bool weighed = in.liveWeight > 0;
  if (weighed && in.age > 0) m[MetricGain] = in.liveWeight * 1000.0 / in.age;
  if (weighed && in.costPerBird >= 0) m[MetricCostPerKg] = in.costPerBird / in.liveWeight;
  if (in.livability >= 0) m[MetricLivability] = in.livability;
  if (weighed && in.livability >= 0 && in.age > 0 && in.feedConversion > 0)
    m[MetricEpef] = in.livability * in.liveWeight / (in.age * in.feedConversion) * 100.0;
  m[MetricAdjustedFcr] = adjustment.adjusted(in.feedConversion, in.liveWeight);
  return m;
}

double feedCostOfIntakes(const DietTables& diets, const std::array<double, FeedPhases + 1>& intake) {
  if (!(diets.dietTable[1][ValFeedCost] > 0)) return -1;
  double cost = 0;
  for (int d = 1; d <= std::min(diets.dietCount, MaxFileDiets); ++d)
    cost += intake[static_cast<std::size_t>(d)] * diets.dietTable[static_cast<std::size_t>(d)][ValFeedCost];
  if (const std::optional<int> unit = pricingInForce(diets).unit) return cost / kilogramsPerCostUnit(*unit);
  return cost > CostPerTonneAbove ? cost / 1000.0 : cost;
}

std::string costPerKgHeading(const FeedPricing& pricing) {
  const std::string heading = MetricHeadings[MetricCostPerKg];
  return pricing.currency.empty() ? heading : heading + " (" + pricing.currency + ")";
}

std::string feedPricingLine(const MetricsTable& table) {
  if (!table.costsKnown) return {};
  const FeedPricing& p = table.pricing;
  const std::string currency = p.currency.empty()
                                   ? "no currency given, so costs are per unit of cost"
                                   : "in " + p.currency + " (" + p.currencySource + ")";
  if (!p.unit)
    return "Feed prices: no unit given, so a feed cost above 30 per bird was taken as priced per tonne and "
           "divided by 1000, any other as priced per kg; " + currency;
  return "Feed prices: per " + std::string(costUnitName(*p.unit)) + " (" + p.unitSource + "); " + currency;
}

MetricsTable metricsOf(const Workspace& ws, const SplitFlocks& split, std::optional<double> standardWeight,
                       std::optional<double> fcrSlope) {
  MetricsTable table;
  table.sizes = split.sizes;
  table.costsKnown = ws.diets.dietTable[1][ValFeedCost] > 0;
  table.pricing = pricingInForce(ws.diets);
  table.livability = livabilityColumnsOf(ws);
  const FcrAdjustment adjustment = fcrAdjustmentOf(split, standardWeight, fcrSlope);
  table.standardWeight = adjustment.standardWeight;
  table.fcrComparison = compareAdjustedFcr(split, adjustment);
  std::array<std::vector<double>, MetricCount> columns;
  for (const SplitFlock& f : split.flocks) {
    const MetricInputs in{f.liveWeight, f.age, f.feedConversion, feedCostPerBird(ws.diets, f), f.livability};
    table.keys.push_back(f.key);
    table.values.push_back(flockMetrics(in, adjustment));
    for (int k = 0; k < MetricCount; ++k) columns[k].push_back(table.values.back()[k]);
  }
  for (int k = 0; k < MetricCount; ++k) table.groups[k] = compareGroups(columns[k], table.sizes);
  return table;
}

Grid metricsGrid(const MetricsTable& table) {
  const int flocks = static_cast<int>(table.values.size());
  constexpr int firstMetricCol = FlockKeyColumns;
  Grid grid(1 + flocks + 1 + 4 * 3 + 3, firstMetricCol + MetricCount);
  writeFlockKeyHeadings(grid, 0);
  for (int k = 0; k < MetricCount; ++k)
    grid.setText(0, firstMetricCol + k, k == MetricCostPerKg ? costPerKgHeading(table.pricing) : MetricHeadings[k]);
  for (int r = 0; r < flocks; ++r) {
    writeFlockKey(grid, r + 1, table.keys[static_cast<std::size_t>(r)]);
    for (int k = 0; k < MetricCount; ++k)
      grid.setText(r + 1, firstMetricCol + k, fixedText(table.values[static_cast<std::size_t>(r)][k], MetricDecimals[k]));
  }
  int row = flocks + 2;  // one empty row before the group statistics
  for (int g = 1; g <= 4; ++g, row += 3) {
    grid.setText(row, 0, std::string(GroupNames[g]) + " N");
    grid.setText(row + 1, 0, std::string(GroupNames[g]) + " Mean");
    grid.setText(row + 2, 0, std::string(GroupNames[g]) + " SD");
    for (int k = 0; k < MetricCount; ++k) {
      const Moments& m = table.groups[k].groups[static_cast<std::size_t>(g)];
      grid.setText(row, firstMetricCol + k, std::to_string(m.n));
      grid.setText(row + 1, firstMetricCol + k, fixedText(m.mean, MetricDecimals[k]));
      grid.setText(row + 2, firstMetricCol + k, fixedText(m.sd, MetricDecimals[k]));
    }
  }
  const std::array<std::pair<const char*, double GroupComparison::*>, 3> tRows{
      {{"t Low-Middle", &GroupComparison::tLowMiddle},
       {"t Middle-High", &GroupComparison::tMiddleHigh},
       {"t Low-High", &GroupComparison::tLowHigh}}};
  for (const auto& [caption, member] : tRows) {
    grid.setText(row, 0, caption);
    for (int k = 0; k < MetricCount; ++k) grid.setText(row, firstMetricCol + k, fixedText(table.groups[k].*member, 2));
    ++row;
  }
  return grid;
}

std::vector<std::string> metricsSummaryLines(const MetricsTable& table) {
  std::vector<std::string> lines;
  lines.push_back("Metrics (Low / Middle / High means, t Low-High); FCR adjusted to " +
                  fixedText(table.standardWeight, 3) + " kg");
  const std::string source = table.livability.mortality >= 0   ? "from \"Mortality %\""
                             : table.livability.birdsSold >= 0 ? "from \"Birds Sold\""
                                                               : "";
  for (int k = 0; k < MetricCount; ++k) {
    const GroupComparison& c = table.groups[k];
    std::string line =
        "  " + (k == MetricCostPerKg ? costPerKgHeading(table.pricing) : std::string(MetricHeadings[k])) + ": ";
    if (c.groups[4].n == 0) {
      line += k == MetricCostPerKg              ? "not known (the diets carry no feed cost)"
              : !table.livability.problem.empty() ? "not known (" + table.livability.problem + ")"
                                                  : "not known (no \"Mortality %\" or \"Birds Sold\" column)";
    } else {
      for (int g = 1; g <= 3; ++g)
        line += (g > 1 ? " / " : "") + fixedText(c.groups[static_cast<std::size_t>(g)].mean, MetricDecimals[k]);
      const std::string t = fixedText(c.tLowHigh, 2);
      line += "; t " + (t.empty() ? std::string("-") : t);
    }
    lines.push_back(line);
  }
  if (table.livability.any()) lines.push_back("  Livability " + source);
  if (const std::string pricing = feedPricingLine(table); !pricing.empty()) lines.push_back("  " + pricing);
  for (std::string& line : adjustedComparisonLines(table.fcrComparison)) lines.push_back(std::move(line));
  return lines;
}

}  // namespace plumetra
