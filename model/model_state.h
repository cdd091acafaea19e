#pragma once
// The growth model's inputs and results: one value-type struct. A copy is an independent
// model; a growth run touches only the state it is given.
//
// Index conventions: sex rows are 0 mixed, 1 male, 2 female; diet phases count from 1;
// days count from 0 (day 0 holds the hatch state). Tables are indexed [first][second] in
// the order the names are written: GrowthParams[sex][row], BodyWeight[sex][day],
// DietNutrients[phase][nutrient], ComponentShare[sex][component][day].

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "model/composition_sets.h"
#include "model/run_messages.h"
#include "workspace/units.h"

namespace plumetra {

// ---- bounds ---------------------------------------------------------------------------
inline constexpr int kSexRows = 3;            // 0 mixed, 1 male, 2 female
inline constexpr int kMaxDietPhases = 6;      // "No of Diets" is 1..6
// Phase-indexed tables hold phases 0..7: the day step may read the entry after the last
// phase (overflow of the last day's feed), so phase 7 must exist.
inline constexpr int kPhaseSlots = kMaxDietPhases + 2;
inline constexpr int kNutrients = 15;         // 0 feed weight, 1 energy, 2 protein, 3-14 amino acids
inline constexpr int kAminoAcids = 12;        // numbered 1..12 = nutrient entries 3..14
inline constexpr int kDays = 101;             // days 0..100; 99 holds totals, 100 a fallback
inline constexpr int kLastGrowthDay = 98;
inline constexpr int kProteinDays = 501;      // ProteinFraction days 0..500
inline constexpr int kWeeks = 16;             // weeks 0..15 (1..15 used)
inline constexpr int kMaxBreeds = 36;         // breeds 0..35
inline constexpr int kComponentSlots = 30;    // components 1..29 (2..28 tracked)
inline constexpr int kFirstComponent = 2;
inline constexpr int kLastComponent = 28;
inline constexpr int kFlockRows = 501;        // flocks 1..500
inline constexpr int kPredictionItems = 9;    // FlockPrediction: 0 FC, 1 weight, 2 age, 3-8 carcass
inline constexpr int kRunModeLimits = 13;     // RunMode limit entries 1..12 (2 x DietCount)

// GrowthParams rows.
inline constexpr int kParamW0 = 0;        // hatch weight (g)
inline constexpr int kParamB = 1;         // time exponent
inline constexpr int kParamL = 2;         // ln(mature weight / W0)
inline constexpr int kParamK = 3;         // rate
inline constexpr int kParamPrevFeed = 6;  // female row: previous run's total female feed

// Run stop modes.
inline constexpr int kStopOnWeight = 1;
inline constexpr int kStopOnFeed = 2;
inline constexpr int kStopOnAge = 3;

// ---- small value groups ---------------------------------------------------------------
struct FeatherParams {  // feather fraction of body weight: a + b1 * age + b2 * age^2
  double a = 0;
  double b1 = 0;
  double b2 = 0;
};

struct RunModeVector {
  int stopMode = kStopOnWeight;                // 1 weight, 2 cumulative feed, 3 age
  std::array<double, kRunModeLimits> limits{};  // entries 1..2 x DietCount (set to 10)
  double targetWeight = 0;                     // the group target weight (entry 18)
  int collect = 0;                             // 1: store per-flock results after each run
};

using SexTable = std::array<std::array<double, kDays>, kSexRows>;                 // [sex][day]
using PhaseVector = std::array<double, kPhaseSlots>;                              // [phase]
using NutrientVector = std::array<double, kNutrients>;                            // [nutrient]
using ComponentTable =
    std::array<std::array<std::array<double, kDays>, kComponentSlots>, kSexRows>;  // [sex][k][day]

// ---- the model state ------------------------------------------------------------------
struct ModelState {
  // Run inputs.
  int ModelSex = 0;  // 0 mixed, 1 male, 2 female
  std::array<std::array<double, 7>, 4> GrowthParams{};  // [sex 0-3][row 0-6]
  SexTable BodyWeight{};   // grams; day 0 hatch weight, 99 final weight, 100 fallback start weight
  SexTable FeedIntake{};   // kg/day; day 99 total feed, day 100 target feed per bird
  std::array<FatParams, kSexRows> FatCurve = kCompositionSetB.fat;  // female A: mature fat fraction
  ProteinCurveParams ProteinCurve = kCompositionSetB.protein;
  std::array<std::array<double, kProteinDays>, 4> ProteinFraction{};  // [sex 0-3][day 0-500]
  std::array<FeatherParams, kSexRows> FeatherCurve{
      {{}, {-0.00023, 0.00208, -0.000018}, {-0.00096, 0.001973, -0.000018}}};
  std::array<std::array<double, 3>, kAminoAcids + 1> AminoCoef{};  // [amino 1..12][c1, c2, c3]
  std::array<PhaseVector, kSexRows> RefEnergy{};       // [sex][phase]; below 2500 = other unit
  std::array<double, kSexRows> FeCorrection{};         // fraction added to maintenance
  std::array<NutrientVector, kPhaseSlots> DietNutrients{};  // [phase][nutrient]
  NutrientVector DayNutrients{};                       // the phase being fed
  int DietCount = 0;                                   // "No of Diets", 1..6
  PhaseVector FeedAllotment{};                         // kg per bird; entry 0 a total where set
  std::array<double, kWeeks> WeekTemp{};               // "Temperature by week"
  std::array<double, kWeeks> OptTemp{};                // built-in optimum, set when settings are read
  std::array<double, 2> DensityInput{0.0, 12.6};       // birds/m2 (0 = no effect), reference density
  double AvailDivisor = 0;                             // 0 until first set from the amino basis
  double AvailCompanion = 0;
  UnitSettings units;                                  // Energy/Weight/Cost/Mill Cost Choice, amino basis
  double MillHaulCost = 0;                             // "Mill Haul Cost"
  int ChangeOnWeight = 0;                              // "Change on Age(0) or Wt (1)"
  std::array<PhaseVector, kSexRows> DietChangeAge{};   // [sex][phase] "Age, days"; kept, not used
  std::array<double, kWeeks> CalibrationIndexed{};     // the ".clb" indexed values; kept, not used
  RunModeVector RunMode;
  double RunTarget = 0;  // grams, kg per bird or days, by the stop mode

