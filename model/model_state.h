#pragma once
// The growth model's state in named parts, each a value type: the inputs of a growth run, the
// reference body composition, the settings (units and breeds) and the results of the last
// run. A growth run reads inputs, composition and units and writes results only, so runs on
// threads share the large read-only parts and own just their results.
//
// Index conventions: sex rows are 0 mixed, 1 male, 2 female; diet phases count from 1;
// days count from 0 (day 0 holds the hatch state). Tables are indexed [first][second] in
// the order the names are written: GrowthParams[sex][row], BodyWeight[sex][day],
// DietNutrients[phase][nutrient], Share[sex][day][component].

#include <array>
#include <string>

#include "model/composition_sets.h"
#include "model/run_messages.h"
#include "workspace/flock_table.h"
#include "workspace/units.h"

namespace plumetra {

// ---- bounds ---------------------------------------------------------------------------
inline constexpr int kSexRows = 3;            // 0 mixed, 1 male, 2 female
inline constexpr int kMaxDietPhases = FeedPhases;  // a growth run has a phase per recorded intake
// The stored settings and calibration files (".stg", ".clb", ".cal") give "No of Diets" as 1..6
// with a line per phase, as the companion feed program reads them: a run with another number of
// phases needs those formats changed first (and a stored file read into the run's tables).
inline constexpr int kStoredDietPhases = 6;
static_assert(kMaxDietPhases == kStoredDietPhases, "the stored settings and calibration files hold six diet phases");
// Phase-indexed tables hold phases 0..7: the day step may read the entry after the last
// phase (overflow of the last day's feed), so phase 7 must exist.
inline constexpr int kPhaseSlots = kMaxDietPhases + 2;
inline constexpr int kNutrients = 15;         // 0 feed weight, 1 energy, 2 protein, 3-14 amino acids
inline constexpr int kAminoAcids = 12;        // numbered 1..12 = nutrient entries 3..14
inline constexpr int kDays = 101;             // day tables hold days 0..100
inline constexpr int kLastGrowthDay = 98;     // the day step grows days 1..98
inline constexpr int kWeeks = 16;             // weeks 0..15 (1..15 used)
inline constexpr int kMaxBreeds = 36;         // breeds 0..35
inline constexpr int kComponentSlots = 30;    // components 1..29 (2..28 tracked)
inline constexpr int kFirstComponent = 2;
inline constexpr int kLastComponent = 28;

// GrowthParams rows.
inline constexpr int kParamW0 = 0;        // hatch weight (g)
inline constexpr int kParamB = 1;         // time exponent
inline constexpr int kParamL = 2;         // ln(mature weight / W0)
inline constexpr int kParamK = 3;         // rate
inline constexpr int kGrowthParams = 4;

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

// Where a growth run stops: the mode and the target of that mode, each in its own unit.
struct RunStop {
  int mode = kStopOnWeight;
  double weightGrams = 0;    // body weight of the run's sex
  double feedKgPerBird = 0;  // cumulative feed
  double ageDays = 0;

