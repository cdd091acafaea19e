#include "cli/side_tables.h"
#include "cli/output_folder.h"


#include "analysis/flock_metrics.h"
#include "analysis/resplit.h"
#include "calibration/group_curves.h"
#include "calibration/revaluation.h"
#include "files/workbook.h"

#include <map>

namespace plumetra::cli {

void addAdjustmentOptions(CLI::App& command, AdjustmentOptions& options) {
  command
      .add_option("--standard-weight", options.standardWeight,
                  "Live weight in kg the adjusted FCR refers to (default: the mean live weight of the split)")
      ->check(CLI::PositiveNumber);
  command
      .add_option("--fcr-slope", options.fcrSlope,
                  "FCR per kg of live weight by which the adjusted FCR is corrected (default: the slope of FCR on "
                  "live weight across the flocks; 0.3675 is the rule of 2.205 / 6)")
      ->check(CLI::Range(-5.0, 5.0));
}

namespace {

MetricsTable metricsTableOf(const AppState& state, const SplitFlocks& split, const AdjustmentOptions& adjustment) {
  return metricsOf(state.workspace, split, adjustment.standardWeight, adjustment.fcrSlope);
}

struct SplitBasis {
  MetricIndex metric;
  const char* name;
};
const std::map<std::string, SplitBasis> SplitBases{{"adjusted-fcr", {MetricAdjustedFcr, "adjusted FCR"}},
                                                   {"epef", {MetricEpef, "EPEF"}},
                                                   {"cost", {MetricCostPerKg, "feed cost per kg"}}};

}  // namespace

void addSplitByOption(CLI::App& command, std::string& splitBy) {
  command
      .add_option("--split-by", splitBy,
                  "Split the flocks of metrics.tsv, flocks.tsv, groups.tsv and the JSON by fcr (default), "
                  "adjusted-fcr, epef or cost, lowest in Low, in the groups' sizes; the analysis grid and stored "
                  "calibrations keep the split by FCR")
      ->check(CLI::IsMember({"fcr", "adjusted-fcr", "epef", "cost"}));
}

std::optional<SplitFlocks> splitFlocksBy(const AppState& state, const std::string& splitBy,
                                         const AdjustmentOptions& adjustment) {
  SplitFlocks split = analysedFlocks(state).split;
  const auto basis = SplitBases.find(splitBy);
  if (basis == SplitBases.end()) return split;
  const MetricsTable metrics = metricsTableOf(state, split, adjustment);
  std::vector<double> values;
  for (const auto& flock : metrics.values) values.push_back(flock[basis->second.metric]);
  Resplit resplit = resplitBy(split, values, basis->second.name);
  if (!resplit.problem.empty()) {
    fail(resplit.problem, ExitFailure);
    return std::nullopt;
  }
  return std::move(resplit.split);
}

void printMetricsSummary(std::ostream& out, const AppState& state, const SplitFlocks& split,
                         const AdjustmentOptions& adjustment) {
  const MetricsTable table = metricsTableOf(state, split, adjustment);
  const std::string guessed = table.costsKnown && !table.pricing.unit ? "  " + feedPricingLine(table) : "";
  for (const std::string& line : metricsSummaryLines(table)) {
    out << line << '\n';
    if (!guessed.empty() && line == guessed)
      out << "  Give the amount of feed the prices are for with --cost-unit kg|tonne|lb|short-ton|100lb\n";
  }
}

bool writeTable(const std::filesystem::path& dir, const char* name, const Grid& grid) {
  if (makeOutputFolder(dir, "").empty()) return false;
  const auto written = writeTsv(dir / name, grid);
  if (!written.ok()) fail(written.error(), ExitFailure);
  return written.ok();
}

bool writeMetricsTable(const AppState& state, const SplitFlocks& split, const AdjustmentOptions& adjustment,
                       const std::filesystem::path& dir) {
  return writeTable(dir, "metrics.tsv", metricsGrid(metricsTableOf(state, split, adjustment)));
}

bool readCalibrationSet(const std::filesystem::path& named, AppState& state, std::ostream& notes) {
  std::filesystem::path top = named;
  if (top.extension() != ".clb") top = locationBase(named).string() + "Top.clb";
  std::string name = top.string();
  std::string problem;
  switch (readForReval(name, state.calibration, &problem)) {
    case RevalRead::Read:
      if (!problem.empty()) notes << "warning: " << problem << '\n';
      state.calibration.baseName = std::filesystem::path(name).filename().string();
      return true;
    case RevalRead::NoFile: fail(top.string() + " was not found", ExitFailure); break;
    case RevalRead::NoTop: fail(top.string() + " is not a ...Top.clb file", ExitFailure); break;
    case RevalRead::Refused: fail(problem, ExitFailure); break;
  }
  return false;
}

std::filesystem::path calibrationSetOf(const std::filesystem::path& calibration,
                                       const std::filesystem::path& location) {
  if (!calibration.empty()) return calibration;
  if (location.empty()) return {};
  const std::filesystem::path base = locationBase(location);
  std::error_code ec;
  for (const char* group : {"Top", "Middle", "Bottom"})
    if (!std::filesystem::is_regular_file(base.string() + group + ".clb", ec)) return {};
  return base.string() + "Top.clb";
}

}  // namespace plumetra::cli
