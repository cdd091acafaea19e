#include "model/growth_run.h"

#include "model/body_composition.h"
#include "model/day_step.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace plumetra {

namespace {

constexpr double kEndlessAllotment = 100.0;  // kg: the last phase of a weight or age run never ends
constexpr int kLastRunDay = 70;              // a run that has not stopped by then ends with "WOW"
constexpr int kTotalsDay = 99;

// Working composition tables back to their baselines, days 0-98 of every sex and component.
void restoreComposition(ModelState& m) {
  constexpr std::size_t rowBytes = sizeof(double) * (kLastGrowthDay + 1);
  for (int s = 0; s < kSexRows; ++s)
    for (int k = 1; k < kComponentSlots; ++k) {
      std::memcpy(m.ComponentMass[s][k].data(), m.ComponentMassBase[s][k].data(), rowBytes);
      std::memcpy(m.ComponentShare[s][k].data(), m.ComponentShareBase[s][k].data(), rowBytes);
    }
}

// A run never starts from weight 0: missing day-0 weights take the hatch weights.
void ensureHatchWeights(ModelState& m) {
  for (int s = 1; s < kSexRows; ++s)
    if (m.BodyWeight[s][0] <= 0) m.BodyWeight[s][0] = m.GrowthParams[s][kParamW0];
  if (m.BodyWeight[0][0] <= 0) m.BodyWeight[0][0] = (m.BodyWeight[1][0] + m.BodyWeight[2][0]) / 2.0;
}

// Loads the nutrient vector of a phase; false (with the message recorded) when its energy
// is below 1, which would make the feed intake infinite.
bool loadPhase(ModelState& m, int phase) {
  m.DayNutrients = m.DietNutrients[phase];
  if (m.DayNutrients[1] >= 1.0) return true;
  m.Messages.energyFaultPhase = phase;
  return false;
}

double stopValue(const ModelState& m, int sex, int day, double cumulativeFeed) {
  switch (m.RunMode.stopMode) {
    case kStopOnWeight: return m.BodyWeight[sex][day];
    case kStopOnFeed: return cumulativeFeed;
    case kStopOnAge: return day;
    default: return -std::numeric_limits<double>::infinity();  // no stop: runs to "WOW"
  }
}

// Books the day's feed on the phase; what goes beyond its allotment lands on the next phase.
void allocateFeed(ModelState& m, const PhaseVector& allotment, int phase, double feed) {
  auto& eaten = m.FeedByDiet;
  if (feed + eaten[phase] < allotment[phase]) {
    eaten[phase] += feed;
  } else {
    eaten[phase + 1] = feed + eaten[phase] - allotment[phase];
    eaten[phase] = allotment[phase];
  }
}

}  // namespace

void GrowDay(ModelState& m, int day, int& phase, int& passCount) {
  if (m.ModelSex != 2) {
    m.SimSex = 1;
    GrowSexDay(m, day, phase, passCount);
  }
  if (m.ModelSex != 1) {
    m.SimSex = 2;
    GrowSexDay(m, day, phase, passCount);
  }
  if (m.ModelSex == 0) {
    m.BodyWeight[0][day] = (m.BodyWeight[1][day] + m.BodyWeight[2][day]) / 2.0;
    m.FeedIntake[0][day] = (m.FeedIntake[1][day] + m.FeedIntake[2][day]) / 2.0;
    MixComposition(m, day);
  }
}

