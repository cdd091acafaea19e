#include "calibration/calibration_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "calibration/predict_file.h"
#include "tests/calibration/calibration_fixture.h"
#include "files/free_format.h"
#include "controls/scripted_dialogs.h"

using namespace plumetra;
using plumetra::calibration_test::TempFolder;

namespace {

// A male flock with four diet phases, weight unit Pounds, cost unit 2.
ModelState storedModel(CalibrationRecord& record) {
  ModelState m;
  m.inputs.modelSex = 1;
  m.inputs.dietCount = 4;
  m.inputs.fatCurve[1].A = 0.170893;
  m.inputs.fatCurve[2].A = 0.22;
  m.settings.dietChangeAge[1] = {0, 0, 10.04, 21.46, 35};  // written to one decimal: 10, 21.5
  m.inputs.feedAllotment = {5.0, 0.25, 1.2, 2.5, 1.05};
  m.inputs.refEnergy[1] = {0, 3000, 3100, 3150.5, 3200};
  m.settings.units.weightChoice = 1;
  m.settings.units.costChoice = 2;
  for (int w = 1; w <= 15; ++w) m.inputs.weekTemp[w] = w <= 10 ? 34 - 1.5 * w : 19;
  m.settings.maleBreed = 12;
  m.settings.femaleBreed = 13;
  m.settings.breedCompAdjust[13] = 0.128;
  const double male[] = {43.5, 0.85, 5.2, 0.0675, 0.1234};
  const double female[] = {41, 0.84, 5.1, 0.07, 0.131};
  for (int k = 0; k < 5; ++k) {
    record(1, 1, k) = male[k];
    record(1, 2, k) = female[k];
  }
  return m;
}

}  // namespace

TEST(CalibrationFile, FarmTopIsWrittenByteForByte) {
  CalibrationRecord record;
  const ModelState m = storedModel(record);
  // The choice labels (15 characters with their quotes) are padded to the print zone at
  // column 29: 13 blanks, then the number with its leading blank.
  const std::string expected =
      std::string("FarmTop.clb   \t\r\n") +
      "\"Amino Acid Values are Total (0) or Avail (1)\"\t 0 \r\n"
      "\t43.5\r\n\t0.85\r\n\t5.2\r\n\t0.0675\r\n"
      " 0.170893 \r\n"
      "\t41\r\n\t0.84\r\n\t5.1\r\n\t0.07\r\n"
      " 0.22 \r\n"
      "\"No of Diets\"\t 4 \r\n"
      "\"Change on Age(0) or Wt (1)\"\t 1 \r\n"
      "\"Change Age, days\"\t0\t10\t21.5\t35 \r\n"
      "\"Change wt, kg\"\t0.25\t1.2\t2.5\t1.05 \r\n"
      "\"ENERGY\"\t3000\t3100\t3150.5\t3200 \r\n"
      "\"F E correction, Male\"\t0.1234\r\n"
      "\"F E correction, Female\"\t0.1310\r\n"
      "\"Energy Choice\"" + std::string(13, ' ') + " 0 \r\n"
      "\"Weight Choice\"" + std::string(13, ' ') + " 1 \r\n"
      "\"Cost Choice\"  2 \r\n"
      " 1 \t32.5\r\n 2 \t31\r\n 3 \t29.5\r\n 4 \t28\r\n 5 \t26.5\r\n"
      " 6 \t25\r\n 7 \t23.5\r\n 8 \t22\r\n 9 \t20.5\r\n 10 \t19\r\n"
      " 11 \t19\r\n 12 \t19\r\n 13 \t19\r\n 14 \t19\r\n 15 \t19\r\n"
      " 12 \t 13 \r\n"
      " 0 \t 0.128 \r\n"
      "0\r\n";
  EXPECT_EQ(calibrationFileText(m, record, 1, "FarmTop.clb"), expected);
}

TEST(CalibrationFile, ReadsBackIntoTheModel) {
  CalibrationRecord record;
  const ModelState written = storedModel(record);
  TempFolder folder;
  ASSERT_TRUE(writeCalibrationFile(written, record, 1, folder.path(), "FarmTop"));

  ModelState m;
  m.inputs.fatCurve[2].A = 0.26;  // a traditional breed's set in force stays in force
  ScriptedDialogs dialogs;
  ASSERT_EQ(readCalibrationFile(m, folder.path() / "FarmTop.clb", dialogs), CalibrationRead::Read);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(m.inputs.dietCount, 4);
  EXPECT_EQ(m.settings.femaleBreed, 13);
  EXPECT_DOUBLE_EQ(m.inputs.growthParams[2][3], 0.07);
  EXPECT_DOUBLE_EQ(m.inputs.hatchWeight[1], 43.5);  // the hatch weights start the curves
  EXPECT_DOUBLE_EQ(m.inputs.hatchWeight[2], 41);
  for (int s = 0; s < 3; ++s) EXPECT_DOUBLE_EQ(m.inputs.refEnergy[s][3], 3150.5);
  EXPECT_DOUBLE_EQ(m.inputs.feCorrection[2], 0.131);
  EXPECT_DOUBLE_EQ(m.settings.breedCompAdjust[7], 0.125);
  EXPECT_DOUBLE_EQ(m.inputs.fatCurve[2].A, 0.26);
}

