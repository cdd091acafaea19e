#pragma once
// A flock file loaded with the example diets, matched by its headings and analysed as the command
// line does it; no Data ID list is read or written.

#include <filesystem>

#include "analysis/analysis_batch.h"
#include "state/load_inputs.h"
#include "state/startup.h"

namespace plumetra::testing {

inline const std::filesystem::path ExampleFolder = std::filesystem::path(PLUMETRA_SOURCE_DIR) / "examples";

inline LoadInputsOptions fileInputs(const std::filesystem::path& flocks) {
  LoadInputsOptions options;
  options.flocks = flocks;
  options.diets = ExampleFolder / "diets.dts";
  options.listFile = std::filesystem::path();
  options.listFileTarget = std::filesystem::path();
  options.autoMatch = true;
  return options;
}

// The analysis of mixed flocks, first sorted by `sortHeading` when one is given.
inline AnalysisSettings mixedFlocks(const std::string& sortHeading = {}) {
  AnalysisSettings settings;
  settings.sex = 0;
  settings.sortHeading = sortHeading;
  return settings;
}

// Starts the program, loads `flocks` and runs the analysis; the state keeps its result. A load
// that fails gives an outcome without a result.
inline AnalysisOutcome analyseFile(AppState& state, const std::filesystem::path& flocks, Dialogs& dialogs,
                                   const AnalysisSettings& settings = mixedFlocks()) {
  startUp(state, std::filesystem::path(PLUMETRA_SOURCE_DIR) / "data", dialogs);
  if (!loadInputs(state, fileInputs(flocks), dialogs).ok) return {};
  AnalysisOutcome outcome = runAnalysis(state.workspace, state.model, state.analysis, settings, dialogs);
  state.analysisResult = outcome.result;
  return outcome;
}

}  // namespace plumetra::testing
