#include "analysis/model_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "workspace/not_known.h"
#include "controls/fixed_text.h"
#include "calibration/group_inputs.h"
#include "calibration/lower_cost_search.h"
#include "model/composition.h"
#include "model/growth_run.h"
#include "workspace/flock_selection.h"

namespace plumetra {

namespace {

constexpr std::array<int, FitItemCount> FitDecimals{3, 3, 2};

}  // namespace

FitTable statisticsOf(const std::vector<FlockFit>& flocks, std::array<double, FitItemCount> FlockFit::*values) {
  FitTable table{};
  for (int g = 1; g <= 4; ++g)
    for (int k = 0; k < FitItemCount; ++k) {
      std::vector<double> recorded, predicted;
      for (const FlockFit& f : flocks)
        if (g == 4 || f.group == g) {
          recorded.push_back(f.recorded[k]);
          predicted.push_back((f.*values)[k]);
        }
      table[g][k] = fitStatistics(recorded, predicted);
    }
  return table;
}

FitStatistics fitStatistics(std::span<const double> recorded, std::span<const double> predicted) {
  FitStatistics s;
  double sumRecorded = 0, sumError = 0, sumPercent = 0;
  int percentCount = 0;
  for (std::size_t i = 0; i < recorded.size() && i < predicted.size(); ++i) {
    if (!std::isfinite(recorded[i]) || !std::isfinite(predicted[i])) continue;
    ++s.n;
    sumRecorded += recorded[i];
    sumError += predicted[i] - recorded[i];
    if (recorded[i] != 0) {
      sumPercent += std::abs(predicted[i] - recorded[i]) / std::abs(recorded[i]);
      ++percentCount;
    }
  }
  if (s.n == 0) return {0, NotKnown, NotKnown, NotKnown};
  const double meanRecorded = sumRecorded / s.n;
  double residual = 0, total = 0;
  for (std::size_t i = 0; i < recorded.size() && i < predicted.size(); ++i) {
    if (!std::isfinite(recorded[i]) || !std::isfinite(predicted[i])) continue;
    residual += (recorded[i] - predicted[i]) * (recorded[i] - predicted[i]);
    total += (recorded[i] - meanRecorded) * (recorded[i] - meanRecorded);
  }
  s.bias = sumError / s.n;
  s.mape = percentCount > 0 ? sumPercent / percentCount * 100.0 : NotKnown;
  s.rSquare = total > 0 ? 1.0 - residual / total : NotKnown;
  return s;
}

ModelFit initialFit(const SplitFlocks& split) {
  ModelFit fit;
  const bool modelRan = std::any_of(split.flocks.begin(), split.flocks.end(),
                                    [](const SplitFlock& f) { return f.predicted.has_value(); });
  if (!modelRan) return fit;
  for (const SplitFlock& f : split.flocks) {
    FlockFit ff;
    ff.key = f.key;
    ff.group = f.group;
    ff.recorded = {f.liveWeight, f.feedConversion, f.age};
    if (f.predicted)
      ff.predicted = {f.predicted->liveWeight, f.predicted->feedConversion, f.predicted->age};
    else
      ff.predicted.fill(NotKnown);
    ff.calibrated.fill(NotKnown);
    fit.flocks.push_back(ff);
  }
  fit.initial = statisticsOf(fit.flocks, &FlockFit::predicted);
  return fit;
}

void addCalibratedFit(ModelFit& fit, const SplitFlocks& split, const ModelState& model,
                      const CalibrationRecord& calibration, int sex) {
  auto m = std::make_unique<ModelState>(model);
  const int phases = std::clamp(m->inputs.dietCount, 0, MaxDietPhases);
  if (sex >= 0) m->inputs.modelSex = sex;
  int appliedGroup = 0;
  for (std::size_t i = 0; i < split.flocks.size() && i < fit.flocks.size(); ++i) {
    const SplitFlock& f = split.flocks[i];
    if (f.group != appliedGroup) {
      prepareComposition(*m);
      applyGroupCalibration(*m, calibration, f.group);
      appliedGroup = f.group;
    }
    double feed = 0;
    for (int p = 1; p <= phases; ++p) {
      m->inputs.feedAllotment[p] = f.intake[static_cast<std::size_t>(p)];
      feed += m->inputs.feedAllotment[p];
    }
    setDensity(*m, f.density);
    m->inputs.stop = RunStop::atFeed(feed);
    m->inputs.modelSex = sexOf(f, sex >= 0 ? sex : model.inputs.modelSex);
    setHatchWeights(*m);
    if (feed > 0 && growFlock(*m) == GrowthRunEnd::TargetReached && m->results.finalWeight > 0)
      fit.flocks[i].calibrated = {m->results.finalWeight / 1000.0, feed / (m->results.finalWeight / 1000.0), m->results.finalAge};
  }
  fit.calibrated = true;
  fit.withCalibration = statisticsOf(fit.flocks, &FlockFit::calibrated);
}

Grid fitFlockGrid(const ModelFit& fit) {
  const int perItem = fit.calibrated ? 3 : 2;
  constexpr int firstItemCol = FlockKeyColumns + 1;
  Grid grid(static_cast<int>(fit.flocks.size()) + 1, firstItemCol + FitItemCount * perItem);
  writeFlockKeyHeadings(grid, 0);
  grid.setText(0, FlockKeyColumns, "Group");
  for (int k = 0; k < FitItemCount; ++k) {
    const int c = firstItemCol + k * perItem;
    grid.setText(0, c, std::string("Recorded ") + FitItemNames[k]);
    grid.setText(0, c + 1, std::string("Predicted ") + FitItemNames[k]);
    if (fit.calibrated) grid.setText(0, c + 2, std::string("Calibrated ") + FitItemNames[k]);
  }
  for (std::size_t i = 0; i < fit.flocks.size(); ++i) {
    const FlockFit& f = fit.flocks[i];
    const int r = static_cast<int>(i) + 1;
    writeFlockKey(grid, r, f.key);
    grid.setText(r, FlockKeyColumns, GroupNames[static_cast<std::size_t>(f.group)]);
    for (int k = 0; k < FitItemCount; ++k) {
      const int c = firstItemCol + k * perItem;
      grid.setText(r, c, fixedText(f.recorded[k], FitDecimals[k]));
      grid.setText(r, c + 1, fixedText(f.predicted[k], FitDecimals[k]));
      if (fit.calibrated) grid.setText(r, c + 2, fixedText(f.calibrated[k], FitDecimals[k]));
    }
  }
  return grid;
}

Grid fitGroupGrid(const ModelFit& fit) {
  static constexpr std::array<const char*, 3> measures{"Bias", "MAPE %", "R2"};
  Grid grid(1 + 4 * FitItemCount, fit.calibrated ? 9 : 6);
  grid.setText(0, 0, "Group");
  grid.setText(0, 1, "Item");
  grid.setText(0, 2, "N");
  for (int j = 0; j < 3; ++j) {
    grid.setText(0, 3 + j, measures[j]);
    if (fit.calibrated) grid.setText(0, 6 + j, std::string("Calibrated ") + measures[j]);
  }
  int r = 1;
  for (int g = 1; g <= 4; ++g)
    for (int k = 0; k < FitItemCount; ++k, ++r) {
      const FitStatistics& s = fit.initial[g][k];
      grid.setText(r, 0, GroupNames[static_cast<std::size_t>(g)]);
      grid.setText(r, 1, FitItemNames[k]);
      grid.setText(r, 2, std::to_string(s.n));
      grid.setText(r, 3, fixedText(s.bias, FitDecimals[k]));
      grid.setText(r, 4, fixedText(s.mape, 2));
      grid.setText(r, 5, fixedText(s.rSquare, 3));
      if (!fit.calibrated) continue;
      const FitStatistics& c = fit.withCalibration[g][k];
      grid.setText(r, 6, fixedText(c.bias, FitDecimals[k]));
      grid.setText(r, 7, fixedText(c.mape, 2));
      grid.setText(r, 8, fixedText(c.rSquare, 3));
    }
  return grid;
}

}  // namespace plumetra
