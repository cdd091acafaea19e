// The analysis run: checks, flock-table preparation, the cost column, and one whole run on a
// small table with scripted dialogs.

#include "analysis/analysis_colours.h"
#include "analysis/analysis_run.h"
#include "views/free_format.h"
#include "views/scripted_dialogs.h"
#include "workspace/new_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace plumetra {
namespace {

namespace ac = analysis_colours;

// Flock grid columns: House, Farm, LW, Birds, Age, FCR, Feed1, Feed2, Feed3.
constexpr int LwCol = 2, FcCol = 5;

struct RunFixture {
  Workspace ws;
  ModelState model;
  AnalysisState st;
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "plumetra_run_test";

  explicit RunFixture(int flocks = 16) {
    std::filesystem::create_directories(dir);
    Grid& g = ws.gridflockin;
    g.resize(flocks + 1, 9);
    const char* headings[] = {"House", "Farm", "LW", "Birds", "Age", "FCR", "Feed1", "Feed2", "Feed3"};
    for (int c = 0; c < 9; ++c) g.setText(0, c, headings[c]);
    for (int r = 1; r <= flocks; ++r) {
      // Feed conversion falls with the row, so the sort reverses the order; the last
      // row (lowest FCR) is ordinary, the first row is an outlier at the top end.
      const double fc = r == 1 ? 2.40 : 1.80 - 0.01 * r;
      const std::vector<std::string> cells{std::to_string(r), r % 2 ? "North" : "South",
                                           std::to_string(2.2 + 0.02 * r), "20000", "38",
                                           std::to_string(fc), "0.5", "1.5", "2.0"};
      for (int c = 0; c < 9; ++c) g.setText(r, c, cells[static_cast<std::size_t>(c)]);
      for (int item = 1; item <= 7; ++item) {
        const int col = item + 1;  // LW is column 2 for item 1, ... Feed3 column 8 for item 7
        ws.FlockData[static_cast<std::size_t>(item - 1)][static_cast<std::size_t>(r)] = g.value(r, col);
      }
    }
    ws.FlockCount = flocks;
    for (int item = 0; item <= 7; ++item) {
      ws.FlockCol[static_cast<std::size_t>(item)] = static_cast<std::int16_t>(item == 0 ? 0 : item + 1);
      ws.FlockIdSet[static_cast<std::size_t>(item)] = true;
    }
    ws.NutrientIdSet = {false, true, true, true};
    const double energy[] = {3000, 3100, 3200}, protein[] = {22, 20, 18}, lysine[] = {1.3, 1.15, 1.0};
    for (int d = 1; d <= 3; ++d) {
      const auto i = static_cast<std::size_t>(d);
      ws.diets.DietData[NutEnergy][i] = energy[d - 1];
      ws.diets.DietData[NutProtein][i] = protein[d - 1];
      ws.diets.DietData[NutLysine][i] = lysine[d - 1];
      ws.diets.DietData[NutMetCys][i] = 0.9;
      ws.diets.DietData[NutMethionine][i] = 0.5;
      ws.diets.DietData[NutThreonine][i] = 0.8;
      ws.diets.DietData[NutTryptophan][i] = 0.2;
      ws.diets.DietData[NutArginine][i] = 1.3;
      for (int k = 3; k < NutrientVectorSize; ++k) ws.diets.EnteredDiets[i][static_cast<std::size_t>(k)] = 1.0;
      ws.diets.EnteredDiets[i][0] = d == 1 ? 0.5 : d == 2 ? 1.5 : 2.0;
    }
    ws.diets.DietCount = 3;
    ws.ComboFlockSex.items = {"Mixed", "Males", "Females"};
    ws.ComboFlockSex.choose(0);
    ws.TextExcel.text = (dir / "flocks.csv").string();
    ws.Command6.visible = false;
    fillFarmOrder(ws);
    NEWgrid(ws);
  }
  ~RunFixture() { std::filesystem::remove_all(dir); }
};

TEST(Command13, ChecksStopTheRunWithTheirMessages) {
  struct Case {
    const char* message;
    void (*spoil)(RunFixture&);
  };
  const Case cases[] = {
      {"Set the FLock Sex", [](RunFixture& f) { f.ws.ComboFlockSex.index = -1; }},
      {"An essential Nutrient has not been Identified", [](RunFixture& f) { f.ws.NutrientIdSet[2] = false; }},
      {"An essential Flock Data has not been Identified   4", [](RunFixture& f) { f.ws.FlockIdSet[4] = false; }},
      {"The Flock Split must add to 100 %",
       [](RunFixture& f) { f.ws.TextHigh.text = f.ws.TextMed.text = f.ws.TextLow.text = "33.3"; }},
  };
  for (const Case& c : cases) {
    RunFixture f;
    f.ws.Command13.background = Rgb{1, 2, 3};
    c.spoil(f);
    ScriptedDialogs dialogs;
    dialogs.expectMessage(c.message);
    EXPECT_EQ(Command13_Click(f.ws, f.model, f.st, dialogs), AnalysisRunEnd::Stopped) << c.message;
    EXPECT_TRUE(dialogs.finished()) << c.message;
    EXPECT_FALSE(f.st.FirstSortDone);
  }
  RunFixture f;
  f.ws.TextHigh.text = "33.3", f.ws.TextMed.text = "33.3", f.ws.TextLow.text = "33.3";
  ScriptedDialogs dialogs;
  dialogs.expectMessage("The Flock Split must add to 100 %");
  Command13_Click(f.ws, f.model, f.st, dialogs);
  EXPECT_EQ(f.ws.Gridanal.cols(), 9 + 20);  // resized before the split check
  EXPECT_EQ(f.ws.Gridanal.rows(), 17 + 30);
}

TEST(PrepareFlockTable, HouseTotalsGramsAndTheFlockCount) {
  RunFixture f(0);
  auto& F = f.ws.FlockData;
  // flock 1: 52 000 kg for 20 000 birds; 2: 2 600 g, no birds; 3: 2.6; 4: 2 600 with 20 000
  // birds; 5: weight 0 ends the count; 6: left from an earlier, longer file.
  const double weight[] = {0, 52000, 2600, 2.6, 2600, 0, 2.4};
  const double birds[] = {0, 20000, 0, 10000, 20000, 0, 0};
  for (int r = 1; r <= 6; ++r) {
    F[0][static_cast<std::size_t>(r)] = weight[r];
    F[1][static_cast<std::size_t>(r)] = birds[r];
    F[3][static_cast<std::size_t>(r)] = 1.7;
  }
  f.ws.FlockCount = 6;
  EXPECT_EQ(PrepareFlockTable(f.ws, f.model, f.st), 4);
  EXPECT_DOUBLE_EQ(F[0][1], 2.6);
  EXPECT_DOUBLE_EQ(F[0][2], 2.6);
  EXPECT_DOUBLE_EQ(F[0][3], 2.6);  // a weight per bird among totals is not divided again
  EXPECT_DOUBLE_EQ(F[0][4], 0.13);
  EXPECT_EQ(f.st.SplitFlockCount, 4);

  F[0][5] = 2.5;  // now flock 6 is beyond FlockCount 5
  f.ws.FlockCount = 5;
  EXPECT_EQ(PrepareFlockTable(f.ws, f.model, f.st), 5);

  // The first flock at 10 or less leaves every other weight alone.
  F[0][1] = 2.0;
  F[0][2] = 2600;
  f.ws.FlockCount = 2;
  PrepareFlockTable(f.ws, f.model, f.st);
  EXPECT_DOUBLE_EQ(F[0][2], 2600);
}

TEST(PrepareFlockTable, AveragesAndWeightingValues) {
  RunFixture f(0);
  auto& F = f.ws.FlockData;
  F[0][1] = 2.0, F[1][1] = 10000, F[3][1] = 1.6;
  F[0][2] = 3.0, F[1][2] = 0, F[3][2] = 1.8;
  f.ws.FlockCount = 2;
  PrepareFlockTable(f.ws, f.model, f.st);
  EXPECT_EQ(f.ws.TextWt.text, "2.500");
  EXPECT_EQ(f.ws.TextAge.text, "1.700");
  EXPECT_DOUBLE_EQ(f.model.FinalWeight, 2.5);
  // Expected FC 1.7 + 0.5 x 2.205 / 6 = 1.88375: d = -0.28375, sqrt(10000) / 0.28375 = 352.42.
  EXPECT_DOUBLE_EQ(F[20][1], 352.4);
  EXPECT_NEAR(F[20][2], 1.0 / 0.28375, 1e-9);  // no birds: |1 / d|

  F[0][1] = 2.0, F[3][1] = 1.6;  // a single flock is its own average: d = 0
  f.ws.FlockCount = 1;
  PrepareFlockTable(f.ws, f.model, f.st);
  EXPECT_EQ(F[20][1], 0.0);
}

TEST(CostCalcOK, CostPerBirdFromIntakesAndPricesPerTonne) {
  RunFixture f(1);
  for (int d = 1; d <= 3; ++d) f.ws.diets.DietTable[static_cast<std::size_t>(d)][ValFeedCost] = 400 - 20 * (d - 1);
  CostCalcOK(f.ws);
  EXPECT_EQ(f.ws.gridflockin.cols(), 10);
  EXPECT_EQ(f.ws.gridflockin.text(0, 9), "Feed Cost");
  EXPECT_NEAR(f.ws.gridflockin.value(1, 9), 1.49, 1e-9);  // 0.5 x 400 + 1.5 x 380 + 2 x 360 = 1490
  EXPECT_EQ(f.ws.Gridanal.text(0, 20), "Feed Cost");
  EXPECT_EQ(f.ws.Gridanal.background(0, 20), ac::CostHeading);
  EXPECT_NEAR(f.ws.Gridanal.value(22, 20), 1.49, 1e-9);
}

TEST(Command13, WholeRunThenReSortOnly) {
  RunFixture f;
  ScriptedDialogs dialogs;
  dialogs.expectMessage("First Sort is always by Feed Conversion");
  ASSERT_EQ(Command13_Click(f.ws, f.model, f.st, dialogs), AnalysisRunEnd::Completed);
  for (const auto& failure : dialogs.failures()) ADD_FAILURE() << failure;
  const Grid& g = f.ws.Gridanal;

  EXPECT_EQ(f.st.SplitFlockCount, 16);
  EXPECT_FALSE(f.ws.ModelSkipped);  // the default growth parameters were in place in time
  EXPECT_EQ(g.rows(), 22 + 16);
  EXPECT_NEAR(g.value(22, FcCol), 1.80 - 0.16, 1e-9);  // lowest FCR first
  EXPECT_NEAR(g.value(37, FcCol), 2.40, 1e-9);
  EXPECT_EQ(g.text(0, g.cols() - 2), "Init. Order");
  EXPECT_EQ(g.text(37, g.cols() - 2), " 1");  // flock 1 sorted to the end
  EXPECT_EQ(f.ws.Combo1.items.back(), "Init. Order");
  ASSERT_EQ(static_cast<int>(f.ws.Combo1.items.size()), g.cols() - 1);  // list index = grid column
  EXPECT_EQ(f.ws.Combo3.items[20], "Energy per bird");
  EXPECT_EQ(g.text(0, 9), "Pred. WT.");
  EXPECT_FALSE(g.text(22, 9).empty());
  EXPECT_EQ(g.text(0, 20), "Energy per bird");

  EXPECT_EQ(f.st.GroupCount, (std::array<int, 5>{0, 3, 10, 3, 16}));  // 3.2 -> 3, 3.2 -> 3
  EXPECT_EQ(g.text(10, 1), "FCR");
  EXPECT_EQ(g.text(2, 1), "FCR");
  EXPECT_EQ(g.text(1, 1), "Sorted by ");
  EXPECT_NEAR(g.value(11, FcCol), (1.64 + 1.65 + 1.66) / 3, 5e-4);
  EXPECT_EQ(g.text(3, 5), g.text(11, FcCol));
  EXPECT_EQ(g.background(2, 1), ac::TextHeading);
  EXPECT_EQ(g.background(10, 1), ac::SortCaption);
  EXPECT_EQ(g.background(0, 1), ac::TextHeading);  // "Farm" is a text column
  EXPECT_EQ(f.ws.TextWt.text, "2.370");           // (2.22 + 2.52) / 2

  EXPECT_TRUE(f.ws.Command6.visible);  // the last flock's 2.40 is an outlier
  EXPECT_EQ(f.st.OutlierCount, 1);
  EXPECT_EQ(g.background(37, FcCol), ac::Outlier);
  EXPECT_EQ(f.ws.gridflockin.background(1, 0), ac::Outlier);
  EXPECT_FALSE(f.st.CorrelColumns.empty());
  EXPECT_TRUE(f.ws.Command5.visible && f.ws.Command5.enabled && f.ws.Command1.enabled);
  EXPECT_EQ(f.ws.SSTab1.current, AnalysisTab);
  EXPECT_TRUE(f.st.FirstSortDone);
  const auto list = readTextFile(f.dir / "flocks.lst");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->substr(0, 9), " 0 \r\n 2 \r");

