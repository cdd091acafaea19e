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
  ModelOptions model;
};

// --flocks, --sheet, --diets, --diet-sheet, --lst, --no-lst, --map, --auto-match and the
// model's settings options.
void addInputOptions(CLI::App& command, InputOptions& options);

// The loader's options (paths made absolute, so the ".lst" file lands beside the data file
// whatever the current folder), or std::nullopt with a usage message in `problem`.
std::optional<LoadInputsOptions> loadOptionsFrom(const InputOptions& options, std::string& problem);

// The main window's start-up, then the model's settings options. False with a usage message
// on stderr when an option cannot be applied.
bool startState(AppState& state, const ModelOptions& model, BatchDialogs& dialogs);

}  // namespace plumetra::cli