  // Breeds and the settings window.
  std::array<std::array<std::array<double, 4>, kSexRows>, kMaxBreeds> BreedTable{};  // [breed][sex 1-2][W0,b,L,k]
  std::array<std::string, kMaxBreeds> BreedNames{};
  int BreedCount = 0;                                  // highest breed index loaded
  std::array<double, kMaxBreeds> BreedCompAdjust{};
  std::vector<std::pair<std::string, std::string>> BreedTrans;  // "Trans" pairs of the database
  int MaleBreed = -1;                                  // -1: no breed chosen yet
  int FemaleBreed = -1;
  bool TraditionalBreed = false;

  // Day-step values (written by each simulated day).
  int SimSex = 1;                // 1 or 2: the sex being stepped
  double LimitingRatio = 1.0;    // first-pass limiting amino-acid ratio
  int LimitingAmino = 0;         // 1..12
  std::array<std::array<double, kAminoAcids + 1>, kDays> AminoRatio{};  // [day][amino 0-12]
  double DayLimitingRatio = 1.0;
  double StartWeight = 0;        // W at the start of the day (g)
  double TempFactor = 1.0;       // the day's temperature growth factor
  int DayStepCount = 0;          // day-step counter (shown in a message only)
  bool ModelError = false;

  // Run results.
  double FinalAge = 0;
  int FinalDay = 0;
  double FinalWeight = 0;        // also receives the "Target Weight" of a settings file
  double FinalFeedConversion = 0;
  double TotalEnergyEaten = 0;
  PhaseVector FeedByDiet{};      // feed eaten per phase in the run
  PhaseVector FeedByDietResult{};  // the per-phase amounts copied at the end of a run
  double TotalFeed = 0;
  std::array<double, kLastComponent + 1> FinalComposition{};  // components 2..28
  std::array<std::array<double, kPredictionItems>, kFlockRows> FlockPrediction{};  // [flock 1..500]

  // Body composition (components 2..28 per sex and day).
  ComponentTable ComponentShareBase{};  // reference percent of body weight, built by PrepareComposition
  ComponentTable ComponentMassBase{};
  ComponentTable ComponentShare{};      // working copies, restored from the baselines each run
  ComponentTable ComponentMass{};       // grams
  ComponentTable ComponentPercent{};    // percent-of-weight output
  std::array<double, kSexRows> ComponentDay0Total{};

  // ---- members added by the growth run (daily step, growth run, flock prediction) ----
  // Growth-run working values.
  RunMessages Messages;  // the messages of the last run (and of direct day steps since)
  inline static constexpr int kReferenceCurveDays = 71;
  // The diet table's own run: body weight [sex][day 1..70] (GrowDietTableFlock).
  std::array<std::array<double, kReferenceCurveDays>, kSexRows> ReferenceCurve{};
};

}  // namespace plumetra
