#pragma once
// The model settings every model command of plumetra-cli takes: units, amino-acid basis,
// predominant breeds and breed type.

#include "model/model_state.h"
#include "controls/dialogs.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <string>

namespace plumetra::cli {

struct ModelOptions {
  int energyChoice = 0;  // --energy-unit
  int weightChoice = 0;  // --weight-unit
  int costChoice = 0;    // --cost-unit
  int aminoBasis = 0;    // --amino
  std::string maleBreed;    // --male-breed: an index or a name; empty: none chosen
  std::string femaleBreed;  // --female-breed
  bool traditional = false;  // --breed-type
};

// Adds --energy-unit, --weight-unit, --cost-unit, --amino, --male-breed, --female-breed and
// --breed-type to `command`.
void addModelOptions(CLI::App& command, ModelOptions& options);

// Loads the breed data beside the program and puts the options into the model (unit choices,
// amino-acid basis and divisor, breeds, the female mature fat fraction of the breed type).
// False, with the reason in `error`, when a breed is not known.
bool applyModelOptions(const ModelOptions& options, ModelState& model, Dialogs& dialogs,
                       std::string& error);

// The folder of the running program.
std::filesystem::path executableFolder();

}  // namespace plumetra::cli