  static RunStop AtWeight(double grams) { return {kStopOnWeight, grams, 0, 0}; }
  static RunStop AtFeed(double kgPerBird) { return {kStopOnFeed, 0, kgPerBird, 0}; }
  static RunStop AtAge(double days) { return {kStopOnAge, 0, 0, days}; }
};

using GrowthParamRow = std::array<double, kGrowthParams>;                         // W0, b, L, k
using SexTable = std::array<std::array<double, kDays>, kSexRows>;                 // [sex][day]
using PhaseVector = std::array<double, kPhaseSlots>;                              // [phase]
using NutrientVector = std::array<double, kNutrients>;                            // [nutrient]
// [sex][day][k]: a day's components lie side by side, as the day step reads and writes them.
using ComponentTable =
    std::array<std::array<std::array<double, kComponentSlots>, kDays>, kSexRows>;

// ---- the parts ------------------------------------------------------------------------

// What the caller sets before a growth run; a run only reads it.
struct GrowthInputs {
  int ModelSex = 0;  // the sex the run stops on: 0 mixed, 1 male, 2 female
  RunStop stop;
  std::array<double, kSexRows> HatchWeight{};  // grams; 0: the curve's W0 (mixed: the sexes' mean)
  std::array<GrowthParamRow, kSexRows> GrowthParams{};  // [sex][W0, b, L, k]
  std::array<double, kSexRows> FeCorrection{};          // fraction added to maintenance
  std::array<FatParams, kSexRows> FatCurve = kCompositionSetB.fat;  // female A: mature fat fraction
  ProteinCurveParams ProteinCurve = kCompositionSetB.protein;
  std::array<FeatherParams, kSexRows> FeatherCurve{
      {{}, {-0.00023, 0.00208, -0.000018}, {-0.00096, 0.001973, -0.000018}}};
  // [sex][phase]; below 2500 in the chosen energy unit; 0 takes the phase before.
  std::array<PhaseVector, kSexRows> RefEnergy{};
  int DietCount = 0;                                    // "No of Diets", 1..6
  std::array<NutrientVector, kPhaseSlots> DietNutrients{};  // [phase][nutrient]
  PhaseVector FeedAllotment{};                          // kg per bird of each phase
  std::array<double, kWeeks> WeekTemp{};                // "Temperature by week"
  std::array<double, kWeeks> OptTemp{};                 // built-in optimum, set when settings are read
  std::array<double, 2> DensityInput{0.0, 12.6};        // birds/m2 (0 = no effect), reference density
};

// The reference body composition: percent of body weight of components 2..28 per sex and day,
// built from the component curves and the breeds' breast-meat adjustment (PrepareComposition).
struct ReferenceComposition {
  ComponentTable Share{};  // [sex 1-2][day 0-98][k]
};

// The unit choices and the breeds of the settings window, and the settings-file values that
// a calibration file repeats.
struct ModelSettings {
  UnitSettings units;  // Energy/Weight/Cost/Mill Cost Choice, amino basis
  std::array<PhaseVector, kSexRows> DietChangeAge{};  // [sex][phase] "Age, days" of the settings file
  std::array<std::array<std::array<double, 4>, kSexRows>, kMaxBreeds> BreedTable{};  // [breed][sex 1-2][W0,b,L,k]
  std::array<std::string, kMaxBreeds> BreedNames{};
  int BreedCount = 0;                                   // highest breed index loaded
  std::array<double, kMaxBreeds> BreedCompAdjust{};
  int MaleBreed = -1;                                   // -1: no breed chosen yet
  int FemaleBreed = -1;
  bool TraditionalBreed = false;
};

// What a growth run writes. Each run starts them afresh, except the model-error flag and the
// day-step counter, which run on over runs until the caller clears them.
struct GrowthResults {
  SexTable BodyWeight{};  // grams by day; day 0 the hatch weight
  SexTable FeedIntake{};  // kg per bird and day
  std::array<double, kSexRows> WeightAtEnd{};  // grams, each sex at the run's end (0: target missed)
  std::array<double, kSexRows> FeedToEnd{};    // kg per bird eaten by each sex
  double FinalAge = 0;                         // days, fractional
  int FinalDay = 0;
  double FinalWeight = 0;                      // grams, the run's sex at its end (0: target missed)
  double FinalFeedConversion = 0;              // kg of feed per kg of weight
  double TotalEnergyEaten = 0;
  double TotalFeed = 0;                        // kg per bird
  PhaseVector FeedByDiet{};                    // kg per bird eaten of each phase
  std::array<double, kLastComponent + 1> FinalComposition{};  // grams, components 2..28
  ComponentTable ComponentMass{};              // grams [sex][day][k]
  int lastDayWritten = 0;  // the by-day tables hold nothing after this day (the next run clears up to it)
  RunMessages Messages;
  bool ModelError = false;  // a day found no start weight
  int DayStepCount = 0;     // day steps so far (shown in a message)
};

// The whole growth model of one main window.
struct ModelState {
  GrowthInputs inputs;
  ReferenceComposition composition;
  ModelSettings settings;
  GrowthResults results;
};

}  // namespace plumetra