TEST(CalibrationFile, AnUnusableFileIsReportedAndChangesNothing) {
  CalibrationRecord record;
  const std::string good = calibrationFileText(storedModel(record), record, 1, "x.clb");
  TempFolder folder;
  struct Case {
    std::string name, contents;
  };
  std::string nine = good;
  nine.replace(nine.find("\t 4 \r\n"), 6, "\t 9 \r\n");
  for (const Case& c : {Case{"short", good.substr(0, good.size() / 2)}, Case{"nine", nine}, Case{"empty", ""}}) {
    const auto path = folder.path() / (c.name + ".clb");
    ASSERT_TRUE(writeFileAtomically(path, c.contents));
    ModelState m;
    ScriptedDialogs dialogs;
    dialogs.expectMessage("");
    EXPECT_EQ(readCalibrationFile(m, path, dialogs), CalibrationRead::Refused) << c.name;
    EXPECT_TRUE(dialogs.finished()) << c.name;
    EXPECT_EQ(m.inputs.growthParams[1][0] + m.inputs.dietCount, 0) << c.name;
  }
  ModelState m;
  ScriptedDialogs quiet;
  EXPECT_EQ(readCalibrationFile(m, folder.path() / "none.clb", quiet), CalibrationRead::Missing);
}

TEST(GroupSummaryFile, MaleFlockInPounds) {
  UnitSettings units;
  units.weightChoice = 1;
  const GroupSummary summary{1, 2.5, "1.65", "42.3", 4};
  // 2.5 kg is 5.5125 lb.
  EXPECT_EQ(groupSummaryText(summary, units), " 1 \r\n 5.5125 \r\n1.65\r\n42.3\r\n 4 \r\n0\r\n");
}

TEST(PredictFile, RoundTripAndShortFile) {
  CalibrationRecord record;
  constexpr double plausible[] = {40, 1.2, 4.5, 0.05, 0.1};  // hatch weight .. F E correction
  for (int g = 1; g <= 3; ++g)
    for (int s = 1; s <= 2; ++s)
      for (int k = 0; k < 5; ++k) record(g, s, k) = plausible[k] + g * 0.01 + s * 0.001;
  TempFolder folder;
  ASSERT_TRUE(writePredictFile(record, folder.path()));
  CalibrationRecord back;
  EXPECT_EQ(readPredictFile(back, folder.path() / PredictFileName), PredictRead::Read);
  for (int g = 1; g <= 3; ++g)
    for (int s = 1; s <= 2; ++s)
      for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(back(g, s, k), record(g, s, k));

  const std::string text = predictFileText(record);
  ASSERT_TRUE(writeFileAtomically(folder.path() / "short.txt", text.substr(0, text.size() - 20)));
  CalibrationRecord untouched;
  EXPECT_EQ(readPredictFile(untouched, folder.path() / "short.txt"), PredictRead::Short);
  EXPECT_EQ(untouched(3, 1, 0), 0);
  EXPECT_EQ(readPredictFile(untouched, folder.path() / "none.txt"), PredictRead::Missing);
}

TEST(PredictFile, DecimalCommaOrImplausibleValueRefusedWithItsLine) {
  TempFolder folder;
  const auto predict = [&](const std::string& text) {
    EXPECT_TRUE(writeFileAtomically(folder.path() / PredictFileName, text));
    CalibrationRecord untouched;
    std::string problem;
    const PredictRead read = readPredictFile(untouched, folder.path() / PredictFileName, &problem);
    if (read != PredictRead::Read) {
      EXPECT_EQ(untouched(1, 1, 0), 0);  // a refused file changes nothing
    }
    return std::make_pair(read, problem);
  };
  const std::string good = " 40 , 1.2 , 4.5 , 0.05 , 0.1 \r\n";
  const std::string groups = "\"Bottom\"\r\n" + good + good + "\"Middle\"\r\n" + good + good + "\"Top\"\r\n";
  EXPECT_EQ(predict(groups + good + " 40 , 1,2 , 4.5 , 0.05 , 0.1 \r\n"),
            std::make_pair(PredictRead::Implausible, std::string("line 9: more than five numbers (was a decimal comma written?)")));
  EXPECT_EQ(predict(groups + good + " 1e100 , 1.2 , 4.5 , 0.05 , 0.1 \r\n"),
            std::make_pair(PredictRead::Implausible, std::string("line 9: the hatch weight (g) 1E+100 is outside 5 to 100")));
  // A group that was not calibrated holds zeros.
  EXPECT_EQ(predict(groups + good + " 0 , 0 , 0 , 0 , 0 \r\n").first, PredictRead::Read);
}

