#pragma once
// The main window's help buttons and the question about flocks of several sexes.

#include "controls/dialogs.h"
#include "workspace/workspace_state.h"

namespace plumetra {

void showGettingStarted(Dialogs& dialogs);  // "Getting Started"
void showSortHelp(Dialogs& dialogs);      // "Sort Grid Help"
void explainPerformanceIndex(Dialogs& dialogs);        // the performance index explained

// "Flock Sex" label: when the flocks have several sexes, asks for the heading of the sex
// column, matches the flock grid's column with that heading as the "Flock Sex" item (each flock
// then grows as its own sex) and sets the flock sex to "Mixed", the sex of a flock whose cell
// names none. Tells what it set, or why it set nothing.
void askSexColumn(Workspace& ws, Dialogs& dialogs);

// Before a run: false, after naming them and saying how to match them, when any required Data
// ID is still unmatched.
bool requiredMatchesMade(const Workspace& ws, Dialogs& dialogs);

// Before a command that needs the flock sex: when none is chosen, asks for it by name. False
// when the user gives none, after saying that the command did not run.
bool askFlockSexIfMissing(Workspace& ws, Dialogs& dialogs);

}  // namespace plumetra
