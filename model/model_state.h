#pragma once
// The growth model's state in named parts, each a value type: the inputs of a growth run, the
// reference body composition, the settings (units and breeds) and the results of the last
// run. A growth run reads inputs, composition and units and writes results only, so runs on
// threads share the large read-only parts and own just their results.
//
// Index conventions: sex rows are 0 mixed, 1 male, 2 female; diet phases count from 1;
// days count from 0 (day 0 holds the hatch state). Tables are indexed [first][second] in
// the order the names are written: growthParams[sex][row], bodyWeight[sex][day],
// dietNutrients[phase][nutrient], Share[sex][day][component].

#include <array>
#include <string>

#include "model/composition_sets.h"
#include "model/run_messages.h"
#include "workspace/flock_table.h"
#include "workspace/units.h"

namespace plumetra {

// ---- bounds ---------------------------------------------------------------------------
inline constexpr int SexRows = 3;            // 0 mixed, 1 male, 2 female
inline constexpr int MaxDietPhases = FeedPhases;  // a growth run has a phase per recorded intake
// The stored settings and calibration files (".stg", ".clb", ".cal") give "No of Diets" as 1..6
// with a line per phase, as the companion feed program reads them: a run with another number of
// phases needs those formats changed first (and a stored file read into the run's tables).
inline constexpr int StoredDietPhases = 6;
static_assert(MaxDietPhases == StoredDietPhases, "the stored settings and calibration files hold six diet phases");
// Phase-indexed tables hold phases 0..7: the day step may read the entry after the last
// phase (overflow of the last day's feed), so phase 7 must exist.
inline constexpr int PhaseSlots = MaxDietPhases + 2;
inline constexpr int Nutrients = 15;         // 0 feed weight, 1 energy, 2 protein, 3-14 amino acids
inline constexpr int AminoAcids = 12;        // numbered 1..12 = nutrient entries 3..14
inline constexpr int Days = 101;             // day tables hold days 0..100
inline constexpr int LastGrowthDay = 98;     // the day step grows days 1..98
inline constexpr int Weeks = 16;             // weeks 0..15 (1..15 used)
inline constexpr int MaxBreeds = 36;         // breeds 0..35
inline constexpr int ComponentSlots = 30;    // components 1..29 (2..28 tracked)
inline constexpr int FirstComponent = 2;
inline constexpr int LastComponent = 28;

// growthParams rows.
inline constexpr int ParamW0 = 0;        // hatch weight (g)
inline constexpr int ParamB = 1;         // time exponent
inline constexpr int ParamL = 2;         // ln(mature weight / W0)
inline constexpr int ParamK = 3;         // rate
inline constexpr int GrowthParamCount = 4;

// Run stop modes.
inline constexpr int StopOnWeight = 1;
inline constexpr int StopOnFeed = 2;
inline constexpr int StopOnAge = 3;

// ---- small value groups ---------------------------------------------------------------
struct FeatherParams {  // feather fraction of body weight: a + b1 * age + b2 * age^2
  double a = 0;
  double b1 = 0;
  double b2 = 0;
};

// Where a growth run stops: the mode and the target of that mode, each in its own unit.
struct RunStop {
  int mode = StopOnWeight;
  double weightGrams = 0;    // body weight of the run's sex
  double feedKgPerBird = 0;  // cumulative feed
  double ageDays = 0;