  // A second click re-sorts only: the outlier button now offers the removal.
  const std::size_t comboItems = f.ws.Combo1.items.size();
  ScriptedDialogs again;
  again.expectYesNo("Found  1  Outliers  - Shall we Remove Some or All of them ?  Enter Zero to leave them.", true)
      .expectInput("How Many Outliers do you want to remove?", "1");
  ASSERT_EQ(Command13_Click(f.ws, f.model, f.st, again), AnalysisRunEnd::Completed);
  EXPECT_TRUE(again.finished());
  EXPECT_EQ(f.ws.Combo1.items.size(), comboItems);
  EXPECT_EQ(f.st.SplitFlockCount, 15);
  EXPECT_EQ(g.rows(), 22 + 15);
  EXPECT_EQ(f.st.GroupCount[4], 15);
}

}  // namespace
}  // namespace plumetra

namespace plumetra {
namespace {

TEST(CostCalcOK, AfterASortTheCostsFollowTheFlocksAndKeepOtherColumns) {
  RunFixture f;
  ScriptedDialogs dialogs;
  dialogs.expectMessage("First Sort is always by Feed Conversion");
  ASSERT_EQ(Command13_Click(f.ws, f.model, f.st, dialogs), AnalysisRunEnd::Completed);
  for (int d = 1; d <= 3; ++d) f.ws.diets.DietTable[static_cast<std::size_t>(d)][ValFeedCost] = 400;
  f.ws.gridflockin.setText(1, 6, "1.0");  // flock 1 ate more starter: 0.4 more cost
  const Grid& g = f.ws.Gridanal;
  const std::string heading = g.text(0, 9 + 11);  // the column a cost column would take
  CostCalcOK(f.ws);
  EXPECT_EQ(g.text(0, 9 + 11), heading);  // "Energy per bird" stays
  Grid& anal = f.ws.Gridanal;
  anal.setText(0, 9 + 12, "");  // the next cost column goes one further right
  CostCalcOK(f.ws);  // now the column is free: flock 1 sits in the last row after the sort
  EXPECT_EQ(anal.text(0, 9 + 12), "Feed Cost");
  EXPECT_NEAR(anal.value(37, 9 + 12), 1.8, 1e-9);  // (1.0 + 1.5 + 2.0) x 400 / 1000
  EXPECT_NEAR(anal.value(22, 9 + 12), 1.6, 1e-9);
}

}  // namespace
}  // namespace plumetra

