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
  for (int p = 1; p <= m.inputs.dietCount; ++p) cost += price[p] * m.inputs.feedAllotment[p];
  return cost;
}

std::vector<double> allotments(const ModelState& m) {
  return {m.inputs.feedAllotment.begin() + 1, m.inputs.feedAllotment.begin() + 1 + m.inputs.dietCount};
}

}  // namespace

double lastPhaseFeed(const ModelState& m, int sex) {
  double feed = m.results.feedToEnd[sex];
  for (int p = 1; p <= m.inputs.dietCount - 1; ++p) feed -= m.inputs.feedAllotment[p];
  return feed;
}

double compositionMeasure(const ModelState& m) {
  const auto& mass = m.results.componentMass[m.inputs.modelSex][m.results.finalDay];
  return mass[CompositionComponentA] + mass[CompositionComponentB];
}

void applyGroupCalibration(ModelState& m, const CalibrationRecord& calibration, int g) {
  for (int s = 1; s <= 2; ++s) {
    for (int r = ItemHatchWeight; r <= ItemRate; ++r) m.inputs.growthParams[s][r] = calibration(g, s, r);
    m.inputs.feCorrection[s] = calibration(g, s, ItemFeCorrection);
  }
  setHatchWeights(m);
}

bool runProgramme(ModelState& m, const std::vector<double>& x, double targetGrams) {
  const int n = m.inputs.dietCount;
  for (int p = 1; p <= n; ++p) m.inputs.feedAllotment[p] = x[static_cast<size_t>(p - 1)];
  m.inputs.stop = RunStop::atWeight(targetGrams);
  if (growFlock(m) != GrowthRunEnd::TargetReached) return false;
  m.inputs.feedAllotment[n] = lastPhaseFeed(m, m.inputs.modelSex);
  return true;
}

CostObjective::CostObjective(ModelState& model, const LowerCostSetup& setup, LowerCostGroup& record,
                             bool reuseRuns)
    : m_(model), setup_(setup), record_(record), reuseRuns_(reuseRuns) {
  double dearest = 0;
  for (int p = 1; p <= model.inputs.dietCount; ++p) dearest = std::max(dearest, std::fabs(setup.price[p]));
  infeasibleFloor_ = 1 + std::pow(BreachFactor, model.inputs.dietCount) * dearest * MaxFeedPerBird;
}

CostObjective::RunFigures CostObjective::evaluate(const std::vector<double>& x) {
  RunFigures run;
  ++growthRuns_;
  if (!runProgramme(m_, x, setup_.targetGrams)) {
    run.cost = 2 * infeasibleFloor_;
    return run;
  }
  const int n = m_.inputs.dietCount;
  // Phases fed less than nothing: the cost would fall (and its breaches reward it).
  double shortfall = 0;
  for (int p = 1; p <= n; ++p) shortfall += std::max(0.0, -m_.inputs.feedAllotment[p]);
  if (shortfall > 0) {
    run.cost = infeasibleFloor_ * (1 + shortfall);
    return run;
  }
  run.feasible = true;
  run.cost = programmeCost(m_, setup_.price);
  run.composition = compositionMeasure(m_);
  run.feedConversion = m_.results.finalFeedConversion;
  run.finalAge = m_.results.finalAge;
  if (CompositionFloor * record_.referenceComposition > run.composition) run.cost *= BreachFactor;
  for (int p = 1; p <= n - 1; ++p)
    if (m_.inputs.feedAllotment[p] < record_.minimumFeed[p]) run.cost *= BreachFactor;
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
    record_.lowestCost = run.cost;
    record_.composition = run.composition;
    record_.feedConversion = run.feedConversion;
    record_.finalAge = run.finalAge;
  }
  return run.cost;
}

std::vector<double> lowerCostStartPoint(const std::vector<double>& programme) {
  std::vector<double> x = programme;
  for (size_t p = 0; p < std::min(x.size(), static_cast<size_t>(StartCutPhases)); ++p) x[p] *= StartShare;
  return x;
}

