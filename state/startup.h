#pragma once
// The main window's load: every table in its start-up state.

#include <filesystem>

#include "state/app_state.h"
#include "controls/dialogs.h"

namespace plumetra {

// `appDir` is the application folder (where the breed data stand). Runs once, before the
// window shows.
void startUp(AppState& state, const std::filesystem::path& appDir, Dialogs& dialogs);

}  // namespace plumetra
