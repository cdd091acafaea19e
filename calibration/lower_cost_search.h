#pragma once
// The lower-cost feeding search: for each split group, with that group's calibration in
// force, the feed amounts per diet phase that bring a bird to the target live weight at the
// lowest feed cost, without letting carcass composition fall below 98 % of the group's own
// programme and without cutting any phase below half its amount.
//
// Phases count from 1 as in the model (feedAllotment[1..dietCount]); the minimiser's
// vectors are 0-based (x[p - 1] is phase p).

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "calibration/calibration_record.h"
#include "calibration/nelder_mead.h"
#include "model/model_state.h"
#include "controls/colour.h"
#include "workspace/diet_table.h"

namespace plumetra {

inline constexpr double InitialBestCost = 2000000;  // the best cost before a group's search
inline constexpr double BreachFactor = 4;           // cost multiplier per broken limit
inline constexpr double CompositionFloor = 0.98;    // of the reference composition
inline constexpr double MinimumShare = 0.5;         // of the group's amount of each phase
inline constexpr double StartShare = 0.66;          // start of phases 1-3
inline constexpr int StartCutPhases = 3;
inline constexpr double StepDivisor = 50;           // step = amount / 50
inline constexpr double LowerCostReqmin = 0.00001;
inline constexpr int LowerCostKonvge = 50;
inline constexpr long LowerCostKcount = 10000;
inline constexpr double KilogramTargetLimit = 2000;  // targets below this are kilograms
inline constexpr double GramsPerKilogram = 1000;
// The growth run stops at day 70, so a search for a group older than this cannot run.
inline constexpr double MaxSearchAge = 69;
// Components whose mass makes the composition measure.
inline constexpr int CompositionComponentA = 12;
inline constexpr int CompositionComponentB = 14;
// A bird eats well under 6 kg a day for at most 70 days: no feasible programme costs more
// than 4^6 x the dearest price x this.
inline constexpr double MaxFeedPerBird = 420;


// One group's result (a row of LowerCostRecord).
struct LowerCostGroup {
  double initialCost = 0;           // cost of the group's own programme at the target
  double lowestCost = 0;
  double referenceComposition = 0;  // composition measure of the group's own programme
  double composition = 0;           // of the lowest-cost run
  double feedConversion = 0;        // of the lowest-cost run
  double finalAge = 0;              // of the lowest-cost run
  PhaseVector minimumFeed{};        // phases 1..dietCount
  PhaseVector bestFeed{};           // phases 1..dietCount
  NelderMeadFault fault = NelderMeadFault::None;
  long evaluations = 0;  // objective evaluations
  long growthRuns = 0;   // growth runs they took
  bool searched = false;        // false: the group's own programme missed the target
  bool calibrated = true;       // false: the group has no calibration and was not searched
  bool keptInitial = false;     // nothing cheaper than the group's own programme was found

  double saving() const { return initialCost - lowestCost; }
};

struct LowerCostRecord {
  std::array<LowerCostGroup, CalibrationGroups> groups{};  // 1 Top, 2 Middle, 3 Bottom
  double targetWeight = 0;                                  // grams
  int dietCount = 0;
};

// Everything a group's search reads besides the model state.
struct LowerCostSetup {
  double targetGrams = 0;
  PhaseVector price{};  // phase price, phases 1..dietCount
  // The group's mean intake of each phase (kg per bird): [group 1-3][phase 1..dietCount].
  std::array<PhaseVector, CalibrationGroups> groupIntake{};
  std::array<double, CalibrationGroups> groupAge{};  // the group's mean age, days
  std::array<double, CalibrationGroups> density{};   // the group's mean density (0: no effect)
  std::array<NutrientVector, PhaseSlots> diets{};    // enteredDiets, phases 1..dietCount
  CalibrationRecord calibration;
};

// feedToEnd(sex), the run's total feed, minus the allotments of phases 1..dietCount-1.
double lastPhaseFeed(const ModelState& m, int sex);
// componentMass of components 12 and 14 of modelSex on the run's finalDay, added.
double compositionMeasure(const ModelState& m);
// Puts group g's calibration in force: growthParams rows 0-3 and feCorrection of both sexes,
// and the hatch weights from row 0.
void applyGroupCalibration(ModelState& m, const CalibrationRecord& calibration, int g);

// The objective of one group's search: the cost of a programme whose last phase takes what
// the bird still needs, four times over for every broken limit. A programme that would give
// a phase a negative amount, or whose run misses the target, is infeasible and costs more
// than any feasible one.
//
// The last coordinate never changes the run (the last phase is fed until the target), and
// the minimiser comes back to the same amounts of the other phases many times; with
// `reuseRuns` such a point takes the figures of the earlier run instead of growing the
// flock again, which gives the same values bit for bit.
class CostObjective {
 public:
  CostObjective(ModelState& model, const LowerCostSetup& setup, LowerCostGroup& record,
                bool reuseRuns = true);
  double operator()(const std::vector<double>& x);
  double bestCost() const { return bestCost_; }
  // The cost above every feasible programme's.
  double infeasibleFloor() const { return infeasibleFloor_; }
  long growthRuns() const { return growthRuns_; }
  // The point of the last evaluation.
  const std::vector<double>& lastPoint() const { return lastPoint_; }

 private:
  struct RunFigures {
    double cost = 0;
    double composition = 0;
    double feedConversion = 0;
    double finalAge = 0;
    bool feasible = false;
  };
  RunFigures evaluate(const std::vector<double>& x);

  ModelState& m_;
  const LowerCostSetup& setup_;
  LowerCostGroup& record_;
  double bestCost_ = InitialBestCost;
  double infeasibleFloor_ = 1;
  bool reuseRuns_;
  long growthRuns_ = 0;
  std::vector<double> lastPoint_;
  // Figures by the bit patterns of the amounts of phases 1..dietCount-1.
  std::map<std::vector<std::uint64_t>, RunFigures> runs_;
};

// Feeds phases 1..dietCount the amounts x (kg per bird), runs to the target weight and gives
// the last phase what the bird still needed. True when the run reached the target.
bool runProgramme(ModelState& m, const std::vector<double>& x, double targetGrams);

// Where the minimiser starts: the group's programme with phases 1-3 cut to 66 %.
std::vector<double> lowerCostStartPoint(const std::vector<double>& programme);

// The search for group g (1-3) on the model state given (which it leaves holding the group's
// calibration and the last evaluation's run).
LowerCostGroup lowerCostSearch(ModelState& model, const LowerCostSetup& setup, int g,
                               bool reuseRuns = true);

// The three groups' searches one after another, each from the inputs and results `model`
// holds; `model` ends as the Bottom group's search leaves it. (The searches take a few
// milliseconds each: on threads they measured no faster.)
LowerCostRecord lowerCostSearchAll(ModelState& model, const LowerCostSetup& setup);

}  // namespace plumetra
