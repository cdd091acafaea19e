#include "presenters/main_window_presenter.h"

#include <gtest/gtest.h>

#include "analysis/analysis_colours.h"

using namespace plumetra;

namespace {

MainWindowControls shown(const AppState& state) {
  MainWindowControls window;
  showWorkspace(state, window);
  return window;
}

}  // namespace

// The chosen sex and the getting-started button follow the workspace. The averages, the outlier
// offer and the commands that need a run belong to the data set that was analysed: a new data
// set shows none of them.
TEST(MainWindowPresenter, ShowsTheSexTheRunOnlyWithItsOwnDataSetAndAWaitingSecondSort) {
  AppState state;
  MainWindowControls window = shown(state);
  EXPECT_EQ(window.flockSexChoice.text, "Not set: choose");
  EXPECT_TRUE(window.gettingStartedButton.visible);
  state.workspace.workbookCount = WorkbooksForReady;
  state.workspace.chosenSex = 2;
  window = shown(state);
  EXPECT_EQ(window.flockSexChoice.text, "Females");
  EXPECT_FALSE(window.gettingStartedButton.visible);  // once the data are in
  EXPECT_EQ(window.analyseButton.background, AnalysisReady);
  EXPECT_FALSE(window.calibrateButton.enabled);
  EXPECT_TRUE(window.averageWeightBox.text.empty());

  AnalysisState& st = state.analysis;
  st.dataSetNumber = state.workspace.dataSetNumber = 3;
  st.splitFlockCount = 12;
  st.averageLiveWeightKg = 2.2764;
  st.averageConversion = 1.6;
  st.outliersOffered = true;
  state.analysisResult = AnalysisResult{3, {}, {}, {}};
  window = shown(state);
  EXPECT_EQ(window.averageWeightBox.text, "2.276");
  EXPECT_EQ(window.averageConversionBox.text, "1.600");
  EXPECT_TRUE(window.outlierButton.visible && window.outlierButton.enabled && window.calibrateButton.enabled);
  EXPECT_EQ(window.outlierButton.background, analysis_colours::OutlierSearch);
  EXPECT_FALSE(window.recordButton.visible);
  EXPECT_EQ(window.analyseButton.background, colours::ButtonFace);

  ++state.workspace.dataSetNumber;
  window = shown(state);
  EXPECT_TRUE(window.averageWeightBox.text.empty());
  EXPECT_FALSE(window.outlierButton.visible || window.calibrateButton.enabled);
  EXPECT_TRUE(window.recordButton.visible);

  // "Start Second Sort" is offered once a second-sort column is chosen and lit while a sort waits.
  EXPECT_FALSE(window.startSecondSortButton.enabled);
  EXPECT_EQ(window.startSecondSortButton.background, colours::ButtonFace);
  state.analysis.secondSortOffered = state.analysis.secondSortReady = true;
  window = shown(state);
  EXPECT_TRUE(window.startSecondSortButton.enabled);
  EXPECT_EQ(window.startSecondSortButton.background, analysis_colours::SortReady);
}
