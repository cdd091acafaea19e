#pragma once
// The input options every command that reads flock and diet tables shares (import, analyze
// and the commands that analyse first), and the start of such a command's state.

#include "cli/model_options.h"
#include "state/app_state.h"
#include "state/load_inputs.h"
#include "controls/batch_dialogs.h"

#include <filesystem>
#include <optional>
#include <string>

namespace plumetra::cli {

struct InputOptions {
  std::filesystem::path flocks, diets, lst;
  std::string sheet, dietSheet, map;
  bool noLst = false;
  bool autoMatch = false;
  // The command's output folder: the only place a Data ID list is written (none when empty).
  std::filesystem::path listOut;
  ModelOptions model;
};

// --flocks, --sheet, --diets, --diet-sheet, --lst, --no-lst, --map, --auto-match and the
// model's settings options.
void addInputOptions(CLI::App& command, InputOptions& options);

// The loader's options (paths made absolute), or std::nullopt with a usage message in
// `problem`. A Data ID list is read beside the data file (or from --lst) and written only into
// listOut; --no-lst reads and writes none.
std::optional<LoadInputsOptions> loadOptionsFrom(const InputOptions& options, std::string& problem);

// The main window's start-up, then the model's settings options. False with a usage message
// on stderr when an option cannot be applied.
bool startState(AppState& state, const ModelOptions& model, BatchDialogs& dialogs);

}  // namespace plumetra::cli
