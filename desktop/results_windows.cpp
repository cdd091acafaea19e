#include "desktop/results_windows.h"

#include "analysis/analysis_colours.h"
#include "calibration/revaluation.h"
#include "controls/number_format.h"
#include "desktop/control_binding.h"
#include "desktop/league_window.h"
#include "desktop/round_axis.h"
#include "desktop/validation_window.h"
#include "files/free_format.h"
#include "files/workbook.h"
#include "presenters/group_captions.h"
#include "report/report_html.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScatterSeries>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <cmath>
#include <memory>

namespace plumetra::qt {

namespace {

// The standard weight typed last, kept for the next Metrics window and the next start.
constexpr const char* StandardWeightSetting = "metricsStandardWeight";

// "Uncalibrated", or the group's caption with the word of its stored files.
std::string curveName(const GroupCurves& curves, std::size_t i) { return i == 0 ? curves[i].name : GroupCaptions[i]; }

// A chart with value axes fitted to its series and titled.
void finishChart(QChart* chart, const QString& xTitle, const QString& yTitle) {
  chart->createDefaultAxes();
  roundValueAxes(chart);
  const auto horizontal = chart->axes(Qt::Horizontal);
  const auto vertical = chart->axes(Qt::Vertical);
  if (!horizontal.isEmpty()) horizontal.front()->setTitleText(xTitle);
  if (!vertical.isEmpty()) vertical.front()->setTitleText(yTitle);
}

QScatterSeries* points(const QString& name, const std::vector<FlockFit>& flocks, int item,
                       const std::array<double, FitItemCount> FlockFit::*values) {
  auto* series = new QScatterSeries;
  series->setName(name);
  series->setMarkerSize(7);
  for (const FlockFit& f : flocks)
    if (std::isfinite(f.recorded[item]) && std::isfinite((f.*values)[item]))
      series->append(f.recorded[item], (f.*values)[item]);
  return series;
}

}  // namespace

bool holdsGroupCalibrations(const CalibrationRecord& calibration) {
  for (int g = GroupTop; g <= GroupBottom; ++g)
    if (!(calibration(g, 1, ItemTimeExponent) > 0)) return false;
  return true;
}

MetricsWindow::MetricsWindow(const AppState& state, Clipboard& clipboard, QWidget* parent)
    : GridWindow(QStringLiteral("Metrics"), nullptr, clipboard, parent), state_(state) {
  standardWeight_ = new QLineEdit(QSettings().value(StandardWeightSetting).toString(), this);
  standardWeight_->setObjectName(QStringLiteral("standardWeight"));
  standardWeight_->setPlaceholderText(QStringLiteral("mean weight"));
  connect(standardWeight_, &QLineEdit::returnPressed, this, [this] { recalculate(); });
  auto* recalculateButton = new QPushButton(QStringLiteral("Recalculate"), this);
  connect(recalculateButton, &QPushButton::clicked, this, [this] { recalculate(); });
  addControls({new QLabel(QStringLiteral("Standard weight for the adjusted FCR, kg:"), this), standardWeight_,
               recalculateButton});
  menus()->addAction(QStringLiteral("Copy All"), this, [this] { copyAll(); });
  recalculate();
}

void MetricsWindow::recalculate() {
  const std::string typed = standardWeight_->text().trimmed().toStdString();
  std::optional<double> standard;
  std::string text;
  if (readsAsNumber(typed) && readNumber(typed) > 0) {
    standard = readNumber(typed);
    QSettings().setValue(StandardWeightSetting, q(typed));
  } else if (typed.empty()) {
    QSettings().remove(StandardWeightSetting);
  } else {
    text = "\"" + typed + "\" is not a live weight in kg above 0: the flocks' mean weight is used.\n";
  }
  table_ = metricsOf(state_.workspace, analysedFlocks(state_).split, standard);
  ownGrid() = metricsGrid(table_);
  for (const std::string& line : metricsSummaryLines(table_)) text += line + "\n";
  label()->setText(q(text));
  refresh();
}

ModelFitWindow::ModelFitWindow(const AppState& state, Clipboard& clipboard, QWidget* parent) : QDialog(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Model fit"));
  const SplitFlocks split = analysedFlocks(state).split;
  fit_ = initialFit(split);
  if (!fit_.flocks.empty() && holdsGroupCalibrations(state.calibration))
    addCalibratedFit(fit_, split, state.model, state.calibration, state.workspace.chosenSex);
  groupTable_ = fitGroupGrid(fit_);

  auto* layout = new QVBoxLayout(this);
  item_ = new QComboBox(this);
  for (const char* name : FitItemNames) item_->addItem(QString::fromUtf8(name));
  connect(item_, &QComboBox::currentIndexChanged, this, [this](int item) { showItem(item); });
  layout->addWidget(item_);
  chart_ = new QChart;
  auto* view = new QChartView(chart_, this);
  view->setMinimumHeight(360);
  layout->addWidget(view, 2);
  auto* table = new GridView(groupTable_, this);
  layout->addWidget(table, 1);
  connect(table, &GridView::keyCommand, this, [this, &clipboard](GridKey key) {
    if (key == GridKey::CopyAll) clipboard.setText(gridToTsv(groupTable_));
  });
  resize(1000, 720);  // the table's columns side by side
  showItem(FitWeight);
}

void ModelFitWindow::showItem(int item) {
  if (item < 0 || item >= FitItemCount) return;
  chart_->removeAllSeries();
  for (QAbstractAxis* axis : chart_->axes()) chart_->removeAxis(axis);
  chart_->setTitle(QStringLiteral("Predicted against recorded ") + QString::fromUtf8(FitItemNames[item]));
  chart_->addSeries(points(QStringLiteral("Analysis run"), fit_.flocks, item, &FlockFit::predicted));
  if (fit_.calibrated)
    chart_->addSeries(points(QStringLiteral("Calibrated groups"), fit_.flocks, item, &FlockFit::calibrated));
  double lo = INFINITY, hi = -INFINITY;
  for (const FlockFit& f : fit_.flocks)
    for (double v : {f.recorded[item], f.predicted[item], f.calibrated[item]})
      if (std::isfinite(v)) lo = std::min(lo, v), hi = std::max(hi, v);
  if (lo < hi) {
    auto* identity = new QLineSeries;
    identity->setName(QStringLiteral("1:1"));
    identity->append(lo, lo);
    identity->append(hi, hi);
    chart_->addSeries(identity);
  }
  static constexpr std::array<const char*, FitItemCount> units{", kg", "", ", days"};
  const QString unit = QString::fromUtf8(units[static_cast<std::size_t>(item)]);
  finishChart(chart_, QStringLiteral("Recorded") + unit, QStringLiteral("Predicted") + unit);
}

GrowthCurvesWindow::GrowthCurvesWindow(const GroupCurves& curves, QWidget* parent) : QDialog(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Growth Curves"));
  auto* layout = new QVBoxLayout(this);
  for (std::size_t i = 0; i < curves.size(); ++i)
    if (!curves[i].grown) layout->addWidget(new QLabel(q(curveName(curves, i) + " not grown: " + curves[i].problem), this));
  tabs_ = new QTabWidget(this);
  layout->addWidget(tabs_, 1);
  struct Measure {
    const char* tab;
    const char* axis;
    std::vector<double> GroupCurve::*values;
  };
  for (const Measure& m :
       {Measure{"Live weight", "g", &GroupCurve::weight}, Measure{"Daily gain", "g/day", &GroupCurve::gain},
        Measure{"Daily intake", "g/day", &GroupCurve::intake},
        Measure{"Cumulative FCR", "feed / live weight", &GroupCurve::cumulativeFcr}}) {
    auto* chart = new QChart;
    chart->setTitle(QString::fromUtf8(m.tab));
    for (int i : {1, 2, 3, 0}) {
      const GroupCurve& c = curves[static_cast<std::size_t>(i)];
      if (!c.grown) continue;
      auto* line = new QLineSeries;
      line->setName(q(curveName(curves, static_cast<std::size_t>(i))));
      line->setColor(QColor(analysis_colours::GroupLineColours[static_cast<std::size_t>(i)]));
      const std::vector<double>& values = c.*m.values;
      for (std::size_t d = 0; d < values.size(); ++d)
        if (std::isfinite(values[d])) line->append(static_cast<double>(d), values[d]);
      chart->addSeries(line);
    }
    finishChart(chart, QStringLiteral("Age, days"), QString::fromUtf8(m.axis));
    tabs_->addTab(new QChartView(chart, tabs_), QString::fromUtf8(m.tab));
  }
  resize(760, 520);
}

bool saveReport(AppState& state, Dialogs& dialogs) {
  if (!currentAnalysis(state) || state.analysis.groupCount[4] == 0) {
    dialogs.message("Run the analysis first: the report shows its results.");
    return false;
  }
  const auto path =
      dialogs.saveFile({"Save Report", "Web page (*.html)|*.html", ReportFileName, state.workspace.lastDir});
  if (!path) return false;
  // The calibrated parts grow and search on a copy: the window's model and calibration stay.
  auto copy = std::make_unique<AppState>(state);
  ReportData data = reportDataOf(*copy, std::nullopt);
  const std::filesystem::path base = storedCalibrationBase(*copy);
  if (!base.empty()) {
    std::string top = base.string() + "Top.clb";
    if (holdsGroupCalibrations(copy->calibration) || readForReval(top, copy->calibration) == RevalRead::Read)
      addCalibratedParts(*copy, data, base, nullptr, dialogs);
  }
  std::string error;
  if (!writeFileAtomically(*path, reportHtml(data), &error)) {
    dialogs.message("\"" + path->string() + "\" could not be written: " + error);
    return false;
  }
  return true;
}

void addResultsMenu(QMenuBar& menus, AppState& state, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent) {
  QMenu* results = menus.addMenu(QStringLiteral("Results"));
  results->addAction(QStringLiteral("Metrics"), parent,
                     [&state, &clipboard, parent] { (new MetricsWindow(state, clipboard, parent))->show(); });
  results->addAction(QStringLiteral("Model fit"), parent,
                     [&state, &clipboard, parent] { (new ModelFitWindow(state, clipboard, parent))->show(); });
  results->addAction(QStringLiteral("League"), parent,
                     [&state, &clipboard, parent] { (new LeagueWindow(state, clipboard, parent))->show(); });
  results->addAction(QStringLiteral("Validate Calibration"), parent,
                     [&state, &dialogs, &clipboard, parent] { validateCalibration(state, dialogs, clipboard, parent); });
  results->addAction(QStringLiteral("Growth Curves"), parent, [&state, &dialogs, parent] {
    const std::filesystem::path base = storedCalibrationBase(state);
    if (base.empty()) {
      dialogs.message("No calibrated location is known: open a calibrated location or calibrate the flock splits.");
      return;
    }
    (new GrowthCurvesWindow(growGroupCurves(state.model, base, dialogs), parent))->show();
  });
  results->addAction(QStringLiteral("Save Report"), parent, [&state, &dialogs] { saveReport(state, dialogs); });
}

}  // namespace plumetra::qt