LowerCostGroup lowerCostSearch(ModelState& m, const LowerCostSetup& setup, int g, bool reuseRuns) {
  LowerCostGroup record;
  const int n = m.inputs.dietCount;
  if (n < 1 || n > MaxDietPhases) return record;
  if (!setup.calibration.hasGroup(g)) {
    record.calibrated = false;
    return record;
  }
  m.inputs.densityInput = {setup.density[g], m.inputs.densityInput[1]};
  for (int p = 1; p <= n; ++p) {
    m.inputs.feedAllotment[p] = setup.groupIntake[g][p];
    for (int k = 1; k < Nutrients; ++k) m.inputs.dietNutrients[p][k] = setup.diets[p][k];
  }
  applyGroupCalibration(m, setup.calibration, g);

  std::vector<double> step(static_cast<size_t>(n));
  for (int p = 1; p <= n; ++p) step[static_cast<size_t>(p - 1)] = m.inputs.feedAllotment[p] / StepDivisor;

  // The group's own programme, its last phase what the bird needs to reach the target.
  if (!runProgramme(m, allotments(m), setup.targetGrams)) return record;
  for (int p = 1; p <= n; ++p) record.minimumFeed[p] = MinimumShare * m.inputs.feedAllotment[p];
  const std::vector<double> initial = allotments(m);
  if (!runProgramme(m, initial, setup.targetGrams)) return record;
  record.searched = true;
  // When the group's amounts of the earlier phases carry the bird past the target, its last
  // phase comes out negative: the group's programme at the target is then what the run ate.
  std::vector<double> initialAtTarget = initial;
  if (m.inputs.feedAllotment[n] < 0) {
    for (int p = 1; p <= n; ++p) m.inputs.feedAllotment[p] = m.results.feedByDiet[p];
    initialAtTarget = allotments(m);
  }
  record.initialCost = programmeCost(m, setup.price);
  record.referenceComposition = compositionMeasure(m);
  const double initialConversion = m.results.finalFeedConversion;
  const double initialAge = m.results.finalAge;

  std::vector<double> x = lowerCostStartPoint(initial);
  CostObjective objective(m, setup, record, reuseRuns);
  record.lowestCost = objective.bestCost();
  const NelderMeadResult result = nelderMead(
      x, step, LowerCostReqmin, LowerCostKonvge, LowerCostKcount,
      [&objective](const std::vector<double>& point) { return objective(point); });
  record.fault = result.ifault;
  record.evaluations = result.icount;
  record.growthRuns = objective.growthRuns();

  if (result.ifault == NelderMeadFault::BadInput || !(record.lowestCost < record.initialCost)) {
    // Nothing cheaper than the group's own programme: that is the answer.
    record.keptInitial = true;
    record.lowestCost = record.initialCost;
    record.composition = record.referenceComposition;
    record.feedConversion = initialConversion;
    record.finalAge = initialAge;
    for (int p = 1; p <= n; ++p) record.bestFeed[p] = initialAtTarget[static_cast<size_t>(p - 1)];
  } else {
    for (int p = 1; p <= n; ++p) record.bestFeed[p] = result.xmin[static_cast<size_t>(p - 1)];
    // The minimiser's last coordinate is never eaten as such: show what the best run ate.
    if (runProgramme(m, result.xmin, setup.targetGrams)) record.bestFeed[n] = m.inputs.feedAllotment[n];
  }
  // The model is left with the last evaluation's run, as the search leaves it.
  if (!objective.lastPoint().empty()) runProgramme(m, objective.lastPoint(), setup.targetGrams);
  return record;
}

LowerCostRecord lowerCostSearchAll(ModelState& model, const LowerCostSetup& setup) {
  LowerCostRecord record;
  record.targetWeight = setup.targetGrams;
  record.dietCount = model.inputs.dietCount;
  // Every group starts from the same inputs and results; the rest of the model no run writes.
  const GrowthInputs inputs = model.inputs;
  const auto results = std::make_unique<GrowthResults>(model.results);
  for (int g = GroupTop; g <= GroupBottom; ++g) {
    model.inputs = inputs;
    model.results = *results;
    record.groups[g] = lowerCostSearch(model, setup, g);
  }
  return record;
}

}  // namespace plumetra
