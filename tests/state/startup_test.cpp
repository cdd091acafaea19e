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
  EXPECT_EQ(ws.Cmb1.index, 0);
  EXPECT_EQ(ws.Combo2.items.size(), 10u);
  EXPECT_EQ(ws.FarmOrder[5][1], 4);
  EXPECT_EQ(ws.SSTab1.current, 0);
  EXPECT_EQ(ws.ComboFlockSex.items, (std::vector<std::string>{"Mixed", "Males", "Females"}));
  EXPECT_EQ(ws.ComboFlockSex.index, -1);  // the analysis asks for a sex until one is chosen
  EXPECT_FALSE(ws.Command1.enabled);
  EXPECT_TRUE(ws.Command2.enabled);
  EXPECT_FALSE(ws.Command6.visible);
  EXPECT_FALSE(ws.Command6.enabled);
  EXPECT_FALSE(ws.CmdSort.enabled);
  EXPECT_EQ(ws.TextWt.background, (Rgb{230, 238, 230}));
  EXPECT_EQ(ws.TextAge.background, (Rgb{230, 238, 230}));
  EXPECT_EQ(ws.GridanalFontSize, 8);
  EXPECT_EQ(ws.gridflockin.rows(), 201);
  EXPECT_EQ(ws.gridflockin.fixedRows(), 1);
  EXPECT_EQ(ws.GridDiets.rows(), 10);
  EXPECT_EQ(ws.GridDiets.cols(), 30);
  EXPECT_FALSE(state->analysis.FirstSortDone);
  EXPECT_GT(state->model.BreedCount, 0);  // the breed list is loaded (built-in when no file)
  EXPECT_EQ(ws.FileDialogTitle, "*****  Select a Location to Start  *****");
  EXPECT_EQ(ws.TextHigh.text, "20");
  EXPECT_EQ(ws.TextMed.text, "60");
  EXPECT_EQ(ws.TextLow.text, "20");
}

}  // namespace
}  // namespace plumetra