namespace plumetra {
namespace {

TEST(Command13, ModelFlaggedBeforeItsDefaultsStillPredicts) {
  RunFixture f;
  f.ws.ModelSkipped = true;  // the location box lost the focus before any growth parameters
  NEWgrid(f.ws);             // and the data came after: no prediction columns
  ScriptedDialogs dialogs;
  dialogs.expectMessage("First Sort is always by Feed Conversion");
  ASSERT_EQ(Command13_Click(f.ws, f.model, f.st, dialogs), AnalysisRunEnd::Completed);
  EXPECT_FALSE(f.ws.ModelSkipped);
  EXPECT_EQ(f.ws.Gridanal.text(0, 9), "Pred. WT.");
  EXPECT_FALSE(f.ws.Gridanal.text(22, 9).empty());
  EXPECT_EQ(f.ws.Gridanal.text(0, f.ws.Gridanal.cols() - 2), "Init. Order");
}

TEST(Command13, WithoutAGrowthRateTheGridKeepsTheFlockColumns) {
  RunFixture f;
  f.model.GrowthParams[1][kParamB] = 0.9;  // parameters set, but no growth rate
  ScriptedDialogs dialogs;
  dialogs.expectMessage("First Sort is always by Feed Conversion");
  ASSERT_EQ(Command13_Click(f.ws, f.model, f.st, dialogs), AnalysisRunEnd::Completed);
  EXPECT_TRUE(f.ws.ModelSkipped);
  EXPECT_EQ(f.ws.Gridanal.cols(), 9);
  EXPECT_EQ(f.ws.Gridanal.rows(), 22 + 16);
  EXPECT_NEAR(f.ws.Gridanal.value(17, FcCol), (1.80 * 15 - 0.01 * 135 + 2.40) / 16, 5e-4);
}

TEST(Command13, FullRunAfterALocationStartsFromTheFlockOrder) {
  RunFixture f;
  ScriptedDialogs dialogs;
  dialogs.expectMessage("First Sort is always by Feed Conversion");
  ASSERT_EQ(Command13_Click(f.ws, f.model, f.st, dialogs), AnalysisRunEnd::Completed);
  f.st.FirstSortDone = false;  // as opening a location does
  f.ws.Command6.visible = false;
  dialogs.expectMessage("First Sort is always by Feed Conversion");
  ASSERT_EQ(Command13_Click(f.ws, f.model, f.st, dialogs), AnalysisRunEnd::Completed);
  EXPECT_TRUE(dialogs.finished());
  const Grid& g = f.ws.Gridanal;
  const int order = g.cols() - 2;
  ASSERT_EQ(g.text(0, order), "Init. Order");
  for (int row = 22; row < g.rows(); ++row) {
    const int flock = static_cast<int>(g.value(row, order));
    ASSERT_GE(flock, 1);
    EXPECT_EQ(g.text(row, FcCol), f.ws.gridflockin.text(flock, FcCol)) << row;
    EXPECT_EQ(g.text(row, 0), f.ws.gridflockin.text(flock, 0)) << row;
  }
}

}  // namespace
}  // namespace plumetra