  static RunStop atWeight(double grams) { return {StopOnWeight, grams, 0, 0}; }
  static RunStop atFeed(double kgPerBird) { return {StopOnFeed, 0, kgPerBird, 0}; }
  static RunStop atAge(double days) { return {StopOnAge, 0, 0, days}; }
};

using GrowthParamRow = std::array<double, GrowthParamCount>;                         // W0, b, L, k
using SexTable = std::array<std::array<double, Days>, SexRows>;                 // [sex][day]
using PhaseVector = std::array<double, PhaseSlots>;                              // [phase]
using NutrientVector = std::array<double, Nutrients>;                            // [nutrient]
// [sex][day][k]: a day's components lie side by side, as the day step reads and writes them.
using ComponentTable =
    std::array<std::array<std::array<double, ComponentSlots>, Days>, SexRows>;

// ---- the parts ------------------------------------------------------------------------

// What the caller sets before a growth run; a run only reads it.
struct GrowthInputs {
  int modelSex = 0;  // the sex the run stops on: 0 mixed, 1 male, 2 female
  RunStop stop;
  std::array<double, SexRows> hatchWeight{};  // grams; 0: the curve's W0 (mixed: the sexes' mean)
  std::array<GrowthParamRow, SexRows> growthParams{};  // [sex][W0, b, L, k]
  std::array<double, SexRows> feCorrection{};          // fraction added to maintenance
  std::array<FatParams, SexRows> fatCurve = CompositionSetB.fat;  // female A: mature fat fraction
  ProteinCurveParams proteinCurve = CompositionSetB.protein;
  std::array<FeatherParams, SexRows> featherCurve{
      {{}, {-0.00023, 0.00208, -0.000018}, {-0.00096, 0.001973, -0.000018}}};
  // [sex][phase]; below 2500 in the chosen energy unit; 0 takes the phase before.
  std::array<PhaseVector, SexRows> refEnergy{};
  int dietCount = 0;                                    // "No of Diets", 1..6
  std::array<NutrientVector, PhaseSlots> dietNutrients{};  // [phase][nutrient]
  PhaseVector feedAllotment{};                          // kg per bird of each phase
  std::array<double, Weeks> weekTemp{};                // "Temperature by week"
  std::array<double, Weeks> optTemp{};                 // built-in optimum, set when settings are read
  std::array<double, 2> densityInput{0.0, 12.6};        // birds/m2 (0 = no effect), reference density
};

// The reference body composition: percent of body weight of components 2..28 per sex and day,
// built from the component curves and the breeds' breast-meat adjustment (prepareComposition).
struct ReferenceComposition {
  ComponentTable share{};  // [sex 1-2][day 0-98][k]
};

// The unit choices and the breeds of the settings window, and the settings-file values that
// a calibration file repeats.
struct ModelSettings {
  UnitSettings units;  // Energy/Weight/Cost/Mill Cost Choice, amino basis
  std::array<PhaseVector, SexRows> dietChangeAge{};  // [sex][phase] "Age, days" of the settings file
  std::array<std::array<std::array<double, 4>, SexRows>, MaxBreeds> breedTable{};  // [breed][sex 1-2][W0,b,L,k]
  std::array<std::string, MaxBreeds> breedNames{};
  int breedCount = 0;                                   // highest breed index loaded
  std::array<double, MaxBreeds> breedCompAdjust{};
  int maleBreed = -1;                                   // -1: no breed chosen yet
  int femaleBreed = -1;
  bool traditionalBreed = false;
};

// What a growth run writes. Each run starts them afresh, except the model-error flag and the
// day-step counter, which run on over runs until the caller clears them.
struct GrowthResults {
  SexTable bodyWeight{};  // grams by day; day 0 the hatch weight
  SexTable feedIntake{};  // kg per bird and day
  std::array<double, SexRows> weightAtEnd{};  // grams, each sex at the run's end (0: target missed)
  std::array<double, SexRows> feedToEnd{};    // kg per bird eaten by each sex
  double finalAge = 0;                         // days, fractional
  int finalDay = 0;
  double finalWeight = 0;                      // grams, the run's sex at its end (0: target missed)
  double finalFeedConversion = 0;              // kg of feed per kg of weight
  double totalEnergyEaten = 0;
  double totalFeed = 0;                        // kg per bird
  PhaseVector feedByDiet{};                    // kg per bird eaten of each phase
  std::array<double, LastComponent + 1> finalComposition{};  // grams, components 2..28
  ComponentTable componentMass{};              // grams [sex][day][k]
  int lastDayWritten = 0;  // the by-day tables hold nothing after this day (the next run clears up to it)
  RunMessages messages;
  bool modelError = false;  // a day found no start weight
  int dayStepCount = 0;     // day steps so far (shown in a message)
};

// The whole growth model of one main window.
struct ModelState {
  GrowthInputs inputs;
  ReferenceComposition composition;
  ModelSettings settings;
  GrowthResults results;
};

}  // namespace plumetra
