#pragma once
// The day-by-day growth of a calibrated location's three groups (Top, Middle, Bottom) and of
// the breed before calibration: live weight, daily gain, daily feed intake and cumulative
// feed conversion, each group grown with its own calibration, settings and diets on its
// stored feeding programme. Where the groups part is what these curves show.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "controls/dialogs.h"
#include "controls/grid.h"
#include "model/model_state.h"

namespace plumetra {

struct GroupCurve {
  std::string name;  // "Uncalibrated", "Top", "Middle", "Bottom"
  bool grown = false;
  std::string problem;          // why it was not grown
  std::vector<double> weight;   // g, days 0..final day
  std::vector<double> gain;     // g/day (day 0: 0)
  std::vector<double> intake;   // g/day
  std::vector<double> cumulativeFcr;  // feed eaten so far (kg) / live weight (kg); day 0: NaN
};

// Index 0 the uncalibrated model (the built-in growth parameters, on the Middle group's diets
// and programme), 1-3 Top, Middle, Bottom.
using GroupCurves = std::array<GroupCurve, 4>;

// The location's base name from a path naming one of its files or the base itself:
// "out/FarmTop.clb", "out/FarmTop" and "out/Farm" all give "out/Farm".
std::filesystem::path locationBase(const std::filesystem::path& named);

// Grows the four curves. `start` gives what the location's files do not (breed table, units).
// Messages about missing or refused files go through `dialogs`.
GroupCurves growGroupCurves(const ModelState& start, const std::filesystem::path& base, Dialogs& dialogs);

// curves.tsv: "Day", then per curve "<name> Weight g", "<name> Gain g/day",
// "<name> Intake g/day", "<name> Cum. FCR"; the days of the longest curve.
Grid curvesGrid(const GroupCurves& curves);

}  // namespace plumetra
