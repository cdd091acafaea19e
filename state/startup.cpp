#include "state/startup.h"

#include "model/breed_data.h"
#include "workspace/matching.h"

namespace plumetra {

namespace {

constexpr int FlockGridRows = 201;
constexpr int GridControlCols = 10;  // the grid control's own column count before any data
constexpr int DietGridColsAtStart = 30, DietGridRowsAtStart = 10;

}  // namespace

// appDir, the Data ID lists, the flock tab, lastDir, the grid sizes, first-sort state cleared,
// the breed list and the diet grid. The model's coefficient tables are a ModelState's from
// construction; the window's controls start as MainWindowControls declares them.
void startUp(AppState& state, const std::filesystem::path& appDir, Dialogs& dialogs) {
  Workspace& ws = state.workspace;
  ws.appDir = appDir;
  resetDataIdLists(ws);

  ws.shownTab = FlockTab;
  ws.lastDir = ws.appDir;

  ws.flockGrid.setFixedRows(1);
  ws.flockGrid.setRows(FlockGridRows);
  if (ws.flockGrid.cols() == 0) ws.flockGrid.setCols(GridControlCols);

  state.analysis.firstSortDone = false;
  loadBreedData(state.model, ws.appDir, dialogs);

  ws.dietGrid.resize(DietGridRowsAtStart, DietGridColsAtStart);
}

}  // namespace plumetra
