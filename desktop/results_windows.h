#pragma once
// The windows beside the analysis grid: "Metrics" (industry metrics per flock and group),
// "Model fit" (predicted against recorded values with the 1:1 line), "Growth Curves" (the
// calibrated groups day by day, one tab per measure), and "Save Report".

#include "analysis/flock_metrics.h"
#include "analysis/model_fit.h"
#include "calibration/group_curves.h"
#include "controls/clipboard.h"
#include "controls/dialogs.h"
#include "desktop/grid_window.h"
#include "state/app_state.h"

#include <QDialog>

class QChart;
class QComboBox;
class QLineEdit;
class QMenuBar;
class QTabWidget;

namespace plumetra::qt {

class MetricsWindow final : public GridWindow {
  Q_OBJECT
 public:
  MetricsWindow(const AppState& state, Clipboard& clipboard, QWidget* parent);
  // "Recalculate" (or Enter): the table again at the standard weight typed (empty: the mean
  // weight), every flock's adjusted FCR and the group means. A weight that reads is kept for
  // the next window and the next start; one that does not is named above the table.
  void recalculate();
  const MetricsTable& table() const { return table_; }

 private:
  const AppState& state_;
  MetricsTable table_;
  QLineEdit* standardWeight_;
};

class ModelFitWindow final : public QDialog {
  Q_OBJECT
 public:
  // The fit of the analysis run and, when `calibration` holds the three groups, of each group's
  // calibration.
  ModelFitWindow(const AppState& state, Clipboard& clipboard, QWidget* parent);
  // Shows predicted against recorded values of one item (FitItem).
  void showItem(int item);
  const ModelFit& fit() const { return fit_; }
  QChart* chart() const { return chart_; }

 private:
  ModelFit fit_;
  Grid groupTable_;
  QComboBox* item_;
  QChart* chart_;
};

class GrowthCurvesWindow final : public QDialog {
  Q_OBJECT
 public:
  GrowthCurvesWindow(const GroupCurves& curves, QWidget* parent);
  QTabWidget* tabs() const { return tabs_; }

 private:
  QTabWidget* tabs_;
};

// Whether the record holds a calibration of all three groups.
bool holdsGroupCalibrations(const CalibrationRecord& calibration);

// Adds the menu "Results" with "Metrics", "Model fit", "League", "Validate Calibration",
// "Growth Curves" and "Save Report" to
// `menus`; the windows read `state` (the main window's) when they open.
void addResultsMenu(QMenuBar& menus, AppState& state, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent);

// "Save Report": asks for the file (report.html) and writes the report of the current analysis,
// with the calibrated parts when a stored calibration set is known. False when nothing was written.
bool saveReport(AppState& state, Dialogs& dialogs);

}  // namespace plumetra::qt
