// A new diet table (another workbook sheet, a diet text file) starts the diet matching afresh:
// nothing matched on the table before stays in the diets the analysis grows.

#include "tests/workspace/workspace_fixture.h"
#include "workspace/flock_import.h"
#include "workspace/workbook_import.h"

#include <gtest/gtest.h>

#include <memory>

namespace plumetra {
namespace {

Sheet dietSheet(const std::string& energyHeading, double firstEnergy) {
  Sheet sheet;
  sheet.rows = {{std::string("Diet"), energyHeading, std::string("Lysine")},
                {std::string("Starter"), firstEnergy, 1.3},
                {std::string("Grower"), firstEnergy + 100, 1.15}};
  return sheet;
}

struct NewDietTable : ::testing::Test {
  Workspace ws = testing::loadedWorkspace();
  ScriptedDialogs dialogs;

  void SetUp() override {
    auto book = std::make_shared<testing::SheetsInMemory>();
    book->sheets = {{"Diets A", dietSheet("Energy", 3000)}, {"Diets B", dietSheet("ME kcal", 2900)}};
    ws.workbook = book;
    for (const auto& [name, sheet] : book->sheets) ws.dietSheetChoice.add(name);
    selectTab(ws, DietTab);
  }
  void loadSheet(int index) {
    ws.dietSheetChoice.choose(index);
    ASSERT_TRUE(loadDietSheet(ws, dialogs));
    selectTab(ws, DietTab);
  }
  // Matches the diet grid's column to the nutrient, as a double-click on its heading does.
  void match(int nutrient, int col) {
    ws.dietDataIds.choose(nutrient);
    ws.dietGrid.setCurrent(0, col);
    ASSERT_TRUE(doubleClickMatch(ws, MatchSide::Diet, UnitSettings{}, dialogs));
  }
};

TEST_F(NewDietTable, AnotherSheetForgetsTheDietsMatchedOnTheFirst) {
  loadSheet(0);
  match(NutEnergy, 1);
  match(NutLysine, 2);
  ASSERT_EQ(ws.diets.dietData[NutEnergy][2], 3100);
  ASSERT_TRUE(ws.nutrientIdSet[1] && ws.nutrientIdSet[3]);

  loadSheet(1);
  // Nothing of sheet A is left to be grown: values, diet count and the essential-nutrient flags.
  EXPECT_EQ(ws.diets.dietData[NutEnergy][2], 0);
  EXPECT_EQ(ws.diets.dietData[NutLysine][1], 0);
  EXPECT_EQ(ws.diets.dietCount, 0);
  EXPECT_FALSE(ws.nutrientIdSet[1] || ws.nutrientIdSet[2] || ws.nutrientIdSet[3]);
  EXPECT_FALSE(isMatchedEntry(ws, MatchSide::Diet, NutEnergy));
  EXPECT_EQ(dialogs.shown().back(),
            "The diet items matched before were cleared: match them again on the sheet \"Diets B\".");

  match(NutEnergy, 1);
  EXPECT_EQ(ws.diets.dietData[NutEnergy][1], 2900);
  EXPECT_EQ(ws.diets.dietData[NutLysine][1], 0);  // not matched on this sheet
}

TEST_F(NewDietTable, ADietTextFileForgetsTheSheetsDiets) {
  loadSheet(0);
  match(NutEnergy, 1);
  testing::TempFolder folder("diet_table");
  const auto file = folder / "diets.csv";
  testing::writeFile(file, "Diet,Energy\r\nStarter,3050\r\n");
  ASSERT_TRUE(loadDietTextFile(ws, dialogs, file));
  EXPECT_EQ(ws.diets.dietData[NutEnergy][1], 0);
  EXPECT_FALSE(ws.nutrientIdSet[1]);
  EXPECT_EQ(ws.dietGrid.text(1, 1), "3050");
  EXPECT_EQ(dialogs.shown().back(), "The diet items matched before were cleared: match them again on diets.csv.");
}

TEST_F(NewDietTable, AFirstSheetSaysNothing) {
  loadSheet(0);
  EXPECT_TRUE(dialogs.shown().empty());
}

}  // namespace
}  // namespace plumetra
