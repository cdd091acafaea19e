#include "desktop/chart_window.h"

#include "analysis/chart_text.h"
#include "desktop/control_binding.h"
#include "desktop/round_axis.h"

#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QPainter>
#include <QSaveFile>
#include <QShortcut>
#include <QSvgGenerator>
#include <QValueAxis>

#include <algorithm>

namespace plumetra::qt {

namespace {
constexpr char YAxisText[] = "Y Axis";

// Axis range around the points with ticks at round values.
void fitAxis(QValueAxis* axis, const std::vector<double>& values) {
  if (values.empty()) return;
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  setRoundRange(axis, *low, *high);
}
}  // namespace

ChartWindow::ChartWindow(const Workspace& ws, const FlockRows& rows, Dialogs& dialogs, Clipboard& clipboard,
                         QWidget* parent)
    : QDialog(parent), ws_(ws), rows_(rows), dialogs_(dialogs), clipboard_(clipboard), columns_(chartColumns(ws.analysisGrid, rows)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Convix Plumetra Graphics"));
  xAxis_ = new QComboBox(this);
  yAxis_ = new QComboBox(this);
  for (const ChartColumn& column : columns_) {
    xAxis_->addItem(q(column.caption), column.col);
    yAxis_->addItem(q(column.caption), column.col);
  }
  xAxis_->setPlaceholderText(QString::fromUtf8(OrderAxisText));
  yAxis_->setPlaceholderText(QString::fromUtf8(YAxisText));
  xAxis_->setCurrentIndex(-1);
  yAxis_->setCurrentIndex(-1);
  auto* plotButton = new QPushButton(QStringLiteral("Plot the Data"), this);
  auto* orderButton = new QPushButton(QStringLiteral("Use 1 to Max"), this);
  auto* copyButton = new QPushButton(QStringLiteral("Copy Plot"), this);
  copyButton->setToolTip(QStringLiteral("Copies the chart as a picture"));
  plotButton->setToolTip(QStringLiteral("Plots the Y column against the X column and fits a line"));
  orderButton->setToolTip(QStringLiteral("Plots the Y column against the flocks' order, 1 to the last"));
  auto* saveButton = new QPushButton(QStringLiteral("Save Chart..."), this);
  saveButton->setToolTip(QStringLiteral("Saves the chart as a PNG picture or an SVG drawing"));
  auto* equationButton = new QPushButton(QStringLiteral("Copy Equation"), this);
  equationButton->setToolTip(QStringLiteral("Copies the fitted line as a spreadsheet formula of the X value in cell A2"));
  title_ = new QLineEdit(this);
  result_ = new QPlainTextEdit(this);
  result_->setReadOnly(true);
  result_->setMaximumHeight(90);
  auto* copyEquation = new QShortcut(QKeySequence(QStringLiteral("Ctrl+N")), result_, nullptr, nullptr,
                                     Qt::WidgetWithChildrenShortcut);
  connect(copyEquation, &QShortcut::activated, this, [this] { clipboard_.setText(formula()); });

  chart_ = new QChart;
  chart_->legend()->hide();
  chartView_ = new QChartView(chart_, this);
  chartView_->setRenderHint(QPainter::Antialiasing);
  chartView_->setMinimumSize(640, 400);

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Select the Horizontal (X)  Plot Values"), this), 0, 0);
  layout->addWidget(xAxis_, 1, 0);
  layout->addWidget(new QLabel(QStringLiteral("Select the Vertical (Y) Plot Values"), this), 0, 1);
  layout->addWidget(yAxis_, 1, 1);
  layout->addWidget(plotButton, 1, 2);
  layout->addWidget(orderButton, 1, 3);
  layout->addWidget(copyButton, 1, 4);
  layout->addWidget(saveButton, 1, 5);
  layout->addWidget(equationButton, 1, 6);
  layout->addWidget(title_, 2, 0, 1, 7);
  layout->addWidget(chartView_, 3, 0, 1, 7);
  layout->addWidget(result_, 4, 0, 1, 7);
  layout->setRowStretch(3, 1);

  connect(plotButton, &QPushButton::clicked, this, [this] { plot(); });
  connect(orderButton, &QPushButton::clicked, this, [this] { useOrder(); });
  connect(copyButton, &QPushButton::clicked, this,
          [this] { QGuiApplication::clipboard()->setPixmap(chartView_->grab()); });
  connect(saveButton, &QPushButton::clicked, this, [this] { saveChart(); });
  connect(equationButton, &QPushButton::clicked, this, [this] { clipboard_.setText(formula()); });

  // Opening: the title from the first sort, the Y column of the first sort (findSort).
  const bool sorted = ws.firstSortChoice.index >= 0;
  title_->setText(QStringLiteral("Sorted by") + (sorted ? q(ws.firstSortChoice.text) : QString()));
  if (sorted) yAxis_->setCurrentIndex(yAxis_->findData(ws.firstSortChoice.index));
  plot();
}

int ChartWindow::chosenColumn(const QComboBox* combo) const {
  return combo->currentIndex() < 0 ? -1 : combo->currentData().toInt();
}

void ChartWindow::plot() {
  const int yCol = chosenColumn(yAxis_);
  const int xCol = chosenColumn(xAxis_);
  title_->setText(q(plotTitle(yCol < 0 ? std::string() : yAxis_->currentText().toStdString(),
                              xCol < 0 ? std::string() : xAxis_->currentText().toStdString(),
                              ws_.firstSortChoice.index >= 0 ? ws_.firstSortChoice.text : std::string())));
  chart_->removeAllSeries();
  for (QAbstractAxis* axis : chart_->axes()) {
    chart_->removeAxis(axis);  // hands the axis back to us
    delete axis;
  }
  chart_->setTitle(title_->text());
  regression_ = {};
  if (yCol < 0) {
    result_->setPlainText(QString::fromUtf8(NoRegressionText));
    return;
  }
  const ChartSeries series = chartSeries(ws_.analysisGrid, rows_, xCol, yCol);
  auto* points = new QScatterSeries;
  points->setMarkerSize(8);
  for (std::size_t i = 0; i < series.x.size(); ++i) points->append(series.x[i], series.y[i]);
  chart_->addSeries(points);

  auto* xAxis = new QValueAxis;
  auto* yAxis = new QValueAxis;
  xAxis->setTitleText(xCol < 0 ? QString::fromUtf8(OrderAxisText) : xAxis_->currentText());
  yAxis->setTitleText(yAxis_->currentText());
  fitAxis(xAxis, series.x);
  fitAxis(yAxis, series.y);
  chart_->addAxis(xAxis, Qt::AlignBottom);
  chart_->addAxis(yAxis, Qt::AlignLeft);
  points->attachAxis(xAxis);
  points->attachAxis(yAxis);

  if (xCol < 0) {
    result_->setPlainText(QString::fromUtf8(NoRegressionText));
    return;
  }
  regression_ = linearRegression(series, xAxis_->currentText().toStdString(), yAxis_->currentText().toStdString());
  result_->setPlainText(q(regression_.resultText).replace('\r', '\n'));
  if (!regression_.drawLine) return;
  const auto [low, high] = std::minmax_element(series.x.begin(), series.x.end());
  auto* line = new QLineSeries;
  line->append(*low, regression_.intercept + regression_.slope * *low);
  line->append(*high, regression_.intercept + regression_.slope * *high);
  chart_->addSeries(line);
  line->attachAxis(xAxis);
  line->attachAxis(yAxis);
}

void ChartWindow::useOrder() {
  xAxis_->setCurrentIndex(-1);
  xAxis_->setPlaceholderText(QString::fromUtf8(OrderAxisText));
  plot();
}

void ChartWindow::plotColumnPair(const std::string& xCaption, const std::string& yCaption) {
  xAxis_->setCurrentIndex(xAxis_->findText(q(xCaption)));
  yAxis_->setCurrentIndex(yAxis_->findText(q(yCaption)));
  plot();
}

std::string ChartWindow::formula() const {
  return spreadsheetFormula(regression_, xAxis_->currentText().toStdString(), yAxis_->currentText().toStdString());
}

void ChartWindow::saveChart() {
  const auto file = dialogs_.saveFile({"Save the Chart as a Picture", "PNG picture|*.png|SVG drawing|*.svg",
                                       "chart.png", ws_.lastDir});
  if (file && !saveChartAs(q(file->string())))
    dialogs_.message("The chart could not be written to " + file->string() + ".");
}

bool ChartWindow::saveChartAs(const QString& file) {
  // Written to a temporary file and renamed at the end, so a failure leaves no half picture.
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly)) return false;
  if (file.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator drawing;
    drawing.setOutputDevice(&out);
    drawing.setSize(chartView_->size());
    drawing.setViewBox(chartView_->rect());
    drawing.setTitle(title_->text());
    QPainter painter;
    if (!painter.begin(&drawing)) return false;
    chartView_->render(&painter);
    if (!painter.end()) return false;
  } else if (!chartView_->grab().save(&out, "PNG")) {
    return false;
  }
  return out.commit();
}

QString ChartWindow::resultText() const { return result_->toPlainText(); }
QString ChartWindow::titleText() const { return title_->text(); }

}  // namespace plumetra::qt
