#include "model/growth_run.h"

#include "model/body_composition.h"
#include "model/day_step.h"

#include <algorithm>
#include <limits>

namespace plumetra {

namespace {

constexpr double EndlessAllotment = 100.0;  // kg: the last phase of a weight or age run never ends
constexpr int LastRunDay = 70;              // a run that has not stopped by then ends with "WOW"

// The results a run writes by day, cleared so that nothing of an earlier run stays: body
// weight, intake and component masses of the days the last run wrote. Later days were never
// written or were cleared before.
void clearResults(GrowthResults& out) {
  const int days = out.lastDayWritten + 1;
  for (int s = 0; s < SexRows; ++s) {
    std::fill_n(out.bodyWeight[s].begin(), days, 0.0);
    std::fill_n(out.feedIntake[s].begin(), days, 0.0);
    std::fill_n(out.componentMass[s].begin(), days, std::array<double, ComponentSlots>{});
  }
  out.lastDayWritten = 0;
  out.feedByDiet.fill(0.0);
}

// Day 0 of the body weights: the hatch weights, or the curves' W0 (mixed: the sexes' mean).
void placeHatchWeights(const GrowthInputs& in, GrowthResults& out) {
  for (int s = 1; s < SexRows; ++s)
    out.bodyWeight[s][0] = in.hatchWeight[s] > 0 ? in.hatchWeight[s] : in.growthParams[s][ParamW0];
  out.bodyWeight[0][0] =
      in.hatchWeight[0] > 0 ? in.hatchWeight[0] : (out.bodyWeight[1][0] + out.bodyWeight[2][0]) / 2.0;
}

// Loads the nutrient vector of a phase; false (with the message recorded) when its energy
// is below 1, which would make the feed intake infinite.
bool loadPhase(GrowthRun& run, int phase) {
  run.work.nutrients = run.in.dietNutrients[phase];
  if (run.work.nutrients[1] >= 1.0) return true;
  run.out.messages.energyFaultPhase = phase;
  return false;
}

double stopValue(const GrowthRun& run, int sex, int day, double cumulativeFeed) {
  switch (run.in.stop.mode) {
    case StopOnWeight: return run.out.bodyWeight[sex][day];
    case StopOnFeed: return cumulativeFeed;
    case StopOnAge: return day;
    default: return -std::numeric_limits<double>::infinity();  // no stop: runs to "WOW"
  }
}

double stopTarget(const RunStop& stop) {
  switch (stop.mode) {
    case StopOnWeight: return stop.weightGrams;
    case StopOnFeed: return stop.feedKgPerBird;
    case StopOnAge: return stop.ageDays;
    default: return std::numeric_limits<double>::infinity();
  }
}

// Books the day's feed on the phase; what goes beyond its allotment lands on the next phase.
void allocateFeed(PhaseVector& eaten, const PhaseVector& allotment, int phase, double feed) {
  if (feed + eaten[phase] < allotment[phase]) {
    eaten[phase] += feed;
  } else {
    eaten[phase + 1] = feed + eaten[phase] - allotment[phase];
    eaten[phase] = allotment[phase];
  }
}

// One day of the run's sexes (male unless modelSex is 2, female unless it is 1) and, for a
// mixed run, the mixed row as their mean.
void growDay(GrowthRun& run, int sex, int day, int& phase) {
  stepDay(run, sex, day, phase);
  if (sex == 0) {
    auto& weight = run.out.bodyWeight;
    auto& intake = run.out.feedIntake;
    weight[0][day] = (weight[1][day] + weight[2][day]) / 2.0;
    intake[0][day] = (intake[1][day] + intake[2][day]) / 2.0;
    mixComposition(run.out, day);
  }
}

}  // namespace

GrowthRunEnd growFlock(const GrowthInputs& in, const ReferenceComposition& composition, const UnitSettings& units,
                       GrowthResults& out) {
  GrowthRun run(in, composition, units, out);
  out.messages.clear();
  clearResults(out);
  initModelTables(run);
  placeHatchWeights(in, out);

  const int dietCount = std::clamp(in.dietCount, 1, MaxDietPhases);
  const int sex = std::clamp(in.modelSex, 0, SexRows - 1);
  const double target = stopTarget(in.stop);
  int phase = 1;
  if (!loadPhase(run, phase)) return GrowthRunEnd::DietEnergyFault;

  PhaseVector allotment{};
  for (int d = 1; d <= dietCount; ++d) allotment[d] = in.feedAllotment[d];
  if (in.stop.mode != StopOnFeed) allotment[dietCount] = EndlessAllotment;

  // Days until the target is reached; a run always stops by day 71.
  PhaseVector eaten{};
  double cumulativeFeed = 0;
  int day = 1;
  for (;; ++day) {
    if (eaten[phase] >= allotment[phase]) {
      phase = std::min(phase + 1, dietCount);
      if (!loadPhase(run, phase)) return GrowthRunEnd::DietEnergyFault;
    }
    if (day > LastRunDay) {
      out.finalAge = day;
      out.finalDay = day;
      out.finalWeight = 0;  // the day is not grown
      out.weightAtEnd.fill(0.0);
      out.feedToEnd.fill(0.0);
      out.messages.targetMissed = true;
      return GrowthRunEnd::TargetMissed;
    }
    out.lastDayWritten = day;
    growDay(run, sex, day, phase);
    const double feed = out.feedIntake[sex][day];
    cumulativeFeed += feed;
    allocateFeed(eaten, allotment, phase, feed);
    if (target <= stopValue(run, sex, day, cumulativeFeed)) break;
  }

  // The target fell within the last day: take the fraction of it that was needed.
  const auto& weight = out.bodyWeight[sex];
  const double lastFeed = out.feedIntake[sex][day];
  double needed = 0;
  double whole = 1;
  switch (in.stop.mode) {
    case StopOnWeight:
      needed = target - weight[day - 1];
      whole = weight[day] - weight[day - 1];
      break;
    case StopOnFeed:
      needed = target - (cumulativeFeed - lastFeed);
      whole = lastFeed;
      break;
    case StopOnAge:
      needed = target - (day - 1);
      whole = 1;
      break;
  }
  const double f = whole != 0 ? needed / whole : 1.0;
  const double uneaten = (1.0 - f) * lastFeed;
  for (int s = 0; s < SexRows; ++s) {
    auto& w = out.bodyWeight[s];
    w[day] = w[day - 1] + f * (w[day] - w[day - 1]);
    out.feedIntake[s][day] = f * out.feedIntake[s][day];
  }

  out.finalAge = (needed == 0 || needed == 1.0) ? day : (day - 1) + f;
  out.finalWeight = weight[day];
  out.finalDay = day;
  takeFinalComposition(out, sex);

  // Feed bookkeeping. The uneaten part of the last day comes off where that day's feed was
  // booked: its overflow into the next phase first, then the phase fed. Feed beyond the last
  // phase is booked on the last phase.
  if (uneaten > 0) {
    const double fromOverflow = std::min(uneaten, eaten[phase + 1]);
    eaten[phase + 1] -= fromOverflow;
    eaten[phase] -= uneaten - fromOverflow;
  }
  if (eaten[dietCount + 1] > 0) eaten[dietCount] += eaten[dietCount + 1];
  out.totalEnergyEaten = 0;
  out.totalFeed = 0;
  for (int d = 1; d <= dietCount; ++d) {
    out.totalEnergyEaten += in.dietNutrients[d][1] * eaten[d];
    out.feedByDiet[d] = eaten[d];
    out.totalFeed += eaten[d];
  }

  out.finalFeedConversion = out.totalFeed / (weight[day] * 0.001);
  for (int s = 0; s < SexRows; ++s) {
    out.weightAtEnd[s] = out.bodyWeight[s][day];
    double total = 0;
    for (int d = 1; d <= day; ++d) total += out.feedIntake[s][d];
    out.feedToEnd[s] = total;
  }
  return GrowthRunEnd::TargetReached;
}

GrowthRunEnd growFlock(ModelState& m) { return growFlock(m.inputs, m.composition, m.settings.units, m.results); }

GrowthRunEnd growFlock(ModelState& m, Dialogs& dialogs) {
  const GrowthRunEnd end = growFlock(m);
  showRunMessages(m.results.messages, dialogs);
  return end;
}

}  // namespace plumetra
