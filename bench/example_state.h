#pragma once
// The bundled example as the benchmarks start from it: flocks loaded with the example diet
// file (which carries the feed costs), columns matched by their headings, flock sex mixed;
// and the same after one analysis run. The flock table is copied into the scratch folder first:
// the analysis writes its ".lst" file beside the table.

#include "analysis/analysis_run.h"
#include "state/app_state.h"
#include "state/load_inputs.h"
#include "state/startup.h"
#include "bench/scratch_folder.h"
#include "controls/batch_dialogs.h"

#include <filesystem>
#include <memory>
#include <sstream>

namespace plumetra::bench {

inline const std::filesystem::path Root = PLUMETRA_SOURCE_DIR;

inline std::unique_ptr<AppState> loadedExample(const std::filesystem::path& flocks = Root / "examples" /
                                                                                      "flocks.csv") {
  auto s = std::make_unique<AppState>();
  std::ostringstream quiet;
  BatchDialogs dialogs(quiet);
  startUp(*s, Root / "data", dialogs);
  LoadInputsOptions inputs;
  inputs.flocks = scratchFolder() / flocks.filename();
  if (inputs.flocks != flocks)
    std::filesystem::copy_file(flocks, inputs.flocks, std::filesystem::copy_options::overwrite_existing);
  inputs.diets = Root / "examples" / "diets.dts";
  inputs.listFile = std::filesystem::path();  // match by headings, whatever list lies beside the file
  inputs.autoMatch = true;
  loadInputs(*s, inputs, dialogs);
  s->workspace.chosenSex = 0;
  return s;
}

// The example after one analysis run, made anew (a benchmark that changes it takes a copy).
inline std::unique_ptr<AppState> analysedExample() {
  auto s = loadedExample();
  std::ostringstream quiet;
  BatchDialogs dialogs(quiet);
  s->analysisResult = runAnalysis(s->workspace, s->model, s->analysis, dialogs);
  return s;
}

}  // namespace plumetra::bench
