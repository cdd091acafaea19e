#pragma once
// The main window's help buttons and the question about flocks of several sexes.

#include "views/dialogs.h"
#include "workspace/workspace_state.h"

namespace plumetra {

void CommandStart_Click(Dialogs& dialogs);  // "Getting Started"
void SortHelp_Click(Dialogs& dialogs);      // "Sort Grid Help"
void Label8_Click(Dialogs& dialogs);        // the performance index explained

// "Flock Sex" label: when the flocks have several sexes, asks for the heading of the sex
// column and makes the flock grid's column with that heading the current one.
void Label1_Click(Workspace& ws, Dialogs& dialogs);

}  // namespace plumetra
