#pragma once
// How well the growth model predicts the flocks: predicted against recorded live weight, feed
// conversion and age for every flock of the split, and per group the bias, the mean absolute
// percentage error and R squared; once the groups are calibrated, the same for each flock
// grown with its own group's calibration on the feed it ate.

#include <array>
#include <span>
#include <string>
#include <vector>

#include "analysis/split_flocks.h"
#include "calibration/calibration_record.h"
#include "controls/grid.h"
#include "model/model_state.h"

namespace plumetra {

enum FitItem { FitWeight, FitConversion, FitAge, FitItemCount };
inline constexpr std::array<const char*, FitItemCount> FitItemNames{"Live weight", "FCR", "Age"};

// Over pairs whose both values are finite:
//   bias = mean(predicted - recorded);
//   MAPE = mean(|predicted - recorded| / |recorded|) x 100 (recorded values of 0 left out);
//   R squared = 1 - sum (recorded - predicted)^2 / sum (recorded - mean recorded)^2
// (not finite without spread in the recorded values; negative when the predictions are worse
// than the recorded mean).
struct FitStatistics {
  int n = 0;
  double bias = 0, mape = 0, rSquare = 0;
};
FitStatistics fitStatistics(std::span<const double> recorded, std::span<const double> predicted);

// [group 1-3, 4 all][item]
using FitTable = std::array<std::array<FitStatistics, FitItemCount>, 5>;

struct FlockFit {
  FlockKey key;
  int group = 0;
  std::array<double, FitItemCount> recorded{}, predicted{}, calibrated{};  // calibrated: NaN until known
};

struct ModelFit {
  std::vector<FlockFit> flocks;
  bool calibrated = false;
  FitTable initial{}, withCalibration{};
};

// The statistics by group and item of one kind of prediction (&FlockFit::predicted or
// &FlockFit::calibrated) against the recorded values.
FitTable statisticsOf(const std::vector<FlockFit>& flocks, std::array<double, FitItemCount> FlockFit::*values);

// The analysis run's predictions at full precision against the recorded values. Empty when
// the model did not run.
ModelFit initialFit(const SplitFlocks& split);

// Grows every flock with its group's calibration on the feed it ate (stop on the feed eaten),
// at its own stocking density when density is matched, and adds the statistics. `model` is
// a prepared model (breeds, diets); it is copied, not changed. `sex` is the flock sex chosen
// (0 mixed, 1 males, 2 females; below 0: the model's own).
void addCalibratedFit(ModelFit& fit, const SplitFlocks& split, const ModelState& model,
                      const CalibrationRecord& calibration, int sex);

// fit.tsv: the flock key, Group, then recorded, predicted (and calibrated) of each item.
Grid fitFlockGrid(const ModelFit& fit);
// The per-group table: Group, Item, N, Bias, MAPE %, R2 (and the calibrated three).
Grid fitGroupGrid(const ModelFit& fit);

}  // namespace plumetra
