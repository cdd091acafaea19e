#include "state/startup.h"

#include "model/breed_data.h"
#include "workspace/matching.h"

namespace plumetra {

namespace {

constexpr Rgb AverageBoxBackground{230, 238, 230};
constexpr int AnalysisFontSize = 8;
constexpr int FlockGridRows = 201;
constexpr int GridControlCols = 10;  // the grid control's own column count before any data
constexpr int DietGridColsAtStart = 30, DietGridRowsAtStart = 10;

}  // namespace

// In the window's load order:
//  1 AppDir; 2 resetDataIdLists; 3 the flock tab and the sex list; 4 LastDir; 5 buttons;
//  6 the model's label lists (constant tables) and the hidden outlier button;
//  7 the t tables (constant tables); 8 the average boxes; 9 grid sizes and font;
// 10 first-sort state cleared and the breed list loaded; 11 the second-sort button and the
//    diet grid; 12 the model's coefficient tables, which a ModelState holds from construction.
void startUp(AppState& state, const std::filesystem::path& appDir, Dialogs& dialogs) {
  Workspace& ws = state.workspace;
  ws.AppDir = appDir;
  resetDataIdLists(ws);

  ws.tabs.current = FlockTab;
  ws.flockSexChoice.items = {"Mixed", "Males", "Females"};
  ws.LastDir = ws.AppDir;

  ws.calibrateButton.enabled = false;
  ws.clearFlockItemButton.enabled = true;
  ws.outlierButton.visible = false;
  ws.outlierButton.enabled = false;

  ws.averageWeightBox.background = AverageBoxBackground;
  ws.averageConversionBox.background = AverageBoxBackground;

  ws.analysisGridFontSize = AnalysisFontSize;
  ws.flockGrid.setFixedRows(1);
  ws.flockGrid.setRows(FlockGridRows);
  if (ws.flockGrid.cols() == 0) ws.flockGrid.setCols(GridControlCols);

  state.analysis.FirstSortDone = false;
  LoadBreedData(state.model, ws.AppDir, dialogs);

  ws.startSecondSortButton.enabled = false;
  ws.dietGrid.resize(DietGridRowsAtStart, DietGridColsAtStart);
}

}  // namespace plumetra