GrowthRunEnd GrowFlock(ModelState& m) {
  m.Messages.clear();
  if (m.FeedIntake[2][kTotalsDay] > 0) m.GrowthParams[2][kParamPrevFeed] = m.FeedIntake[2][kTotalsDay];
  m.ChangeOnWeight = 1;  // phases always change by feed eaten
  restoreComposition(m);
  InitModelTables(m);
  m.FeedByDiet.fill(0.0);  // every entry, so no earlier run's overflow is booked again
  ensureHatchWeights(m);

  const int dietCount = std::clamp(m.DietCount, 1, kMaxDietPhases);
  const int sex = std::clamp(m.ModelSex, 0, kSexRows - 1);
  int phase = 1;
  if (!loadPhase(m, phase)) return GrowthRunEnd::DietEnergyFault;

  PhaseVector allotment{};
  for (int d = 1; d <= dietCount; ++d) allotment[d] = m.FeedAllotment[d];
  if (m.RunMode.stopMode != kStopOnFeed) allotment[dietCount] = kEndlessAllotment;

  for (int s = 0; s < kSexRows; ++s)
    for (int day = 1; day <= kLastGrowthDay; ++day) m.BodyWeight[s][day] = m.FeedIntake[s][day] = 0;

  // Days until the target is reached; a run always stops by day 71.
  double cumulativeFeed = 0;
  int passCount = 0;
  int day = 1;
  for (;; ++day) {
    if (m.FeedByDiet[phase] >= allotment[phase]) {
      if (m.DayNutrients[1] > 4000) m.DayNutrients[1] = m.DietNutrients[phase][1];
      phase = std::min(phase + 1, dietCount);
      if (!loadPhase(m, phase)) return GrowthRunEnd::DietEnergyFault;
    }
    if (day > kLastRunDay) {
      m.FinalAge = day;
      m.FinalDay = day;
      m.FinalWeight = m.BodyWeight[sex][day] / 1000.0;
      m.Messages.targetMissed = true;
      return GrowthRunEnd::TargetMissed;
    }
    GrowDay(m, day, phase, passCount);
    const double feed = m.FeedIntake[sex][day];
    cumulativeFeed += feed;
    allocateFeed(m, allotment, phase, feed);
    if (m.RunTarget <= stopValue(m, sex, day, cumulativeFeed)) break;
  }

  // The target fell within the last day: take the fraction of it that was needed.
  const auto& weight = m.BodyWeight[sex];
  const double lastFeed = m.FeedIntake[sex][day];
  double needed = 0;
  double whole = 1;
  switch (m.RunMode.stopMode) {
    case kStopOnWeight:
      needed = m.RunTarget - weight[day - 1];
      whole = weight[day] - weight[day - 1];
      break;
    case kStopOnFeed:
      needed = m.RunTarget - (cumulativeFeed - lastFeed);
      whole = lastFeed;
      break;
    case kStopOnAge:
      needed = m.RunTarget - (day - 1);
      whole = 1;
      break;
  }
  const double f = whole != 0 ? needed / whole : 1.0;
  const double uneaten = (1.0 - f) * lastFeed;
  for (int s = 0; s < kSexRows; ++s) {
    m.BodyWeight[s][day] = m.BodyWeight[s][day - 1] + f * (m.BodyWeight[s][day] - m.BodyWeight[s][day - 1]);
    m.FeedIntake[s][day] = f * m.FeedIntake[s][day];
  }

  m.FinalAge = (needed == 0 || needed == 1.0) ? day : (day - 1) + f;
  if (m.RunMode.stopMode == kStopOnFeed) m.FinalWeight = weight[day];
  m.FinalDay = day;
  TakeFinalComposition(m);

  // Feed bookkeeping. The uneaten part of the last day comes off where that day's feed was
  // booked: its overflow into the next phase first, then the phase fed. Feed beyond the last
  // phase is booked on the last phase.
  auto& eaten = m.FeedByDiet;
  if (uneaten > 0) {
    const double fromOverflow = std::min(uneaten, eaten[phase + 1]);
    eaten[phase + 1] -= fromOverflow;
    eaten[phase] -= uneaten - fromOverflow;
  }
  if (eaten[dietCount + 1] > 0) {
    eaten[dietCount] += eaten[dietCount + 1];
    eaten[dietCount + 1] = 0;
  }
  m.TotalEnergyEaten = 0;
  m.TotalFeed = 0;
  m.FeedByDietResult.fill(0.0);
  for (int d = 1; d <= dietCount; ++d) {
    m.TotalEnergyEaten += m.DietNutrients[d][1] * eaten[d];
    m.FeedByDietResult[d] = eaten[d];
    m.TotalFeed += eaten[d];
  }

  m.FinalFeedConversion = m.TotalFeed / (weight[day] * 0.001);
  for (int s = 0; s < kSexRows; ++s) {
    m.BodyWeight[s][kTotalsDay] = m.BodyWeight[s][day];
    double total = 0;
    for (int d = 1; d <= day; ++d) total += m.FeedIntake[s][d];
    m.FeedIntake[s][kTotalsDay] = total;
  }
  return GrowthRunEnd::TargetReached;
}

GrowthRunEnd GrowFlock(ModelState& m, Dialogs& dialogs) {
  const GrowthRunEnd end = GrowFlock(m);
  ShowRunMessages(m.Messages, dialogs);
  return end;
}

}  // namespace plumetra
