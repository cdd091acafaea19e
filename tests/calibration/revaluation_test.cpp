#include "calibration/revaluation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <tuple>

#include "calibration/calibration_files.h"
#include "calibration/lower_cost_search.h"
#include "calibration/revaluation_file.h"
#include "model/growth_run.h"
#include "tests/calibration/calibration_fixture.h"
#include "files/free_format.h"
#include "controls/number_format.h"
#include "controls/scripted_dialogs.h"

using namespace plumetra;
using namespace plumetra::calibration_test;
namespace fs = std::filesystem;

namespace {

// Writes a set of three .clb files, base + Top/Middle/Bottom, with the calibration writer:
// the group calibrations of the fixture with hatch weights 41, 45 and 49 g.
CalibrationRecord writeSet(const fs::path& folder, const std::string& base) {
  const ModelState m = runnableModel();
  CalibrationRecord c = groupCalibrations(m);
  const std::array<const char*, 4> words{"", "Top", "Middle", "Bottom"};
  for (int g = 1; g <= 3; ++g) {
    for (int s = 1; s <= 2; ++s) c(g, s, ItemHatchWeight) += 1;
    EXPECT_TRUE(writeCalibrationFile(m, c, g, folder, base + words[g]));
  }
  return c;
}

}  // namespace

// Numbers beyond any grid row (found by fuzzing: 1.44444e+81 was cast to int) make their line
// unreadable, not the file.
TEST(RevaluationFileTest, RowNumbersBeyondAnyGridPassTheirLineOver) {
  const auto file = parseRevaluationFile(
      "Farm   2026-12-07\r\n"
      "FarmTop    1E+81          21 \r\n"
      " 1            1888          32.04         1.388         560.3         900\r\n"
      "FarmMiddle    2          21 \r\n"
      " 1E+10        1888          32.04         1.388         560.3         900\r\n"
      " 2            1900          33            1.4           561           901\r\n");
  ASSERT_TRUE(file);
  ASSERT_EQ(file->groups.size(), 1u);
  EXPECT_EQ(file->groups[0].name, "FarmMiddle");
  ASSERT_EQ(file->groups[0].flocks.size(), 1u);
  EXPECT_EQ(file->groups[0].flocks[0].row, 2);
}

TEST(RevaluationFileTest, WriterPrintsZonesAndReadsBackWhatItWrote) {
  RevaluationWriter w("Springfield", "2026-12-06");
  w.group("Farm2024Top", 3, 21);  // digits in the base name: the header is read from the line end
  w.flock(1, 2456.4, 38.25, 1.623, 412.3, 801.7);
  EXPECT_EQ(w.contents(),
            "Springfield   2026-12-06\r\n"
            "Farm2024Top    3             21 \r\n"
            " 1            2456          38.25         1.623         412.3         801.7\r\n");
  w.flock(2, 2301, 40, 1.71, 400, 790);
  w.group("Farm2024Middle", 4, 21);  // its list ended at once
  w.group("Farm2024Bottom", 120, 21);
  w.flock(8, 2100, 41.5, 1.8, 390, 780);
  const std::optional<RevaluationFile> f = parseRevaluationFile(w.contents());
  ASSERT_TRUE(f);
  EXPECT_EQ(f->location, "Springfield   2026-12-06");
  ASSERT_EQ(f->groups.size(), 3u);
  const RevaluedGroup& top = f->groups[0];
  EXPECT_EQ(std::tie(top.name, top.header, top.size, top.headerRow),
            std::tuple("Farm2024Top", "Farm2024Top    3             21", 3, 21));
  ASSERT_EQ(top.flocks.size(), 2u);
  const RevaluedFlock& first = top.flocks[0];
  EXPECT_EQ(first.row, 1);
  EXPECT_EQ((std::vector<double>{first.weight, first.age, first.feedConversion, first.weightDay14, first.weightDay21}),
            (std::vector<double>{2456, 38.25, 1.623, 412.3, 801.7}));
  EXPECT_EQ(f->groups[1].size, 4);
  EXPECT_TRUE(f->groups[1].flocks.empty());
  EXPECT_EQ(f->groups[2].size, 120);
  EXPECT_EQ(f->groups[2].flocks[0].row, 8);
  EXPECT_FALSE(parseRevaluationFile(""));
}

// ---- reading the calibration set -----------------------------------------------------------