TEST(CalibrationFile, ValuesWrittenWithADecimalCommaReadAsWell) {
  CalibrationRecord record;
  std::string text = calibrationFileText(storedModel(record), record, 1, "x.clb");
  for (const auto& [from, to] : {std::pair{"\t43.5\r\n", "\t43,5\r\n"}, std::pair{"\t0.0675\r\n", "\t0,0675\r\n"},
                                 std::pair{" 0.170893 ", " 0,170893 "}}) {
    ASSERT_NE(text.find(from), std::string::npos) << from;
    text.replace(text.find(from), std::string(from).size(), to);
  }
  const auto values = parseCalibrationFile(text);
  ASSERT_TRUE(values);
  EXPECT_DOUBLE_EQ(values->params[1][0], 43.5);
  EXPECT_DOUBLE_EQ(values->params[1][3], 0.0675);
  EXPECT_DOUBLE_EQ(values->params[2][0], 41);  // the lines after are not shifted
}

// Every value the reader takes, made non-finite, out of its range or cut off, is refused with
// the file's line named. {line (1-based), field of the line, a value beyond its range}.
TEST(CalibrationFile, EachFieldNonFiniteOutOfRangeOrTruncatedIsRefusedWithItsLine) {
  CalibrationRecord record;
  const std::string good = calibrationFileText(storedModel(record), record, 1, "x.clb");
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < good.size();) {
    const std::size_t end = good.find("\r\n", start);
    lines.push_back(good.substr(start, end - start));
    start = end + 2;
  }
  struct Field {
    int line, field;
    std::string beyond;
  };
  const std::vector<Field> fields{
      {2, 0, "2"},     {3, 0, "1e300"}, {4, 0, "9"},   {5, 0, "40"},  {6, 0, "3"},   {7, 0, "1.5"},
      {8, 0, "0"},     {9, 0, "-1"},    {10, 0, "13"}, {11, 0, "2"},  {12, 0, "-0.1"}, {13, 0, "7"},
      {15, 2, "101"},  {16, 1, "-2"},   {17, 3, "-5"}, {18, 0, "0.3"}, {19, 0, "-0.26"}, {20, 0, "5"},
      {21, 0, "3"},    {22, 0, "5"},    {23, 1, "99"}, {37, 0, "16"}, {38, 0, "36"},  {38, 1, "-1"}};
  // Replaces number `field` of a line (a leading quoted label holds none).
  const auto withValue = [&](const Field& f, const std::string& value) {
    std::vector<std::string> changed = lines;
    std::string& line = changed[static_cast<std::size_t>(f.line - 1)];
    const std::ptrdiff_t label = line.front() == '"' ? static_cast<std::ptrdiff_t>(line.find('"', 1)) + 1 : 0;
    const std::regex number("[-+.0-9eE]+");
    auto it = std::sregex_iterator(line.cbegin() + label, line.cend(), number);
    std::advance(it, f.field);
    line.replace(static_cast<std::size_t>(label + it->position()), static_cast<std::size_t>(it->length()), value);
    std::string text;
    for (const auto& l : changed) text += l + "\r\n";
    return text;
  };
  for (const Field& f : fields) {
    const std::string where = "line " + std::to_string(f.line) + ":";
    for (const std::string& bad : {std::string("nan"), std::string("inf"), f.beyond, std::string("abc")}) {
      std::string problem;
      EXPECT_FALSE(parseCalibrationFile(withValue(f, bad), &problem).has_value()) << f.line << " " << bad;
      EXPECT_EQ(problem.rfind(where, 0), 0u) << problem;
    }
    std::string cut;
    for (int l = 0; l < f.line - 1; ++l) cut += lines[static_cast<std::size_t>(l)] + "\r\n";
    std::string problem;
    EXPECT_FALSE(parseCalibrationFile(cut, &problem).has_value()) << "cut before line " << f.line;
    EXPECT_NE(problem.find("line " + std::to_string(f.line)), std::string::npos) << problem;
  }
}
