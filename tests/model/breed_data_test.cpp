#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "model/breed_data.h"
#include "controls/scripted_dialogs.h"
#include "tests/support/temp_folder.h"

namespace plumetra {
namespace {

namespace fs = std::filesystem;

class BreedFolder : public ::testing::Test {
 protected:
  plumetra::testing::TestTempFolder folder{"plumetra_breed"};
  const fs::path dir = folder.path();
  void write(const std::string& name, const std::string& text) {
    std::ofstream(dir / name, std::ios::binary) << text;
  }
  ScriptedDialogs dialogs;
};

void expectBuiltInSample(const ModelState& m) {
  EXPECT_EQ(m.settings.breedNames[0], "General");
  EXPECT_EQ(m.settings.breedNames[14], "Arbor Acres Plus");
  EXPECT_DOUBLE_EQ(m.settings.breedTable[0][1][0], 43.356);
  EXPECT_DOUBLE_EQ(m.settings.breedTable[14][2][2], 5.2578);
  EXPECT_EQ(m.settings.breedCount, 14);
  for (int b = 0; b < MaxBreeds; ++b)
    EXPECT_DOUBLE_EQ(m.settings.breedCompAdjust[b], (b == 3 || b == 7 || b == 13) ? 0.128 : 0.0) << b;
}

TEST_F(BreedFolder, NoFilesAndTheShippedFileGiveTheBuiltInTable) {
  ModelState builtIn;
  loadBreedData(builtIn, dir, dialogs);
  expectBuiltInSample(builtIn);
  ModelState shipped;
  ASSERT_TRUE(readBreedTextFile(shipped, fs::path(PLUMETRA_SOURCE_DIR) / "data" / "BrdData.Txt", dialogs));
  expectBuiltInSample(shipped);
  EXPECT_EQ(shipped.settings.breedNames[15], "");
  EXPECT_TRUE(dialogs.finished());
}

TEST_F(BreedFolder, TextFileIsReadWhenPresentEvenBesideAnUnreadableDatabase) {
  write("ConvixData1.mdb", "this is not a database");
  write("BrdData.Txt",
        "\"Alpha\",40,0.9,5.1,0.06\r\n\"Alpha\",38,0.85,5.0,0.065\r\n"
        "Beta,41.5,0.91,5.2,0.061\r\nBeta,39,0.86,4.9,0.066\r\n"
        "Gamma,1,2,3\r\n");  // an incomplete breed at the end is not stored
  ModelState m;
  loadBreedData(m, dir, dialogs);
  EXPECT_EQ(m.settings.breedNames[0], "Alpha");
  EXPECT_DOUBLE_EQ(m.settings.breedTable[1][2][3], 0.066);
  EXPECT_EQ(m.settings.breedTable[2][1][0], 0);
  EXPECT_EQ(m.settings.breedCount, 14);
  EXPECT_DOUBLE_EQ(m.settings.breedCompAdjust[13], 0.128);
}

TEST(BreedDatabaseRecords, FieldsMapToTheTablesWithinBounds) {
  // Field 0 an id, 1 name, 2 unused, 3 sex, 4-7 W0 b L k, 8 breast adjustment, 9 unused, 10 index.
  const std::vector<std::string> fields{"7", "Ross 308", "x", "2", "42.7171", "0.8369",
                                        "5.1125", "0.0742", "0,128", "", "12"};
  const auto record = breedRecordFromFields(fields);
  ASSERT_TRUE(record);
  ModelState m;
  ASSERT_TRUE(storeBreedRecord(m, *record));
  EXPECT_EQ(m.settings.breedNames[12], "Ross 308");
  EXPECT_DOUBLE_EQ(m.settings.breedTable[12][2][0], 42.7171);
  EXPECT_DOUBLE_EQ(m.settings.breedTable[12][2][3], 0.0742);
  EXPECT_DOUBLE_EQ(m.settings.breedCompAdjust[12], 0.128);
  EXPECT_EQ(m.settings.breedTable[12][1][0], 0);
  EXPECT_FALSE(breedRecordFromFields({"1", "short"}));

  struct Case {
    const char* index;
    const char* sex;
    bool stored;
  };
  for (const Case& c : {Case{"0", "1", true}, Case{"35", "2", true}, Case{"36", "1", false},
                        Case{"-1", "1", false}, Case{"1e12", "1", false}, Case{"3", "0", false},
                        Case{"3", "3", false}, Case{"abc", "1", true}}) {
    const auto bounded = breedRecordFromFields({"", "N", "", c.sex, "1", "2", "3", "4", "0", "", c.index});
    ASSERT_TRUE(bounded);
    EXPECT_EQ(storeBreedRecord(m, *bounded), c.stored) << c.index << " " << c.sex;
  }
}

TEST(BreedMeans, MeanOfTheTwoChosenBreedsWithHatchWeights) {
  ModelState m;
  loadBuiltInBreedTable(m);
  m.settings.maleBreed = 12;
  m.settings.femaleBreed = 13;
  setBreedMeanParams(m);
  EXPECT_NEAR(m.inputs.growthParams[1][0], (42.2649 + 40.8208) / 2, 1e-12);
  EXPECT_NEAR(m.inputs.growthParams[1][3], (0.0676 + 0.0671) / 2, 1e-12);
  EXPECT_NEAR(m.inputs.growthParams[2][1], (0.8369 + 0.848) / 2, 1e-12);
  EXPECT_NEAR(m.inputs.hatchWeight[1], (42.2649 + 40.8208) / 2, 1e-12);
  EXPECT_NEAR(m.inputs.hatchWeight[2], (42.7171 + 42.3537) / 2, 1e-12);

  ModelState none;  // maleBreed -1 reads as breed 0; a female breed without data keeps her params
  loadBuiltInBreedTable(none);
  none.inputs.growthParams[2] = {1, 2, 3, 4};
  none.settings.femaleBreed = 20;
  setBreedMeanParams(none);
  EXPECT_NEAR(none.inputs.growthParams[1][0], 43.356 / 2, 1e-12);
  EXPECT_EQ(none.inputs.growthParams[2][0], 1);
  EXPECT_EQ(none.inputs.hatchWeight[2], 1);
}

}  // namespace
}  // namespace plumetra
