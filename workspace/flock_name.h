#pragma once
// A flock's name as the user's table gives it, for the notes about outliers and flocks left out.

#include <string>

#include "workspace/workspace_state.h"

namespace plumetra {

// "Oak Hollow, house 3": the flock grid row's first cell when it is a text and not the house,
// then the house; the row itself when no house is matched.
std::string flockNameOf(const Workspace& ws, int flockGridRow);

}  // namespace plumetra