TEST(ReadforRevalTest, ReadsTheThreeFilesOrLeavesTheRecordAlone) {
  TempFolder folder("set");
  const CalibrationRecord written = writeSet(folder.path(), "Farm");
  CalibrationRecord read;
  std::string top = (folder.path() / "FarmTop.clb").string();
  ASSERT_EQ(readForReval(top, read), RevalRead::Read);
  EXPECT_EQ(top, (folder.path() / "Farm").string());
  for (int g = 1; g <= 3; ++g)
    for (int s = 1; s <= 2; ++s)
      for (int k = 0; k <= ItemFeCorrection; ++k)
        EXPECT_NEAR(read(g, s, k), written(g, s, k), 1e-9 * std::fabs(written(g, s, k))) << g << s << k;

  const std::string other = calibrationFileText(runnableModel(), written, 1, "Farm.clb");
  writeFileAtomically(folder.path() / "Farm.clb", other);
  fs::create_directories(folder.path() / "Topfolder");
  writeFileAtomically(folder.path() / "Topfolder" / "Farm.clb", other);
  CalibrationRecord c;
  c(2, 1, 0) = 7;
  const CalibrationRecord before = c;
  for (const auto& [file, expected] : std::vector<std::pair<fs::path, RevalRead>>{
           {folder.path() / "Farm.clb", RevalRead::NoTop},
           {folder.path() / "Topfolder" / "Farm.clb", RevalRead::NoTop},
           {folder.path() / "GoneTop.clb", RevalRead::NoFile}}) {
    std::string name = file.string();
    EXPECT_EQ(readForReval(name, c), expected) << name;
    EXPECT_EQ(name, file.string());
    EXPECT_EQ(c.table, before.table);
  }
  // A set whose Middle file is cut short.
  writeFileAtomically(folder.path() / "FarmMiddle.clb", other.substr(0, other.find("\"F E correction, Female\"")));
  std::string name = (folder.path() / "FarmTop.clb").string();
  std::string problem;
  EXPECT_EQ(readForReval(name, c, &problem), RevalRead::Refused);
  EXPECT_NE(problem.find("FarmMiddle.clb"), std::string::npos);
  EXPECT_NE(problem.find("line 19"), std::string::npos) << problem;
  EXPECT_EQ(c.table, before.table);

  // A set without its Middle file (a failed group): the other groups are read, Middle is empty.
  fs::remove(folder.path() / "FarmMiddle.clb");
  ASSERT_EQ(readForReval(name, c, &problem), RevalRead::Read);
  EXPECT_TRUE(c.hasGroup(1) && c.hasGroup(3));
  EXPECT_FALSE(c.hasGroup(2));
  EXPECT_NE(problem.find("Middle"), std::string::npos) << problem;
}

// ---- the command ----------------------------------------------------------------------------

namespace {

// The same flock grown directly with group g's calibration (as `sex`): what the file should show.
double directWeight(const CalibrationRecord& calibration, int g, double lastPhase, int sex = 0) {
  ModelState m = runnableModel();
  prepareComposition(m);
  applyGroupCalibration(m, calibration, g);
  m.inputs.modelSex = sex;
  m.inputs.feedAllotment = {0, 0.5, 1.5, lastPhase};
  m.inputs.stop = RunStop::atFeed(2 + lastPhase);
  EXPECT_EQ(growFlock(m), GrowthRunEnd::TargetReached);
  return readNumber(formatNum(m.results.finalWeight));
}

// The command's inputs: the fixture's model and group calibrations (base name "Farm"), its diets
// entered, the sex chosen Mixed, the revaluation file's dialog cancelled (the calibrations in
// memory are used); the flocks are the test's own.
struct Revaluation {
  TempFolder folder;
  Workspace ws;
  ModelState model = runnableModel();
  SplitFlocks split;
  CalibrationRecord calibration = groupCalibrations(model);
  ScriptedDialogs dialogs;
  RevaluationContext context{ws, model, calibration, split, folder.path(), "2026-12-06"};

  explicit Revaluation(const std::string& name) : folder(name) {
    for (int p = 1; p <= 3; ++p) ws.diets.enteredDiets[p] = model.inputs.dietNutrients[p];
    ws.chosenSex = 0;
    calibration.baseName = "Farm";
    dialogs.expectOpenFile(RevalDialogTitle, "");
  }
  void addFlock(const SplitFlock& f) {
    split.flocks.push_back(f);
    ++split.sizes[static_cast<std::size_t>(f.group)];
  }
};

}  // namespace

