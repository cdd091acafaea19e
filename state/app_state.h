#pragma once
// The whole state of one main window: every table of the program and the state of the
// main window's controls. Plain data; the commands take it by reference.

#include <optional>

#include "analysis/analysis_result.h"
#include "analysis/analysis_state.h"
#include "calibration/calibration_record.h"
#include "controls/main_window_controls.h"
#include "model/model_state.h"
#include "workspace/workspace_state.h"

namespace plumetra {

struct AppState {
  Workspace workspace;        // flock and diet tables, Data IDs, the grids, the chosen sex and files
  MainWindowControls window;  // the main window's buttons, boxes, labels and lists
  ModelState model;           // the growth model's inputs and results
  AnalysisState analysis;     // split groups, column statistics, sort state
  CalibrationRecord calibration;  // calibrated growth parameters per group and sex
  std::optional<AnalysisResult> analysisResult;  // the last analysis run's; none after a stopped run
};

// The last run's result when it belongs to the data set now loaded; nullptr when there is none
// or it was made from an earlier file, sheet or paste.
inline const AnalysisResult* currentAnalysis(const AppState& state) {
  const auto& result = state.analysisResult;
  return result && result->dataSetNumber == state.workspace.dataSetNumber ? &*result : nullptr;
}

// The current result, or one without flocks (and the split as last typed) when there is none:
// what a command after the run reads, so that it finds no flocks rather than an earlier file's.
inline AnalysisResult analysedFlocks(const AppState& state) {
  if (const AnalysisResult* result = currentAnalysis(state)) return *result;
  return AnalysisResult{state.workspace.dataSetNumber, state.analysis.splitPercent, {}, {}};
}

}  // namespace plumetra
