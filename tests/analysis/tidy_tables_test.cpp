#include "analysis/tidy_tables.h"

#include "analysis/analysis_result.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <tuple>

namespace plumetra {
namespace {

// Seven flocks in the file; the fourth was left out, so analysed flock r sits on file row
// analysedRows[r]. The split lists the analysed flocks in reverse (flock 6 first):
// FCR 1.40, 1.50 (Low), 1.60, 1.70 (Middle), 1.80, 2.00 (High).
struct SplitWorkspace {
  Workspace ws;
  AnalysisState st;

  SplitWorkspace(bool withDate) {
    const std::vector<std::string> headings{"Farm", "House", withDate ? "Placement Date" : "Sex", "Weight"};
    ws.flockGrid.resize(8, 4);
    for (int c = 0; c < 4; ++c) ws.flockGrid.setText(0, c, headings[static_cast<std::size_t>(c)]);
    for (int row = 1; row <= 7; ++row) {
      ws.flockGrid.setText(row, 0, row % 2 ? "Pine" : "Oak");
      ws.flockGrid.setText(row, 1, std::to_string(10 + row));
      ws.flockGrid.setText(row, 2, withDate ? "2024-03-0" + std::to_string(row) : "X");
    }
    ws.analysedRows = {0, 1, 2, 3, 5, 6, 7};
    ws.flockIdSet[ItemHouseId] = true;
    ws.flockCol[ItemHouseId] = 1;
    ws.modelSkipped = true;
    ws.nonNumeric[0] = ws.nonNumeric[2] = -1;  // farm and date (or sex) are text

    const double fcr[] = {1.40, 1.50, 1.60, 1.70, 1.80, 2.00};
    for (int i = 0; i < 6; ++i) {
      const int flock = 6 - i;
      ws.flockData[0][static_cast<std::size_t>(flock)] = 2.0 + 0.1 * i;  // kg
      ws.flockData[1][static_cast<std::size_t>(flock)] = 20000;
      ws.flockData[2][static_cast<std::size_t>(flock)] = 40;
      ws.flockData[3][static_cast<std::size_t>(flock)] = fcr[i];
    }
    ws.flockCount = 6;
    st.feedConversionSplit = {{6, 5, 4, 3, 2, 1}, {0, 2, 2, 2}};
  }
};

const TidyMeasure& measureNamed(const TidyTables& tables, const std::string& name) {
  for (const TidyMeasure& m : tables.measures)
    if (m.name == name) return m;
  throw std::runtime_error("no measure " + name);
}

TEST(TidyTables, FlockKeysPointBackToTheirRowsAndGroupRowsCarryTheMomentsAndWelchT) {
  const SplitWorkspace data(true);
  const TidyTables tables = tidyTablesOf(data.ws, analysisResultOf(data.ws, data.st).split, std::nullopt);
  ASSERT_EQ(tables.keys.size(), 6u);
  ASSERT_TRUE(tables.dateKnown);
  // The split starts with flock 6, which the file holds on row 7 (row 4 was left out).
  const auto& first = tables.keys[0];
  EXPECT_EQ(std::tie(first.sourceRow, first.farm, first.house, first.date),
            std::make_tuple(7, "Pine", "17", "2024-03-07"));
  EXPECT_EQ(tables.keys[2].sourceRow, 5);  // flock 4 is file row 5
  EXPECT_EQ(tables.groups, (std::vector<int>{1, 1, 2, 2, 3, 3}));
  EXPECT_DOUBLE_EQ(measureNamed(tables, "fcr").values[0], 1.40);
  EXPECT_DOUBLE_EQ(measureNamed(tables, "live_weight_kg").values[5], 2.5);
  EXPECT_THROW(measureNamed(tables, "pred_fcr"), std::runtime_error);   // the model did not run
  EXPECT_THROW(measureNamed(tables, "livability_pct"), std::runtime_error);  // no such column

  std::vector<GroupMeasure> fcr;
  for (const GroupMeasure& g : tables.groupMeasures)
    if (g.measure == "fcr") fcr.push_back(g);
  ASSERT_EQ(fcr.size(), 4u);
  EXPECT_EQ(fcr[3].moments.n, 6);  // all flocks
  EXPECT_NEAR(fcr[0].moments.mean, 1.45, 1e-12);
  EXPECT_NEAR(fcr[0].moments.sd, std::sqrt(0.005), 1e-12);
  EXPECT_NEAR(fcr[2].moments.mean, 1.90, 1e-12);
  // (1.45 - 1.90) / sqrt(0.005 / 2 + 0.02 / 2); the interval and p are the Welch difference's.
  EXPECT_NEAR(fcr[1].tLowHigh, -0.45 / std::sqrt(0.0125), 1e-9);
  EXPECT_NEAR(fcr[1].lowHigh.difference, -0.45, 1e-12);

  const SplitWorkspace noDate(false);  // "Sex" in the date's place
  EXPECT_FALSE(tidyTablesOf(noDate.ws, analysisResultOf(noDate.ws, noDate.st).split, std::nullopt).dateKnown);
}

TEST(TidyTables, FlocksTsvHasOneRowPerFlockWhateverTheCellsHold) {
  SplitWorkspace data(true);
  data.ws.flockGrid.setText(7, 2, "2024\t03");  // a tab in a cell must not shift the columns
  const TidyTables tables = tidyTablesOf(data.ws, analysisResultOf(data.ws, data.st).split, std::nullopt);
  std::istringstream flocks(flocksTsv(tables));
  std::string line;
  std::getline(flocks, line);
  EXPECT_EQ(line.rfind("farm\thouse\tsource_row\tdate\tgroup\tlive_weight_kg\tbirds\tage_d\tfcr", 0), 0u);
  const auto columns = std::count(line.begin(), line.end(), '\t');
  int rows = 0;
  while (std::getline(flocks, line)) {
    ++rows;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), columns) << line;
  }
  EXPECT_EQ(rows, 6);
}

}  // namespace
}  // namespace plumetra
