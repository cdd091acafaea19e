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
  view()->setPointSize(state_.window.analysisGridFontSize);
  label()->setText(QString::fromUtf8(CorrelationLegend));
  buildCorrelationGrid(ws.analysisGrid, state.analysis, correlationGrid());

  QMenu* copy = menus()->addMenu(QStringLiteral("Copy"));
  copy->addAction(QStringLiteral("Copy Highlighted Cells"), this, [this] { copyHighlighted(); });
  copy->addAction(QStringLiteral("Copy All"), this, [this] { copyAll(); });
  menus()->addAction(QStringLiteral("&Save File"), this, [this] { save(); });
  connect(view(), &GridView::cellDoubleClicked, this, [this](int r, int c) { chartPair(r, c); });
  refresh();
}

void CorrelationWindow::save() {
  const std::string location = state_.workspace.locationFile.string();
  const auto saved = saveCorrelations(correlationGrid(), location.empty() ? "Plumetra" : location,
                                      state_.workspace.lastDir, dialogs_);
  if (!saved) return;
  // The list of the column statistics goes beside the matrix, and only when the user saves.
  std::string error;
  if (!writeCorrelationList(saved->parent_path(), state_.analysis.columnStats, &error)) dialogs_.message(error);
}

void CorrelationWindow::chartPair(int row, int col) {
  const Grid& grid = correlationGrid();
  if (row < 1 || col < 1 || grid.text(row, col).empty()) return;
  auto* chart = new ChartWindow(state_.workspace, state_.analysis.flockRows, dialogs_, clipboard(), parentWidget());
  chart->plotColumnPair(grid.text(0, col), grid.text(row, 0));
  chart->show();
}

}  // namespace plumetra::qt
