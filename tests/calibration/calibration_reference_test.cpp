// Group calibrations against stored results, bit for bit: the search, its gradient runs and the
// final adjustment all go through growth runs, so any change of a result bit in the model or
// the search shows here. The stored values are what the calibration gave when they were
// recorded (last after the hatch-weight bounds and the final adjustment's tighter stop).

#include "calibration/bird_calibration.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "calibration/calibration_record.h"
#include "tests/calibration/calibration_fixture.h"
#include "controls/scripted_dialogs.h"

using namespace plumetra;
using plumetra::calibration_test::runnableModel;

namespace {

std::string exact(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%a", value);
  return text;
}

// The fitted growth parameters and corrections, the search's bookkeeping and the last run.
std::vector<std::string> calibrated(int sex, const GroupTargets& targets) {
  ModelState m = runnableModel(sex);
  ScriptedDialogs dialogs;
  const GroupCalibration result = calibrateGroup(m, targets, dialogs, {.threads = 1});
  std::vector<std::string> out{std::to_string(static_cast<int>(result.end)), std::to_string(result.failed),
                               std::to_string(result.work.evaluations)};
  for (int s = 1; s <= 2; ++s) {
    for (int r = 0; r < 4; ++r) out.push_back(exact(m.inputs.growthParams[s][r]));
    out.push_back(exact(m.inputs.feCorrection[s]));
    out.push_back(exact(result.work.best[s]));
  }
  out.push_back(exact(m.results.finalAge));
  out.push_back(exact(m.results.finalFeedConversion));
  return out;
}

TEST(CalibrationReference, GroupsCalibrateToTheStoredResultsBitForBit) {
  // end, failed, evaluations; male W0, b, L, k, F E, best; female the same; final age and conversion.
  const std::vector<std::string> mixed{
      "0", "1", "2045", "0x1.521e83e425aedp+5", "0x1.b525460aa64c3p-1", "0x1.58095797968a1p+2",
      "0x1.14e3bcd35a856p-4", "0x1.798fe5d97913cp-3", "0x1.40ce4abe69f8ep+15",
      "0x1.3525349946ba1p+5", "0x1.877755e8193bcp-1", "0x1.44480abd338ffp+2", "0x1.6313a9c0a08p-4",
      "0x1.798fe5d97913cp-3", "0x1.59c32eced74dap+7", "0x1.22ef268e1062dp+5",
      "0x1.9e39b930895e4p+0"};
  const std::vector<std::string> female{
      "0", "0", "1491", "0x1.521e83e425aeep+5", "0x1.b525460aa64c3p-1", "0x1.59612197f8035p+2",
      "0x1.14e3bcd35a858p-4", "0x1.04ceb48c51fabp-3", "0x1.8ced255a1b645p+15",
      "0x1.37c3ef1127e2fp+5", "0x1.60dcfadb9eb66p-1", "0x1.4ba8a89ed1a3dp+2",
      "0x1.a97e132b55ef2p-4", "0x1.6b83bf9b79b6p-3", "0x1.5eed59ab53261p+10",
      "0x1.2a81cbb026605p+5", "0x1.b5493f093ed1ap+0"};
  EXPECT_EQ(calibrated(0, {2.45, 40.5, 1.62, GroupMiddle, 0}), mixed);
  EXPECT_EQ(calibrated(2, {1.95, 37.2, 1.71, GroupTop, 2}), female);
}

}  // namespace
