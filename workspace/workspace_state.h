#pragma once
// flock table, diet tables, Data IDs and the main window's grids and controls.

namespace plumetra {

struct Workspace {};

}  // namespace plumetra
