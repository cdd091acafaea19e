// The main window's load leaves every table and control in its start-up state.

#include "state/startup.h"

#include <gtest/gtest.h>

#include <memory>

#include "views/scripted_dialogs.h"

namespace plumetra {
namespace {

TEST(FormLoad, StartUpState) {
  auto state = std::make_unique<AppState>();
  state->analysis.FirstSortDone = true;
  ScriptedDialogs dialogs;
  FormLoad(*state, PLUMETRA_SOURCE_DIR, dialogs);
  const Workspace& ws = state->workspace;
  EXPECT_EQ(ws.AppDir, std::filesystem::path(PLUMETRA_SOURCE_DIR));
  EXPECT_EQ(ws.LastDir, ws.AppDir);
  EXPECT_EQ(ws.ComboFlockSex.index, -1);  // the analysis asks for a sex until one is chosen
  EXPECT_EQ(ws.gridflockin.rows(), 201);
  EXPECT_FALSE(state->analysis.FirstSortDone);
  EXPECT_GT(state->model.BreedCount, 0);  // the breed list is loaded (built-in when no file)
  EXPECT_EQ(ws.TextHigh.text, "20");
}

}  // namespace
}  // namespace plumetra
