#include "calibration/split_calibration.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "calibration/predict_file.h"
#include "tests/calibration/calibration_fixture.h"
#include "views/free_format.h"
#include "views/number_format.h"
#include "views/scripted_dialogs.h"

using namespace plumetra;
using plumetra::calibration_test::AnalysedFlocks;
using plumetra::calibration_test::analysedFlocks;
using plumetra::calibration_test::runnableModel;
using plumetra::calibration_test::TempFolder;

namespace {

std::vector<std::string> lines(const std::filesystem::path& path) {
  std::vector<std::string> out;
  FreeFormatReader in(readTextFile(path).value_or(""));
  while (auto line = in.line()) out.push_back(*line);
  return out;
}

// Records the calibrate button's colour whenever the command reports progress (each step
// that repaints the window), answering everything else from a script.
class ColourWatch final : public Dialogs {
 public:
  ColourWatch(ScriptedDialogs& script, const Button& button) : script_(script), button_(button) {}
  void message(const std::string& text, const std::string& title) override { script_.message(text, title); }
  bool yesNo(const std::string& text, const std::string& title) override { return script_.yesNo(text, title); }
  std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) override {
    return script_.input(prompt, title, defaultText);
  }
  std::optional<std::filesystem::path> openFile(const FileDialogRequest& r) override { return script_.openFile(r); }
  std::optional<std::filesystem::path> saveFile(const FileDialogRequest& r) override { return script_.saveFile(r); }
  void busy(bool on) override { script_.busy(on); }
  bool progress(const std::string&, double) override {
    colours.push_back(button_.background);
    return true;
  }
  std::vector<Rgb> colours;

 private:
  ScriptedDialogs& script_;
  const Button& button_;
};

}  // namespace

TEST(Command1, StopsWithItsMessageAndWritesNothing) {
  struct Case {
    const char* name;
    std::function<void(AnalysedFlocks&, ScriptedDialogs&)> setUp;
  };
  const std::vector<Case> cases{
      {"no analysis run",
       [](AnalysedFlocks& a, ScriptedDialogs& d) {
         const std::filesystem::path folder = a.ws.LastDir;
         a.ws = Workspace{};
         a.ws.LastDir = folder;
         d.expectMessage(kNoAnalysisText);
       }},
      {"no male breed: general, then an empty name ends",
       [](AnalysedFlocks& a, ScriptedDialogs& d) {
         a.model.MaleBreed = -1;
         a.ws.Command1.background = calibration_colours::Bottom;
         d.expectMessage(kSetBreedsText).expectInput(kBaseNamePrompt, "");
       }},
      {"model not set up: ask for the flock sex",
       [](AnalysedFlocks& a, ScriptedDialogs& d) {
         a.model.GrowthParams[1][kParamB] = 0;
         a.ws.ComboFlockSex.choose(-1);
         d.expectInput(kBaseNamePrompt, "Farm").expectMessage(kSetFlockSexText);
       }},
      {"mixed flock without a female hatch weight",
       [](AnalysedFlocks& a, ScriptedDialogs& d) {
         a.ws.ComboFlockSex.choose(0);
         a.model.BreedTable[12][2][kParamW0] = 0;
         d.expectInput(kBaseNamePrompt, "Farm").expectMessage(kCalibrationDataMissingText);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    AnalysedFlocks a = analysedFlocks(folder.path);
    CalibrationRecord record;
    ScriptedDialogs dialogs;
    c.setUp(a, dialogs);
    const SplitCalibrationResult result = Command1_Click(a.ws, a.model, record, dialogs);
    EXPECT_TRUE(dialogs.finished());
    EXPECT_EQ(result.groupsStored, 0);
    EXPECT_FALSE(result.predictWritten);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path));
    EXPECT_GE(a.model.MaleBreed, 0);
    EXPECT_EQ(a.ws.Command1.background, colours::ButtonFace);
  }
}

TEST(Command1, CalibratesAndStoresTheThreeGroupsOfAMaleFlock) {
  TempFolder folder;
  AnalysedFlocks a = analysedFlocks(folder.path);
  CalibrationRecord record;
  ScriptedDialogs dialogs;
  dialogs.expectInput(kBaseNamePrompt, "Farm");
  ColourWatch watch(dialogs, a.ws.Command1);
  const SplitCalibrationResult result = Command1_Click(a.ws, a.model, record, watch);
  EXPECT_TRUE(dialogs.finished()) << (dialogs.shown().size() > 1 ? dialogs.shown()[1] : "");
  EXPECT_EQ(watch.colours, (std::vector<Rgb>{calibration_colours::Preparing, calibration_colours::Top,
                                             calibration_colours::Middle, calibration_colours::Bottom}));
  EXPECT_FALSE(dialogs.isBusy());
  EXPECT_EQ(result.groupsStored, 3);
  EXPECT_TRUE(result.predictWritten);
  EXPECT_EQ(record.ChosenSex, 1);
  EXPECT_EQ(record.BaseName, "Farm");
  EXPECT_TRUE(a.ws.Command7.visible);
  EXPECT_EQ(a.ws.Command1.background, colours::ButtonFace);

  for (const char* group : {"Top", "Middle", "Bottom"}) {
    for (const char* ext : {".clb", ".cal", ".stg", ".dts"})
      EXPECT_TRUE(std::filesystem::exists(folder.path / (std::string("Farm") + group + ext))) << group << ext;
    const auto cal = lines(folder.path / (std::string("Farm") + group + ".cal"));
    ASSERT_EQ(cal.size(), 6u);
    EXPECT_EQ(cal[0], " 1 ");
    EXPECT_EQ(cal[5], "0");
    const auto stg = lines(folder.path / (std::string("Farm") + group + ".stg"));
    ASSERT_GE(stg.size(), 3u);
    EXPECT_EQ(stg[2], "M");
    const auto clb = lines(folder.path / (std::string("Farm") + group + ".clb"));
    ASSERT_EQ(clb.size(), 40u);
    EXPECT_TRUE(clb[0].starts_with("Farm" + std::string(group) + ".clb")) << clb[0];
  }
  EXPECT_EQ(lines(folder.path / "FarmTop.clb")[0], "FarmTop.clb   \t");
  EXPECT_TRUE(std::filesystem::exists(folder.path / kPredictFileName));

  // Each group's record holds its calibration; the groups differ in F E correction.
  for (int g = 1; g <= 3; ++g) {
    EXPECT_GT(record(g, 1, kItemHatchWeight), 0) << g;
    EXPECT_GT(record(g, 1, kItemTimeExponent), 0) << g;
  }
  EXPECT_LT(record(1, 1, kItemFeCorrection), record(3, 1, kItemFeCorrection));
  // The model is left on the Bottom group's calibration.
  EXPECT_EQ(a.model.GrowthParams[1][kParamL], record(3, 1, kItemLogMaturity));
}
