// The feed-conversion split is a property of the flocks, not of the table's layout: the same
// flocks with their rows shuffled, their columns in another order (feed conversion first), or
// the grid sorted by a text column afterwards give the same groups and the same group figures
// to every consumer (metrics, model fit, calibration targets, lower-cost setup, revaluation).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>

#include "analysis/flock_metrics.h"
#include "analysis/model_fit.h"
#include "analysis/split_flocks.h"
#include "calibration/group_inputs.h"
#include "controls/batch_dialogs.h"
#include "files/atomic_write.h"
#include "tests/support/analysed_file.h"
#include "tests/support/temp_folder.h"

namespace plumetra {
namespace {

using Table = std::vector<std::string>;  // the file's lines, the heading line first

Table exampleTable() {
  std::ifstream in(testing::ExampleFolder / "flocks.csv");
  Table t;
  for (std::string line; std::getline(in, line);) t.push_back(line);
  return t;
}

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream s(line);
  for (std::string f; std::getline(s, f, ',');) out.push_back(f);
  return out;
}

std::size_t columnHeaded(const Table& t, const std::string& heading) {
  const std::vector<std::string> headings = fields(t[0]);
  return static_cast<std::size_t>(std::find(headings.begin(), headings.end(), heading) - headings.begin());
}

// Every line with its fields changed by `change(fields, lineIndex)`; line 0 holds the headings.
template <typename Change>
Table changedLines(const Table& t, Change change) {
  Table out;
  for (std::size_t i = 0; i < t.size(); ++i) {
    std::vector<std::string> f = fields(t[i]);
    change(f, i);
    std::string line;
    for (std::size_t k = 0; k < f.size(); ++k) line += (k ? "," : "") + f[k];
    out.push_back(line);
  }
  return out;
}

// Column `from` moved to the front of every line.
Table columnFirst(const Table& t, std::size_t from) {
  return changedLines(t, [from](std::vector<std::string>& f, std::size_t) {
    std::rotate(f.begin(), f.begin() + static_cast<std::ptrdiff_t>(from), f.begin() + static_cast<std::ptrdiff_t>(from) + 1);
  });
}

Table shuffledRows(Table t) {
  std::mt19937 random(20261207);
  std::shuffle(t.begin() + 1, t.end(), random);
  return t;
}

// What every consumer of the split reads, keyed by farm and house (the example's key).
struct SplitFigures {
  std::array<std::vector<std::string>, 4> members;  // sorted "farm/house/age" per group 1-3
  std::array<double, 4> weight{}, age{}, conversion{}, density{};
  std::array<std::array<double, FeedPhases + 1>, 4> intake{};
  std::array<double, 4> metricMeans{};  // adjusted FCR means
  std::array<double, 4> fitBias{};      // live-weight bias of the predictions
  bool operator==(const SplitFigures&) const = default;
};

SplitFigures figuresOf(const AppState& state) {
  const SplitFlocks& split = state.analysisResult->split;
  SplitFigures f;
  for (const SplitFlock& flock : split.flocks)
    f.members[static_cast<std::size_t>(flock.group)].push_back(flock.key.farm + "/" + flock.key.house + "/" +
                                                                std::to_string(flock.age));
  const MetricsTable metrics = metricsOf(state.workspace, split, std::nullopt);
  const ModelFit fit = initialFit(split);
  for (int g = 1; g <= 3; ++g) {
    auto& m = f.members[static_cast<std::size_t>(g)];
    std::sort(m.begin(), m.end());
    f.weight[g] = groupMean(split, g, &SplitFlock::liveWeight);
    f.age[g] = groupMean(split, g, &SplitFlock::age);
    f.conversion[g] = groupMean(split, g, &SplitFlock::feedConversion);
    f.density[g] = groupDensity(split, g);
    for (int p = 1; p <= FeedPhases; ++p) f.intake[g][p] = groupMeanIntake(split, g, p);
    f.metricMeans[g] = metrics.groups[MetricAdjustedFcr].groups[static_cast<std::size_t>(g)].mean;
    f.fitBias[g] = fit.initial[g][FitWeight].bias;
  }
  return f;
}

struct Analysed {
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  AnalysisOutcome outcome;
};

Analysed analyse(const Table& table, const std::string& sortHeading = {}) {
  const testing::TestTempFolder folder("plumetra_split_invariance");
  std::string text;
  for (const std::string& line : table) text += line + "\n";
  EXPECT_TRUE(writeFileAtomically(folder / "flocks.csv", text));
  Analysed a;
  std::ostringstream quiet;
  BatchDialogs dialogs(quiet);
  a.outcome = testing::analyseFile(*a.state, folder / "flocks.csv", dialogs, testing::mixedFlocks(sortHeading));
  EXPECT_TRUE(a.outcome.result.has_value()) << quiet.str();
  return a;
}

void expectSameFigures(const SplitFigures& a, const SplitFigures& b) {
  EXPECT_EQ(a.members, b.members);
  // The flocks of a group are summed in the same order too: every mean equal to the last bit.
  EXPECT_TRUE(a == b) << "the same flocks give another group mean";
}

// The live weights written in grams under "Avg Weight (g)".
Table weightsInGrams(const Table& t) {
  const std::size_t weight = columnHeaded(t, "Avg Weight");
  return changedLines(t, [weight](std::vector<std::string>& f, std::size_t i) {
    f[weight] = i == 0 ? "Avg Weight (g)" : std::to_string(std::lround(std::stod(f[weight]) * 1000));
  });
}

// Feed conversions to one decimal: many flocks tie, also across the groups' boundaries.
Table coarseConversions(const Table& t) {
  const std::size_t fcr = columnHeaded(t, "Convix");
  return changedLines(t, [fcr](std::vector<std::string>& f, std::size_t i) {
    if (i > 0) f[fcr] = std::to_string(std::round(std::stod(f[fcr]) * 10) / 10).substr(0, 3);
  });
}

const SplitFigures& cleanFigures() {
  static const SplitFigures figures = figuresOf(*analyse(exampleTable()).state);
  return figures;
}

// Which of two flocks of equal feed conversion falls in the lower group is settled by the flocks'
// own cells, never by where their rows or columns stand in the file (feed conversion moved first).
TEST(SplitInvariance, ShuffledRowsOrColumnsSplitTheSameEvenWithTiedFeedConversions) {
  const Table coarse = coarseConversions(exampleTable());
  const SplitFigures figures = figuresOf(*analyse(coarse).state);
  expectSameFigures(figures, figuresOf(*analyse(shuffledRows(coarse)).state));
  expectSameFigures(figures, figuresOf(*analyse(columnFirst(shuffledRows(coarse), columnHeaded(coarse, "Convix"))).state));
}

// Whatever the sort (a text one or another numeric one) the groups stay those of the feed-conversion
// split, and the summary shows each group's live weight in kg per bird, however the file wrote it.
TEST(SplitInvariance, ASortChangesTheViewNotTheGroupsAndWeightsInGramsSummariseInKilograms) {
  for (const std::string sort : {"", "Age", "Farm"}) {
    SCOPED_TRACE("sort " + sort);
    const Analysed sorted = analyse(exampleTable(), sort);
    EXPECT_EQ(sorted.outcome.summary.textFirstSort, sort == "Farm");
    expectSameFigures(cleanFigures(), figuresOf(*sorted.state));
    const AnalysisSummary& kg = sorted.outcome.summary;
    const AnalysisSummary grams = analyse(weightsInGrams(exampleTable()), sort).outcome.summary;
    ASSERT_EQ(grams.groups.size(), kg.groups.size());
    for (std::size_t g = 0; g < kg.groups.size(); ++g) EXPECT_EQ(grams.groups[g].weight, kg.groups[g].weight);
    EXPECT_EQ(grams.weight.difference, kg.weight.difference);  // empty after a text sort
  }
}

}  // namespace
}  // namespace plumetra
