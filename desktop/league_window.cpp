#include "desktop/league_window.h"

#include "desktop/grid_view.h"
#include "files/workbook.h"

#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <QVBoxLayout>

#include <cmath>

namespace plumetra::qt {

LeagueWindow::LeagueWindow(const AppState& state, Clipboard& clipboard, QWidget* parent) : QDialog(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("League"));
  const SplitFlocks split = analysedFlocks(state).split;
  const MetricsTable metrics = metricsOf(state.workspace, split, std::nullopt);
  league_ = leagueOf(leagueFlocksOf(state.workspace, split, metrics, {}).flocks, LeagueAdjustedFcr);
  grid_ = leagueGrid(league_, "Farm");

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString::fromStdString(leagueLines(league_, "Farm").front()), this));
  chart_ = new QChart;
  chart_->setTitle(QStringLiteral("Adjusted FCR by farm rank: mean and 95 % interval"));
  chart_->legend()->hide();
  auto* means = new QScatterSeries;
  means->setMarkerSize(9);
  for (const LeagueEntry& e : league_.entries) {
    if (e.rank == 0) continue;
    means->append(e.rank, e.moments[LeagueAdjustedFcr].mean);
    if (!std::isfinite(e.ci95[LeagueAdjustedFcr].low)) continue;
    auto* interval = new QLineSeries;
    interval->append(e.rank, e.ci95[LeagueAdjustedFcr].low);
    interval->append(e.rank, e.ci95[LeagueAdjustedFcr].high);
    interval->setColor(means->color());
    chart_->addSeries(interval);
  }
  chart_->addSeries(means);
  chart_->createDefaultAxes();
  auto* view = new QChartView(chart_, this);
  view->setMinimumHeight(320);
  layout->addWidget(view, 2);
  auto* table = new GridView(grid_, this);
  layout->addWidget(table, 1);
  connect(table, &GridView::keyCommand, this, [this, &clipboard](GridKey key) {
    if (key == GridKey::CopyAll) clipboard.setText(gridToTsv(grid_));
  });
  resize(900, 720);
}

}  // namespace plumetra::qt
