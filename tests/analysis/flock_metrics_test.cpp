// Industry metrics per flock and group, on three flocks whose values are worked out by hand,
// and the group comparison beside the split statistics.

#include "analysis/flock_metrics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace plumetra {
namespace {

// Three flocks in rows 1-3 (A, B, C) split by feed conversion (B 1.50, A 1.60, C 1.75), one
// flock per group. Two diets at 0.40 and 0.38 per kg.
//   A: 2.5 kg, 40 d, FCR 1.60, mortality 4 %     -> livability 96
//   B: 2.2 kg, 35 d, FCR 1.50, no mortality cell, 19,400 of 20,000 birds sold -> livability 97
//   C: 2.8 kg, 45 d, FCR 1.75, mortality 5 %     -> livability 95
struct ThreeFlocks {
  std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
  AnalysisState st;

  ThreeFlocks() {
    Grid& flocks = ws->flockGrid;
    flocks.resize(4, 5);
    const char* headings[] = {"", "House", "Birds Placed", "Mortality %", "Birds Sold"};
    for (int c = 0; c < 5; ++c) flocks.setText(0, c, headings[c]);
    const char* rows[3][5] = {{"1", "A", "20000", "4", "19000"}, {"2", "B", "20000", "", "19400"}, {"3", "C", "20000", "5", ""}};
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 5; ++c) flocks.setText(r + 1, c, rows[r][c]);
    ws->flockIdSet[ItemHouseId] = ws->flockIdSet[ItemBirds] = true;
    ws->flockCol[ItemHouseId] = 1;
    ws->flockCol[ItemBirds] = 2;
    const double data[3][6] = {
        {2.5, 20000, 40, 1.60, 1.0, 3.0}, {2.2, 20000, 35, 1.50, 0.8, 2.5}, {2.8, 20000, 45, 1.75, 1.2, 3.7}};
    for (int f = 0; f < 3; ++f)
      for (int c = 0; c < 6; ++c)
        ws->flockData[static_cast<std::size_t>(c)][static_cast<std::size_t>(f + 1)] = data[f][c];
    ws->flockCount = 3;
    ws->diets.dietCount = 2;
    ws->diets.dietTable[1][ValFeedCost] = 0.40;
    ws->diets.dietTable[2][ValFeedCost] = 0.38;
    st.feedConversionSplit = {{2, 1, 3}, {0, 1, 1, 1}};
  }
  MetricsTable table(std::optional<double> standard = std::nullopt, std::optional<double> slope = std::nullopt) {
    return metricsOf(*ws, splitFlocksOf(*ws, st), standard, slope);
  }
};

// One metric of the three flocks, in the split's order.
void expectMetric(const MetricsTable& t, int metric, const std::array<double, 3>& expected) {
  for (std::size_t f = 0; f < 3; ++f)
    EXPECT_NEAR(t.values[f][static_cast<std::size_t>(metric)], expected[f], 1e-8)
        << "flock " << f << " metric " << metric;
}

TEST(FlockMetrics, ThreeFlocksWorkedByHandThenAChosenStandardWeightAndUnknownInputs) {
  ThreeFlocks f;
  const MetricsTable t = f.table();
  ASSERT_EQ(t.keys.size(), 3u);
  EXPECT_EQ(t.keys[0].house, "B");
  // Standard weight = the mean live weight (2.5 + 2.2 + 2.8) / 3 = 2.5.
  EXPECT_DOUBLE_EQ(t.standardWeight, 2.5);
  // In the split's order B, A, C:
  // ADG = weight x 1000 / age: 2200 / 35 = 62.857142857; 2500 / 40 = 62.5; 2800 / 45 = 62.222222222.
  expectMetric(t, MetricGain, {62.857142857, 62.5, 62.222222222});
  // Cost per bird = 0.8 x 0.40 + 2.5 x 0.38 = 1.27 -> per kg 1.27 / 2.2 = 0.577272727;
  // A: 1.0 x 0.40 + 3.0 x 0.38 = 1.54 -> 1.54 / 2.5 = 0.616; C: 0.48 + 1.406 = 1.886 -> 0.673571429.
  expectMetric(t, MetricCostPerKg, {0.577272727, 0.616, 0.673571429});
  // Livability: B 19,400 / 20,000 = 97 % (birds sold); A 100 - 4 = 96 (mortality); C 95.
  expectMetric(t, MetricLivability, {97, 96, 95});
  // EPEF = livability x weight / (age x FCR) x 100: B 97 x 2.2 / (35 x 1.5) x 100 = 213.4 / 52.5 x 100 =
  // 406.476190476; A 96 x 2.5 / (40 x 1.6) x 100 = 240 / 64 x 100 = 375; C 266 / 78.75 x 100 = 337.777777778.
  expectMetric(t, MetricEpef, {406.476190476, 375.0, 337.777777778});
  // Adjusted FCR = FCR + (2.5 - weight) x the data's slope: weights -0.3, 0, +0.3 about the mean
  // with FCR -0.116667, -0.016667, +0.133333 about theirs give Sxy 0.075 and Sxx 0.18, so
  // 0.416667 per kg: B 1.5 + 0.3 x 0.416667 = 1.625; A 1.6; C 1.75 - 0.125 = 1.625.
  expectMetric(t, MetricAdjustedFcr, {1.625, 1.6, 1.625});
  // All flocks: mean ADG (62.5 + 62.857142857 + 62.222222222) / 3 = 62.526455026; one flock per
  // group has no SD (and so no t).
  EXPECT_NEAR(t.groups[MetricGain].groups[4].mean, 62.526455026, 1e-8);
  EXPECT_FALSE(std::isfinite(t.groups[MetricGain].groups[1].sd));

  // Standard 2.0 kg by the rule: A 1.6 + (2.0 - 2.5) x 0.3675 = 1.41625.
  EXPECT_NEAR(f.table(2.0, AdjustmentPerKg).values[1][MetricAdjustedFcr], 1.41625, 1e-12);
  // Without diet costs or livability columns those measures are unknown, the rest stay.
  f.ws->diets.dietTable[1][ValFeedCost] = 0;
  f.ws->flockGrid.setText(0, 3, "Notes");
  f.ws->flockGrid.setText(0, 4, "Farm");
  const MetricsTable unknown = f.table();
  EXPECT_FALSE(unknown.costsKnown);
  EXPECT_FALSE(unknown.livability.any());
  EXPECT_FALSE(std::isfinite(unknown.values[1][MetricCostPerKg]));
  EXPECT_FALSE(std::isfinite(unknown.values[1][MetricEpef]));
  EXPECT_DOUBLE_EQ(unknown.values[1][MetricGain], 62.5);
  EXPECT_EQ(unknown.groups[MetricEpef].groups[4].n, 0);
}

