#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "model/settings_file.h"
#include "files/free_format.h"
#include "controls/scripted_dialogs.h"
#include "tests/support/temp_folder.h"

namespace plumetra {
namespace {

namespace fs = std::filesystem;

ModelState sampleModel() {
  ModelState m;
  m.inputs.dietCount = 3;
  m.inputs.feedAllotment[1] = 0.5, m.inputs.feedAllotment[2] = 1.25, m.inputs.feedAllotment[3] = 2;
  m.settings.units.energyChoice = 1, m.settings.units.weightChoice = 2, m.settings.units.costChoice = 3;
  const double temps[16] = {0, 33, 30, 27, 24, 22, 21, 20, 20, 20, 20, 20, 20, 20, 19.5, 20};
  for (int w = 1; w <= 15; ++w) m.inputs.weekTemp[w] = temps[w];
  return m;
}

// Written by hand from the file layout.
const std::string ExpectedFile =
    "FarmTop\r\n"
    "\"Flock Sex      \"\r\n"
    "M\r\n"
    "\"Target Weight\"\r\n"
    "2.345\r\n"
    "\"No of Diets\"\r\n"
    " 3 \r\n"
    "\"Change on Age(0) or Wt (1)\"\r\n"
    " 1 \r\n"
    "\"Age, days\"\r\n"
    " 0 \r\n 0 \r\n 0 \r\n"
    "\"Feed Weight\"\r\n"
    "0.5\r\n1.25\r\n2\r\n"
    "\"Energy Choice\"\r\n 1 \r\n"
    "\"Weight Choice\"\r\n 2 \r\n"
    "\"Cost Choice\"\r\n 3 \r\n"
    "\"Temperature by week\"\r\n"
    " 1 \t33\r\n 2 \t30\r\n 3 \t27\r\n 4 \t24\r\n 5 \t22\r\n 6 \t21\r\n 7 \t20\r\n 8 \t20\r\n"
    " 9 \t20\r\n 10 \t20\r\n 11 \t20\r\n 12 \t20\r\n 13 \t20\r\n 14 \t19.5\r\n 15 \t20\r\n"
    "\"Mill Cost Choice\"\t 0 \r\n"
    "\"Mill Haul Cost\"\t 0 \r\n"
    " 0 \r\n 0 \r\n";

class SettingsFiles : public ::testing::Test {
 protected:
  plumetra::testing::TestTempFolder folder{"plumetra_stg"};
  const fs::path dir = folder.path();
  // Writes name.stg with the given text and returns the name without extension.
  fs::path writeStg(const std::string& text) {
    std::ofstream(dir / "Loc.stg", std::ios::binary) << text;
    return dir / "Loc";
  }
  SettingsRead readStg(ModelState& m, const std::string& text) {
    return readSettingsFile(m, writeStg(text), dialogs);
  }
  ScriptedDialogs dialogs;
};

// The expected file with one line replaced.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST_F(SettingsFiles, WriterGivesTheExactBytesOrReportsItsFailure) {
  ASSERT_TRUE(writeSettingsFile(sampleModel(), dir / "FarmTop", 1, 1, "2.345"));
  EXPECT_EQ(readTextFile(dir / "FarmTop.stg").value_or(""), ExpectedFile);
  // Group 0 writes nothing; a failed write is reported.
  EXPECT_TRUE(writeSettingsFile(sampleModel(), dir / "None", 0, 1, "2"));
  EXPECT_FALSE(fs::exists(dir / "None.stg"));
  std::string error;
  EXPECT_FALSE(writeSettingsFile(sampleModel(), dir / "missing" / "X", 2, 0, "2", &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(SettingsFiles, RoundTripRestoresTheSettings) {
  const ModelState written = sampleModel();
  ASSERT_TRUE(writeSettingsFile(written, dir / "Loc", 2, 1, "2.345"));
  ModelState m;
  m.settings.units.weightChoice = 1;
  m.inputs.proteinCurve = CompositionSetA.protein;
  ASSERT_EQ(readSettingsFile(m, dir / "Loc", dialogs), SettingsRead::Read);
  EXPECT_EQ(m.inputs.modelSex, 1);
  EXPECT_EQ(m.inputs.dietCount, 3);
  EXPECT_EQ(m.inputs.feedAllotment, written.inputs.feedAllotment);
  EXPECT_EQ(m.settings.units.energyChoice, 1);
  EXPECT_EQ(m.settings.units.weightChoice, 0);  // always reads back as 0
  EXPECT_EQ(m.settings.units.costChoice, 3);
  EXPECT_EQ(m.inputs.weekTemp, written.inputs.weekTemp);
  EXPECT_DOUBLE_EQ(m.inputs.proteinCurve.maleDay0, 0.148);  // set B with the mill lines
  EXPECT_EQ(m.inputs.optTemp, OptimumWeekTemp);
  EXPECT_TRUE(dialogs.finished());
}

TEST_F(SettingsFiles, TemperatureBlockRules) {
  ModelState zero;  // a zero first week gives the optimum for all weeks
  ASSERT_EQ(readStg(zero, replaced(ExpectedFile, " 1 \t33\r\n", " 1 \t0\r\n")), SettingsRead::Read);
  EXPECT_EQ(zero.inputs.weekTemp, OptimumWeekTemp);

  // A week outside the table ends the block unstored; the next line (" 5 <TAB>22") is then
  // taken as the mill line.
  ModelState outside;
  ASSERT_EQ(readStg(outside, replaced(replaced(ExpectedFile, " 4 \t24\r\n", " 16 \t99\r\n"),
                                      "\"Mill Cost Choice\"\t 0 ", "\"Mill Cost Choice\"\t 2 ")),
            SettingsRead::Read);
  EXPECT_EQ(outside.inputs.weekTemp[3], 27);
  EXPECT_EQ(outside.inputs.weekTemp[4], 0);
  EXPECT_EQ(outside.inputs.weekTemp[15], 0);
  EXPECT_EQ(outside.settings.units.millCostChoice, 22);

  ModelState cut;  // the file ends in the block: no mill lines, the composition curve stays
  cut.inputs.proteinCurve = CompositionSetA.protein;
  ASSERT_EQ(readStg(cut, ExpectedFile.substr(0, ExpectedFile.find(" 6 \t21"))), SettingsRead::Read);
  EXPECT_EQ(cut.inputs.weekTemp[5], 22);
  EXPECT_EQ(cut.inputs.weekTemp[6], 0);
  EXPECT_DOUBLE_EQ(cut.inputs.proteinCurve.maleDay0, 0.1374);
}

TEST_F(SettingsFiles, MillLinesAsSeparateFieldsWithDecimalComma) {
  struct Case {
    std::string millLines;
    int costChoice;
  };
  for (const Case& c : {Case{"\"Mill Cost Choice\"\r\n 2 \r\n\"Mill Haul Cost\"\r\n3,5\r\n", 2},
                        Case{"\"Mill Cost Choice\"\t 4 \r\n\"Mill Haul Cost\"\t1,25\r\n 0 \r\n", 4},
                        Case{"Mill Cost Choice\t1\r\nMill Haul Cost\t2.5\r\n", 1},
                        Case{"\"Mill Cost Choice\", 3\r\n\"Mill Haul Cost\",0.75\r\n", 3}}) {
    const std::string text = ExpectedFile.substr(0, ExpectedFile.find("\"Mill Cost")) + c.millLines;
    ModelState m;
    ASSERT_EQ(readStg(m, text), SettingsRead::Read);
    EXPECT_EQ(m.settings.units.millCostChoice, c.costChoice) << c.millLines;
  }
}

// A diet count outside the tables, or an implausible value, refuses the file naming what is
// wrong, and nothing of it is read.
TEST_F(SettingsFiles, ADietCountOutsideTheTablesOrAnImplausibleValueIsRefused) {
  struct Case {
    std::string from, to, problem;
  };
  std::vector<Case> cases{
      {"0.5\r\n1.25", "1e100\r\n1.25",
       "cannot be right at line 15: the feed weight (kg per bird) 1E+100 is outside 0 to 50"},
      {" 7 \t20\r\n", " 7 \t" + std::string(1'000'000, ' ') + "1e308\r\n",
       "cannot be right at line 31: the temperature 1E+308 is outside -30 to 60"}};
  for (const char* count : {" 7 ", " 0 ", "-1", "abc", " 40000 "})
    cases.push_back({"\r\n 3 \r\n", std::string("\r\n") + count + "\r\n", "gives \"No of Diets\" as "});
  for (const Case& c : cases) {
    ModelState m;
    m.inputs.modelSex = 2;
    m.inputs.dietCount = 4;
    m.inputs.weekTemp[7] = 18;
    ScriptedDialogs refused;
    refused.expectMessage("");
    EXPECT_EQ(readSettingsFile(m, writeStg(replaced(ExpectedFile, c.from, c.to)), refused), SettingsRead::Refused)
        << c.problem;
    ASSERT_EQ(refused.shown().size(), 1u);
    const std::string& shown = refused.shown()[0];
    EXPECT_EQ(shown.rfind("The settings file " + (dir / "Loc.stg").string() + " " + c.problem, 0), 0u) << shown;
    EXPECT_EQ(m.inputs.modelSex, 2);  // nothing read
    EXPECT_EQ(m.inputs.dietCount, 4);
    EXPECT_EQ(m.inputs.weekTemp[7], 18);
  }
}

}  // namespace
}  // namespace plumetra
