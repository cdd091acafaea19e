#include "desktop/correlation_window.h"

#include "analysis/correlations.h"
#include "desktop/chart_window.h"
#include "desktop/control_binding.h"
#include "files/save_grids.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace plumetra::qt {

CorrelationWindow::CorrelationWindow(AppState& state, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent)
    : GridWindow(QStringLiteral("Correlation by Convix"), nullptr, clipboard, parent), state_(state), dialogs_(dialogs) {
  Workspace& ws = state.workspace;
  view()->setPointSize(ws.analysisGridFontSize);
  label()->setText(QString::fromUtf8(CorrelationLegend));
  buildCorrelationGrid(ws.analysisGrid, state.analysis, correlationGrid());
  std::string error;
  if (!writeCorrelationList(ws.LastDir, state.analysis.ColumnStats, &error)) dialogs.message(error);

  QMenu* copy = menus()->addMenu(QStringLiteral("Copy"));
  copy->addAction(QStringLiteral("Copy Highlighted Cells"), this, [this] { copyHighlighted(); });
  copy->addAction(QStringLiteral("Copy All"), this, [this] { copyAll(); });
  menus()->addAction(QStringLiteral("Save File"), this, [this] {
    SaveCorrelations(correlationGrid(), state_.workspace.locationBox.text, state_.workspace.LastDir, dialogs_);
  });
  connect(view(), &GridView::cellDoubleClicked, this, [this](int r, int c) { chartPair(r, c); });
  refresh();
}

void CorrelationWindow::chartPair(int row, int col) {
  const Grid& grid = correlationGrid();
  if (row < 1 || col < 1 || grid.text(row, col).empty()) return;
  auto* chart = new ChartWindow(state_.workspace, clipboard(), parentWidget());
  chart->FindPlot1(grid.text(0, col), grid.text(row, 0));
  chart->show();
}

}  // namespace plumetra::qt
