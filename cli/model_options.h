#pragma once
// The model settings every model command of plumetra-cli takes: units, amino-acid basis,
// predominant breeds and breed type.

#include "model/model_state.h"
#include "controls/dialogs.h"
#include "workspace/feed_pricing.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace plumetra::cli {

// An option left out is empty: the default (0) applies, and a location's stored value may
// replace it; an option given wins over the location.
struct ModelOptions {
  std::optional<int> energyChoice;  // --energy-unit
  std::optional<int> weightChoice;  // --weight-unit
  std::optional<int> costChoice;    // --cost-unit
  std::string currency;             // --currency: empty when none given
  std::optional<int> aminoBasis;    // --amino
  std::string maleBreed;    // --male-breed: an index or a name; empty: none chosen
  std::string femaleBreed;  // --female-breed
  bool traditional = false;  // --breed-type
};

// Adds --energy-unit, --weight-unit, --cost-unit, --currency, --amino, --male-breed,
// --female-breed and --breed-type to `command`.
void addModelOptions(CLI::App& command, ModelOptions& options);

// Loads the breed data beside the program and puts the options into the model (unit choices,
// amino-acid basis and divisor, breeds, the female mature fat fraction of the breed type).
// False, with the reason in `error`, when a breed is not known.
bool applyModelOptions(const ModelOptions& options, ModelState& model, Dialogs& dialogs,
                       std::string& error);

// After a location was read: every option the user gave that the location replaced is put
// back, with a one-line note on `notes` of what it overrode.
void reapplyGivenOptions(const ModelOptions& options, ModelState& model, std::ostream& notes);

// The feed costs' unit and currency as the user gave them: --cost-unit, else the location's
// stored cost unit when one was opened and it is not the default per kg (a stored 0 may be a
// unit nobody chose); --currency.
FeedPricing givenPricing(const ModelOptions& options, const ModelState& model, bool locationOpened);

// The folder of the running program.
std::filesystem::path executableFolder();

}  // namespace plumetra::cli