// Flock A eats 1.0 kg of diet 1 and 3.0 kg of diet 2. The same two prices, 400 and 380 in the
// unit given, cost per bird (1.0 x 400 + 3.0 x 380) / kg per unit = 1540 / kg per unit:
//   per tonne 1540 / 1000 = 1.54; per short ton (907.18474 kg) 1.697559419;
//   per lb at 0.40 and 0.38 (0.45359237 kg): 1.54 / 0.45359237 = 3.395118838;
//   per 100 lb at 40 and 38: 154 / 45.359237 = 3.395118838.
// The guess (a sum above 30 is per tonne) gives 1.54 for the first two (9.3 % low per short
// ton), 1.54 per lb (2.2 times low) and 0.154 per 100 lb (22 times low).
TEST(FlockMetrics, FeedCostPerBirdInTheUnitGivenAndItsCurrency) {
  ThreeFlocks f;
  MetricsTable t = f.table();
  EXPECT_EQ(metricsGrid(t).text(0, FlockKeyColumns + MetricCostPerKg), "Feed Cost per kg");
  EXPECT_NE(feedPricingLine(t).find("no unit given"), std::string::npos);
  f.ws->diets.pricing = {1, "--cost-unit", "EUR", "--currency"};
  t = f.table();
  EXPECT_EQ(metricsGrid(t).text(0, FlockKeyColumns + MetricCostPerKg), "Feed Cost per kg (EUR)");
  EXPECT_EQ(feedPricingLine(t), "Feed prices: per tonne (--cost-unit); in EUR (--currency)");
  EXPECT_EQ(metricsSummaryLines(t)[2].substr(0, 26), "  Feed Cost per kg (EUR): ");

  const SplitFlocks split = splitFlocksOf(*f.ws, f.st);
  const SplitFlock& a = split.flocks[1];  // flock A
  DietTables& diets = f.ws->diets;
  const auto priced = [&](std::optional<int> unit, double first, double second) {
    diets.pricing.unit = unit;
    diets.dietTable[1][ValFeedCost] = first;
    diets.dietTable[2][ValFeedCost] = second;
    return feedCostPerBird(diets, a);
  };
  EXPECT_NEAR(priced(1, 400, 380), 1.54, 1e-12);
  EXPECT_NEAR(priced(3, 400, 380), 1.697559419, 1e-9);
  EXPECT_NEAR(priced(2, 0.40, 0.38), 3.395118838, 1e-9);
  EXPECT_NEAR(priced(4, 40, 38), 3.395118838, 1e-9);
  EXPECT_NEAR(priced(0, 0.40, 0.38), 1.54, 1e-12);
  // No unit given: the guess, as before.
  EXPECT_NEAR(priced(std::nullopt, 400, 380), 1.54, 1e-12);
  EXPECT_NEAR(priced(std::nullopt, 0.40, 0.38), 1.54, 1e-12);
  EXPECT_NEAR(priced(std::nullopt, 40, 38), 0.154, 1e-12);
  // A unit named by the cost heading counts where none was given, and a given one wins over it.
  diets.dietFieldNames[ValFeedCost] = "Price ($/short ton)";
  EXPECT_NEAR(priced(std::nullopt, 400, 380), 1.697559419, 1e-9);
  EXPECT_NEAR(priced(1, 400, 380), 1.54, 1e-12);
  // Without costs there is nothing to say about them.
  f.ws->diets.dietTable[1][ValFeedCost] = 0;
  EXPECT_EQ(feedPricingLine(f.table()), "");
}

TEST(GroupComparison, MeansSdsAndWelchT) {
  // Low {1,2,3}: mean 2, SD 1; Middle {4,5}: 4.5, SD 0.707107; High {6,8,10}: 8, SD 2.
  // t Low-High = (2 - 8) / sqrt(1/3 + 4/3) = -6 / 1.290994 = -4.647580;
  // t Low-Middle = -2.5 / sqrt(1/3 + 0.5/2) = -2.5 / 0.763763 = -3.273268.
  const std::vector<double> v{1, 2, 3, 4, 5, 6, 8, 10};
  const GroupComparison c = compareGroups(v, {0, 3, 2, 3});
  EXPECT_NEAR(c.tLowHigh, -4.647580, 1e-6);
  EXPECT_NEAR(c.tLowMiddle, -3.273268, 1e-6);
  // Unknown values are left out; a group larger than what is left is cut to it.
  const std::vector<double> gaps{1, NAN, 3};
  const GroupComparison cut = compareGroups(gaps, {0, 2, 5, 0});
  EXPECT_EQ(cut.groups[1].n, 1);
  EXPECT_EQ(cut.groups[2].n, 1);
}

}  // namespace
}  // namespace plumetra