// Nine flocks in groups of 3, 4 and 2, houses H1-H9, fed 0.5, 1.5 and 2 + 0.05 (n - 1) kg in
// three phases. The Middle group's third flock (H6) has no feed.
TEST(revalueButton, RevaluesEachGroupWithItsOwnCalibration) {
  Revaluation r("command");
  for (int n = 1; n <= 9; ++n) {
    SplitFlock f{.flock = n, .group = n <= 3 ? 1 : n <= 7 ? 2 : 3, .key = {"", "H" + std::to_string(n), n}};
    if (n != 6) f.intake = {0, .5, 1.5, 2 + 0.05 * (n - 1)};
    r.addFlock(f);
  }
  r.ws.locationFile = "Springfield";
  r.dialogs.expectMessage(
      "Flock 6 (house H6) of the Middle group has no feed intakes; it is skipped and the group goes on.");
  ASSERT_EQ(revalueFlocks(r.context, r.dialogs), RevalEnd::Done);
  EXPECT_EQ(r.context.written, r.folder.path() / "FarmRevaluage.txt");
  EXPECT_TRUE(r.dialogs.finished()) << (r.dialogs.failures().empty() ? "" : r.dialogs.failures()[0]);

  const auto text = readTextFile(r.folder.path() / "FarmRevaluage.txt");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->substr(0, 26), "Springfield   2026-12-06\r\n");
  const auto file = parseRevaluationFile(*text);
  ASSERT_TRUE(file);
  ASSERT_EQ(file->groups.size(), 3u);
  EXPECT_EQ(file->groups[1].name, "FarmMiddle");
  EXPECT_EQ(file->groups[1].size, 3);  // four flocks, one without feed: three lines
  ASSERT_EQ(file->groups[0].flocks.size(), 3u);
  ASSERT_EQ(file->groups[1].flocks.size(), 3u);  // the flock without feed skipped, the list goes on
  EXPECT_EQ(file->groups[1].flocks[2].row, 7);
  EXPECT_EQ(r.context.revalued, (std::array<int, 4>{0, 3, 3, 2}));
  ASSERT_EQ(file->groups[2].flocks.size(), 2u);
  EXPECT_EQ(file->groups[2].flocks[1].row, 9);  // the split's last flock

  EXPECT_EQ(file->groups[0].flocks[0].weight, directWeight(r.calibration, 1, 2.0));
  EXPECT_EQ(file->groups[1].flocks[1].weight, directWeight(r.calibration, 2, 2.20));
  EXPECT_EQ(file->groups[2].flocks[1].weight, directWeight(r.calibration, 3, 2.40));

  EXPECT_EQ(r.model.inputs.hatchWeight[1], 48);  // the Bottom calibration is left in force

  // revaluation.tsv: one row per revalued flock, joined to the records by its key.
  const Grid table = revaluedFlocksGrid(r.context.lines);
  ASSERT_EQ(table.rows(), 9);  // headings and the eight flocks with feed
  EXPECT_EQ(table.text(6, 1), "H7");
  EXPECT_EQ(table.text(6, 2), "7");
  EXPECT_EQ(table.text(6, 3), "Middle");
}

// With a Flock Sex column each flock is revalued as its own sex on its group's calibration; a
// flock whose cell named no sex as the sex chosen, which the model keeps afterwards.
TEST(revalueButton, EachFlockIsRevaluedAsItsOwnSex) {
  Revaluation r("own_sex");
  r.split.sexColumn = true;
  const std::optional<int> sexes[] = {1, 2, std::nullopt};
  for (int n = 1; n <= 3; ++n)
    r.addFlock({.flock = n, .group = 1, .key = {"", "H" + std::to_string(n), n}, .intake = {0, .5, 1.5, 2.0},
                .sex = sexes[n - 1]});
  ASSERT_EQ(revalueFlocks(r.context, r.dialogs), RevalEnd::Done);
  EXPECT_TRUE(r.dialogs.finished());
  ASSERT_EQ(r.context.lines.size(), 3u);
  const auto shown = [&](std::size_t i) { return readNumber(formatNum(r.context.lines[i].weight)); };
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_EQ(shown(i), directWeight(r.calibration, 1, 2.0, sexes[i].value_or(0))) << i;
  EXPECT_EQ(r.model.inputs.modelSex, 0);
}
