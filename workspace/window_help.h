#pragma once
// The main window's help buttons and the question about flocks of several sexes.

#include "controls/dialogs.h"
#include "workspace/workspace_state.h"

namespace plumetra {

void showGettingStarted(Dialogs& dialogs);  // "Getting Started"
void showSortHelp(Dialogs& dialogs);      // "Sort Grid Help"
void explainPerformanceIndex(Dialogs& dialogs);        // the performance index explained

// "Flock Sex" label: when the flocks have several sexes, asks for the heading of the sex
// column and makes the flock grid's column with that heading the current one.
void askSexColumn(Workspace& ws, Dialogs& dialogs);

}  // namespace plumetra
