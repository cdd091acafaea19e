#pragma once
// Everything the flock report shows, gathered from one main window's state after an analysis
// run (and, when the groups are calibrated, their curves and the lower-cost result).

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "analysis/flock_metrics.h"
#include "analysis/league_table.h"
#include "analysis/trends.h"
#include "analysis/model_fit.h"
#include "analysis/split_flocks.h"
#include "calibration/group_curves.h"
#include "controls/dialogs.h"
#include "controls/grid.h"
#include "state/app_state.h"

namespace plumetra {

struct ReportData {
  // The data set and the settings.
  std::string dataSet;            // the flock data file (or "pasted table")
  std::string date;               // year-month-day
  std::string sex;                // the flock sex as chosen
  int chosenSex = -1;             // its index (0 mixed, 1 males, 2 females), -1 when none is chosen
  std::string breeds;             // breeds chosen for males and females
  std::string sortedBy;           // heading of the first sort
  std::string calibration;        // the calibrated set's base name; empty when none
  std::array<double, 4> split{};  // 1 low, 2 middle, 3 high percent
  int flocksLoaded = 0;

  SplitFlocks flocks;
  int outliersFound = 0;
  std::vector<std::string> outliers;  // the outliers still in the split, with their feed conversion
  std::vector<std::string> outside;   // flocks of the data not in the split, and why

  MetricsTable metrics;
  LeagueTable league;  // the farms ranked by adjusted FCR
  Trends trends;       // by month, or by quarter over more than two years
  ModelFit fit;
  std::optional<GroupCurves> curves;
  std::optional<Grid> lowerCost;  // the lower-cost results window's grid
};

// The report's data from the state after an analysis run; the fit is the analysis run's own
// (add the calibrated fit, curves and lower-cost result afterwards). The adjusted FCR's standard
// weight and slope default as metricsOf's do.
ReportData reportDataOf(const AppState& state, std::optional<double> standardWeight,
                        std::optional<double> fcrSlope = std::nullopt);

// The base of a stored calibration set whose Top, Middle and Bottom ".clb" files exist: the
// location in force, else the set the last calibration stored (lastDir + its base name);
// empty when there is none.
std::filesystem::path storedCalibrationBase(const AppState& state);

// The calibrated parts, with state.calibration holding the three groups and `base` naming
// their stored files (base + "Top.clb" ...): the fit with each group's calibration, the
// group curves, and the lower-cost result. `lowerCost` is a search already made (the results
// window's grid); without one, and when the diets carry feed costs, the search runs for the
// Middle group's weight. The model of `state` then holds the search's last run.
void addCalibratedParts(AppState& state, ReportData& data, const std::filesystem::path& base, const Grid* lowerCost,
                        Dialogs& dialogs);

}  // namespace plumetra
