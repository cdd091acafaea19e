#pragma once
// The whole state of one main window: every table of the program and the state of the
// main window's controls. Plain data; the commands take it by reference.

#include "analysis/analysis_state.h"
#include "calibration/calibration_record.h"
#include "model/model_state.h"
#include "workspace/workspace_state.h"

namespace plumetra {

struct AppState {
  Workspace workspace;        // flock and diet tables, Data IDs, the main window's grids and controls
  ModelState model;           // the growth model's inputs and results
  AnalysisState analysis;     // split groups, column statistics, sort state
  CalibrationRecord calibration;  // calibrated growth parameters per group and sex
};

}  // namespace plumetra
