#pragma once
// One simulated bird of one sex advanced by one day of age, inside a growth run.

#include "model/model_state.h"

namespace plumetra {

// What the daily step carries from one day, pass or sex to the next within one run. Every
// run starts them afresh.
struct DayWork {
  NutrientVector nutrients{};  // the phase being fed
  SexTable proteinFraction{};  // body-protein fraction of weight [sex 1-2][day]
  int limitingAmino = 0;       // 1..12, the amino acid that limited last; 0 before any did
  double dayLimitingRatio = 1.0;  // the day's last-pass ratio of the limiting amino acid
  double tempFactor = 1.0;     // the day's temperature growth factor
  int passCount = 0;           // balancing passes of the run, all days and both sexes
};

// One growth run's view of the model: it reads the inputs, the reference composition and the
// units, works in `work` and writes `out`.
struct GrowthRun {
  const GrowthInputs& in;
  const ReferenceComposition& reference;
  const UnitSettings& units;
  GrowthResults& out;
  DayWork work;

  GrowthRun(const GrowthInputs& inputs, const ReferenceComposition& composition, const UnitSettings& unitSettings,
            GrowthResults& results)
      : in(inputs), reference(composition), units(unitSettings), out(results) {}
  explicit GrowthRun(ModelState& m) : GrowthRun(m.inputs, m.composition, m.settings.units, m.results) {}
};

// The divisor that turns the diet's amino acids into available ones: 0.85 on the total
// basis, 1 on the available basis.
double availDivisor(const UnitSettings& units);

// Fills the body-protein line of days 0-70 of both sexes. Called at the start of every run.
void initModelTables(GrowthRun& run);

// Grows the sexes asked for (1 male, 2 female, 0 both) through `day` (1-98) on
// work.nutrients: writes bodyWeight, feedIntake and the body composition of the day. `phase` is
// clamped to dietCount (written back).
void stepDay(GrowthRun& run, int sexes, int day, int& phase);

}  // namespace plumetra
