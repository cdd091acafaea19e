#pragma once
// The main window's controls that show the workspace and the last analysis: the chosen sex,
// the data file, the flocks' averages and which commands are ready.

#include "controls/main_window_controls.h"
#include "state/app_state.h"

namespace plumetra {

// The run button turns green once this many workbooks were opened (flocks and diets), until
// the flocks are analysed.
inline constexpr int WorkbooksForReady = 2;
inline constexpr Rgb AnalysisReady{128, 255, 128};

void showWorkspace(const AppState& state, MainWindowControls& window);

}  // namespace plumetra
