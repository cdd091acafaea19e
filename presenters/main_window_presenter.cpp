#include "presenters/main_window_presenter.h"

#include "analysis/analysis_colours.h"
#include "controls/number_format.h"

namespace plumetra {

namespace {

constexpr char NoSexCaption[] = "Not set: choose";
constexpr char AverageFormat[] = "##.##0";

void showChosenSex(int sex, Combo& choice) {
  choice.choose(sex);
  if (choice.index < 0) choice.text = NoSexCaption;
}

}  // namespace

void showWorkspace(const AppState& state, MainWindowControls& window) {
  const Workspace& ws = state.workspace;
  const AnalysisState& st = state.analysis;
  showChosenSex(ws.chosenSex, window.flockSexChoice);
  window.dataFileBox.text = ws.dataFileName.empty() ? DataFileCaption : ws.dataFileName;
  window.gettingStartedButton.visible = ws.dataFileName.empty() && ws.workbookCount == 0;

  // The averages and the outliers belong to the data set they were found in.
  const bool counted = st.dataSetNumber == ws.dataSetNumber && st.splitFlockCount > 0;
  window.averageWeightBox.text = counted ? formatPlain(st.averageLiveWeightKg, AverageFormat) : "";
  window.averageConversionBox.text = counted ? formatPlain(st.averageConversion, AverageFormat) : "";
  window.outlierButton.visible = counted && st.outliersOffered;
  window.outlierButton.background = st.outliersOffered ? analysis_colours::OutlierSearch : colours::ButtonFace;
  window.startSecondSortButton.enabled = st.secondSortOffered;
  window.startSecondSortButton.background = st.secondSortReady ? analysis_colours::SortReady : colours::ButtonFace;

  const bool analysed = currentAnalysis(state) != nullptr;
  window.analyseButton.background =
      ws.workbookCount >= WorkbooksForReady && !analysed ? AnalysisReady : colours::ButtonFace;
  window.recordButton.visible = !analysed;
  window.calibrateButton.enabled = analysed;
  window.outlierButton.enabled = analysed;
}

}  // namespace plumetra
