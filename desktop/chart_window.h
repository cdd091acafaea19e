#pragma once
// The chart window "Convix Plumetra Graphics": one numeric column of the analysis grid against the
// flocks' order or another column, with the least-squares line, its equation and R square.

#include "analysis/regression.h"
#include "controls/clipboard.h"
#include "controls/dialogs.h"
#include "workspace/workspace_state.h"

#include <QDialog>

#include <string>
#include <vector>

class QChart;
class QChartView;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace plumetra::qt {

class ChartWindow final : public QDialog {
  Q_OBJECT
 public:
  ChartWindow(const Workspace& ws, const FlockRows& rows, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent);

  // "Plot the Data".
  void plot();
  // "Use 1 to Max": the X axis back to the flocks' order.
  void useOrder();
  // Selects the X and Y columns by caption and plots (opened from the correlation matrix).
  void plotColumnPair(const std::string& xCaption, const std::string& yCaption);

  QChart* chart() const { return chart_; }
  QString resultText() const;
  QString titleText() const;
  const std::string& equation() const { return regression_.equation; }
  // The line as a spreadsheet formula, as Ctrl+N and "Copy Equation" copy it.
  std::string formula() const;
  // "Save Chart": asks for a file and writes the chart as a PNG picture or an SVG drawing
  // (by the name's extension). saveChartAs writes `file` without asking.
  void saveChart();
  bool saveChartAs(const QString& file);

 private:
  int chosenColumn(const QComboBox* combo) const;

  const Workspace& ws_;
  const FlockRows& rows_;
  Dialogs& dialogs_;
  Clipboard& clipboard_;
  std::vector<ChartColumn> columns_;
  Regression regression_;
  QComboBox* xAxis_;
  QComboBox* yAxis_;
  QLineEdit* title_;
  QPlainTextEdit* result_;
  QChart* chart_;
  QChartView* chartView_;
};

}  // namespace plumetra::qt
