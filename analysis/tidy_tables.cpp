#include "analysis/tidy_tables.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "analysis/flock_metrics.h"
#include "analysis/model_fit.h"
#include "workspace/not_known.h"
#include "analysis/split_flocks.h"
#include "analysis/t_probability.h"

namespace plumetra {

namespace {

constexpr std::array<const char*, MetricCount> MetricNames{"adg_g_day", "feed_cost_per_kg", "livability_pct",
                                                            "epef", "adjusted_fcr"};

double known(double value) { return std::isfinite(value) ? value : NotKnown; }

void addMeasure(TidyTables& tables, std::string name, std::vector<double> values) {
  tables.measures.push_back({std::move(name), std::move(values)});
}

// The inputs the user matched, each in the unit the analysis holds it in.
void addInputs(TidyTables& tables, const Workspace& ws, const SplitFlocks& split) {
  const auto column = [&](auto valueOf) {
    std::vector<double> values;
    for (const SplitFlock& f : split.flocks) values.push_back(valueOf(f));
    return values;
  };
  addMeasure(tables, "live_weight_kg", column([](const SplitFlock& f) { return f.liveWeight; }));
  addMeasure(tables, "birds", column([](const SplitFlock& f) { return f.birds; }));
  addMeasure(tables, "age_d", column([](const SplitFlock& f) { return f.age; }));
  addMeasure(tables, "fcr", column([](const SplitFlock& f) { return f.feedConversion; }));
  for (int p = 1; p <= FeedPhases; ++p)
    if (ws.flockIdSet[static_cast<std::size_t>(ItemFirstIntake + p - 1)])
      addMeasure(tables, "intake" + std::to_string(p) + "_kg",
                 column([p](const SplitFlock& f) { return f.intake[static_cast<std::size_t>(p)]; }));
  const int densityCol = ws.farmOrder[ItemDensity][4];
  if (ws.flockIdSet[ItemDensity] && densityCol > 0)
    // In birds per m2 whatever area the heading names; a blank, text or 0 cell is not known.
    addMeasure(tables, "density_birds_m2",
               column([](const SplitFlock& f) { return f.density > 0 ? f.density : NotKnown; }));
}

void addPredictions(TidyTables& tables, const SplitFlocks& split) {
  const ModelFit fit = initialFit(split);
  if (fit.flocks.size() != split.flocks.size()) return;  // the model did not run
  static constexpr std::array<const char*, FitItemCount> names{"pred_live_weight_kg", "pred_fcr", "pred_age_d"};
  for (int k = 0; k < FitItemCount; ++k) {
    std::vector<double> values;
    for (const FlockFit& f : fit.flocks) values.push_back(known(f.predicted[static_cast<std::size_t>(k)]));
    addMeasure(tables, names[static_cast<std::size_t>(k)], std::move(values));
  }
}

void addMetrics(TidyTables& tables, const Workspace& ws, const SplitFlocks& split,
                std::optional<double> standardWeight, std::optional<double> fcrSlope) {
  const MetricsTable metrics = metricsOf(ws, split, standardWeight, fcrSlope);
  tables.fcrComparison = metrics.fcrComparison;
  if (metrics.costsKnown) tables.costPricing = metrics.pricing;
  // The cost carries its currency in its name where one was given: "feed_cost_per_kg_EUR".
  const std::string currency = metrics.pricing.currency.empty() ? "" : "_" + tsvText(metrics.pricing.currency);
  for (int m = 0; m < MetricCount; ++m) {
    std::vector<double> values;
    bool anyKnown = false;
    for (const auto& flock : metrics.values) {
      values.push_back(known(flock[static_cast<std::size_t>(m)]));
      anyKnown = anyKnown || std::isfinite(values.back());
    }
    if (anyKnown)
      addMeasure(tables, MetricNames[static_cast<std::size_t>(m)] + (m == MetricCostPerKg ? currency : ""),
                 std::move(values));
  }
}

void addGroupMeasures(TidyTables& tables, const std::array<int, 4>& sizes) {
  for (const TidyMeasure& measure : tables.measures) {
    const GroupComparison comparison = compareGroups(measure.values, sizes);
    const MeanDifference lowHigh = welchDifference(comparison.groups[1], comparison.groups[3]);
    for (int g = 1; g <= 4; ++g) {
      const Moments& m = comparison.groups[static_cast<std::size_t>(g)];
      tables.groupMeasures.push_back({GroupNames[static_cast<std::size_t>(g)], measure.name, m, meanInterval95(m),
                                      known(lowHigh.t), lowHigh.p, lowHigh});
    }
  }
}

}  // namespace

std::string tsvText(std::string text) {
  for (char& c : text)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return text;
}

std::string flockKeyHeadings(bool dateKnown) { return dateKnown ? "farm\thouse\tsource_row\tdate" : "farm\thouse\tsource_row"; }

std::string flockKeyCells(const FlockKey& key, bool dateKnown) {
  std::string cells = tsvText(key.farm) + '\t' + tsvText(key.house) + '\t' + std::to_string(key.sourceRow);
  if (dateKnown) cells += '\t' + tsvText(key.date);
  return cells;
}

std::string tsvNumber(double value) {
  if (!std::isfinite(value)) return {};
  std::array<char, 32> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
  return std::string(digits.data(), end);
}

TidyTables tidyTablesOf(const Workspace& ws, const SplitFlocks& split, std::optional<double> standardWeight,
                        std::optional<double> fcrSlope) {
  TidyTables tables;
  tables.dateKnown = dateColumnOf(ws.flockGrid) >= 0;
  for (const SplitFlock& f : split.flocks) {
    tables.keys.push_back(f.key);
    tables.groups.push_back(f.group);
  }
  addInputs(tables, ws, split);
  addPredictions(tables, split);
  addMetrics(tables, ws, split, standardWeight, fcrSlope);
  addGroupMeasures(tables, split.sizes);
  return tables;
}

std::string flocksTsv(const TidyTables& tables) {
  std::string text = flockKeyHeadings(tables.dateKnown) + "\tgroup";
  for (const TidyMeasure& m : tables.measures) text += '\t' + m.name;
  text += '\n';
  for (std::size_t i = 0; i < tables.keys.size(); ++i) {
    text += flockKeyCells(tables.keys[i], tables.dateKnown) + '\t' +
            std::string(GroupNames[static_cast<std::size_t>(tables.groups[i])]);
    for (const TidyMeasure& m : tables.measures) text += '\t' + tsvNumber(m.values[i]);
    text += '\n';
  }
  return text;
}

std::string groupsTsv(const TidyTables& tables) {
  std::string text =
      "group\tmeasure\tn\tmean\tsd\tt_low_high\tp_low_high\tmean_ci95_low\tmean_ci95_high\tdiff_low_high\t"
      "diff_ci95_low\tdiff_ci95_high\tdf_low_high\n";
  for (const GroupMeasure& g : tables.groupMeasures)
    text += g.group + '\t' + g.measure + '\t' + std::to_string(g.moments.n) + '\t' + tsvNumber(g.moments.mean) +
            '\t' + tsvNumber(g.moments.sd) + '\t' + tsvNumber(g.tLowHigh) + '\t' + tsvNumber(g.pLowHigh) + '\t' +
            tsvNumber(g.meanCi95.low) + '\t' + tsvNumber(g.meanCi95.high) + '\t' +
            tsvNumber(g.lowHigh.difference) + '\t' + tsvNumber(g.lowHigh.ci95.low) + '\t' +
            tsvNumber(g.lowHigh.ci95.high) + '\t' + tsvNumber(g.lowHigh.df) + '\n';
  return text;
}

}  // namespace plumetra
