#include "calibration/lower_cost_search.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <memory>

#include "model/composition.h"
#include "model/growth_run.h"

namespace plumetra {

namespace {


double programmeCost(const ModelState& m, const PhaseVector& price) {
  double cost = 0;
  for (int p = 1; p <= m.inputs.DietCount; ++p) cost += price[p] * m.inputs.FeedAllotment[p];
  return cost;
}

std::vector<double> allotments(const ModelState& m) {
  return {m.inputs.FeedAllotment.begin() + 1, m.inputs.FeedAllotment.begin() + 1 + m.inputs.DietCount};
}

}  // namespace

double LastPhaseFeed(const ModelState& m, int sex) {
  double feed = m.results.FeedToEnd[sex];
  for (int p = 1; p <= m.inputs.DietCount - 1; ++p) feed -= m.inputs.FeedAllotment[p];
  return feed;
}

double CompositionMeasure(const ModelState& m) {
  const auto& mass = m.results.ComponentMass[m.inputs.ModelSex][m.results.FinalDay];
  return mass[kCompositionComponentA] + mass[kCompositionComponentB];
}

void ApplyGroupCalibration(ModelState& m, const CalibrationRecord& calibration, int g) {
  for (int s = 1; s <= 2; ++s) {
    for (int r = kItemHatchWeight; r <= kItemRate; ++r) m.inputs.GrowthParams[s][r] = calibration(g, s, r);
    m.inputs.FeCorrection[s] = calibration(g, s, kItemFeCorrection);
  }
  SetHatchWeights(m);
}

bool RunProgramme(ModelState& m, const std::vector<double>& x, double targetGrams) {
  const int n = m.inputs.DietCount;
  for (int p = 1; p <= n; ++p) m.inputs.FeedAllotment[p] = x[static_cast<size_t>(p - 1)];
  m.inputs.stop = RunStop::AtWeight(targetGrams);
  if (GrowFlock(m) != GrowthRunEnd::TargetReached) return false;
  m.inputs.FeedAllotment[n] = LastPhaseFeed(m, m.inputs.ModelSex);
  return true;
}

CostObjective::CostObjective(ModelState& model, const LowerCostSetup& setup, LowerCostGroup& record,
                             bool reuseRuns)
    : m_(model), setup_(setup), record_(record), reuseRuns_(reuseRuns) {
  double dearest = 0;
  for (int p = 1; p <= model.inputs.DietCount; ++p) dearest = std::max(dearest, std::fabs(setup.price[p]));
  infeasibleFloor_ = 1 + std::pow(kBreachFactor, model.inputs.DietCount) * dearest * kMaxFeedPerBird;
}

CostObjective::RunFigures CostObjective::evaluate(const std::vector<double>& x) {
  RunFigures run;
  ++growthRuns_;
  if (!RunProgramme(m_, x, setup_.targetGrams)) {
    run.cost = 2 * infeasibleFloor_;
    return run;
  }
  const int n = m_.inputs.DietCount;
  // Phases fed less than nothing: the cost would fall (and its breaches reward it).
  double shortfall = 0;
  for (int p = 1; p <= n; ++p) shortfall += std::max(0.0, -m_.inputs.FeedAllotment[p]);
  if (shortfall > 0) {
    run.cost = infeasibleFloor_ * (1 + shortfall);
    return run;
  }
  run.feasible = true;
  run.cost = programmeCost(m_, setup_.price);
  run.composition = CompositionMeasure(m_);
  run.feedConversion = m_.results.FinalFeedConversion;
  run.finalAge = m_.results.FinalAge;
  if (kCompositionFloor * record_.ReferenceComposition > run.composition) run.cost *= kBreachFactor;
  for (int p = 1; p <= n - 1; ++p)
    if (m_.inputs.FeedAllotment[p] < record_.MinimumFeed[p]) run.cost *= kBreachFactor;
  return run;
}

double CostObjective::operator()(const std::vector<double>& x) {
  RunFigures run;
  lastPoint_ = x;
  if (reuseRuns_) {
    std::vector<std::uint64_t> key(x.size() - 1);
    for (size_t i = 0; i + 1 < x.size(); ++i) key[i] = std::bit_cast<std::uint64_t>(x[i]);
    const auto [slot, fresh] = runs_.try_emplace(std::move(key));
    if (fresh) slot->second = evaluate(x);
    run = slot->second;
  } else {
    run = evaluate(x);
  }
  if (run.feasible && run.cost < bestCost_) {
    bestCost_ = run.cost;
    record_.LowestCost = run.cost;
    record_.Composition = run.composition;
    record_.FeedConversion = run.feedConversion;
    record_.FinalAge = run.finalAge;
  }
  return run.cost;
}

std::vector<double> LowerCostStartPoint(const std::vector<double>& programme) {
  std::vector<double> x = programme;
  for (size_t p = 0; p < std::min(x.size(), static_cast<size_t>(kStartCutPhases)); ++p) x[p] *= kStartShare;
  return x;
}

LowerCostGroup LowerCostSearch(ModelState& m, const LowerCostSetup& setup, int g, bool reuseRuns) {
  LowerCostGroup record;
  const int n = m.inputs.DietCount;
  if (n < 1 || n > kMaxDietPhases) return record;
  if (!setup.calibration.hasGroup(g)) {
    record.calibrated = false;
    return record;
  }
  m.inputs.DensityInput = {setup.density[g], m.inputs.DensityInput[1]};
  for (int p = 1; p <= n; ++p) {
    m.inputs.FeedAllotment[p] = setup.groupIntake[g][p];
    for (int k = 1; k < kNutrients; ++k) m.inputs.DietNutrients[p][k] = setup.diets[p][k];
  }
  ApplyGroupCalibration(m, setup.calibration, g);

  std::vector<double> step(static_cast<size_t>(n));
  for (int p = 1; p <= n; ++p) step[static_cast<size_t>(p - 1)] = m.inputs.FeedAllotment[p] / kStepDivisor;

  // The group's own programme, its last phase what the bird needs to reach the target.
  if (!RunProgramme(m, allotments(m), setup.targetGrams)) return record;
  for (int p = 1; p <= n; ++p) record.MinimumFeed[p] = kMinimumShare * m.inputs.FeedAllotment[p];
  const std::vector<double> initial = allotments(m);
  if (!RunProgramme(m, initial, setup.targetGrams)) return record;
  record.searched = true;
  // When the group's amounts of the earlier phases carry the bird past the target, its last
  // phase comes out negative: the group's programme at the target is then what the run ate.
  std::vector<double> initialAtTarget = initial;
  if (m.inputs.FeedAllotment[n] < 0) {
    for (int p = 1; p <= n; ++p) m.inputs.FeedAllotment[p] = m.results.FeedByDiet[p];
    initialAtTarget = allotments(m);
  }
  record.InitialCost = programmeCost(m, setup.price);
  record.ReferenceComposition = CompositionMeasure(m);
  const double initialConversion = m.results.FinalFeedConversion;
  const double initialAge = m.results.FinalAge;

  std::vector<double> x = LowerCostStartPoint(initial);
  CostObjective objective(m, setup, record, reuseRuns);
  record.LowestCost = objective.bestCost();
  const NelderMeadResult result = NelderMead(
      x, step, kLowerCostReqmin, kLowerCostKonvge, kLowerCostKcount,
      [&objective](const std::vector<double>& point) { return objective(point); });
  record.fault = result.ifault;
  record.evaluations = result.icount;
  record.growthRuns = objective.growthRuns();

  if (result.ifault == NelderMeadFault::BadInput || !(record.LowestCost < record.InitialCost)) {
    // Nothing cheaper than the group's own programme: that is the answer.
    record.keptInitial = true;
    record.LowestCost = record.InitialCost;
    record.Composition = record.ReferenceComposition;
    record.FeedConversion = initialConversion;
    record.FinalAge = initialAge;
    for (int p = 1; p <= n; ++p) record.BestFeed[p] = initialAtTarget[static_cast<size_t>(p - 1)];
  } else {
    for (int p = 1; p <= n; ++p) record.BestFeed[p] = result.xmin[static_cast<size_t>(p - 1)];
    // The minimiser's last coordinate is never eaten as such: show what the best run ate.
    if (RunProgramme(m, result.xmin, setup.targetGrams)) record.BestFeed[n] = m.inputs.FeedAllotment[n];
  }
  // The model is left with the last evaluation's run, as the search leaves it.
  if (!objective.lastPoint().empty()) RunProgramme(m, objective.lastPoint(), setup.targetGrams);
  return record;
}

LowerCostRecord LowerCostSearchAll(ModelState& model, const LowerCostSetup& setup) {
  LowerCostRecord record;
  record.TargetWeight = setup.targetGrams;
  record.DietCount = model.inputs.DietCount;
  // Every group starts from the same inputs and results; the rest of the model no run writes.
  const GrowthInputs inputs = model.inputs;
  const auto results = std::make_unique<GrowthResults>(model.results);
  for (int g = kGroupTop; g <= kGroupBottom; ++g) {
    model.inputs = inputs;
    model.results = *results;
    record.groups[g] = LowerCostSearch(model, setup, g);
  }
  return record;
}

}  // namespace plumetra
