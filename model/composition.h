#pragma once
// Putting the growth parameters and the reference body composition in place before a run,
// and the choice between the two built-in body-composition sets.

#include "model/composition_sets.h"
#include "model/model_state.h"

namespace plumetra {

// Default growth parameters (W0, b, L, k), used while none are set (male b is 0).
inline constexpr std::array<double, 4> DefaultMaleParams{42.85, 0.9057, 5.139, 0.0588};
inline constexpr std::array<double, 4> DefaultFemaleParams{38.6, 0.8061, 4.6172, 0.0635};

// Reference components sum to this percent of body weight on every day.
inline constexpr double ComponentShareTotal = 98.0;

// Puts the default growth parameters in place when the male time exponent is 0 (and then the
// day-0 body weights from their hatch weights), and rebuilds the reference composition
// the reference composition from the built-in component curves, with the breast-meat adjustment of
// the breed chosen for each sex applied to component 12.
void prepareComposition(ModelState& model);

// Loads the fat curves and the protein curve of a built-in set.
void loadCompositionSet(ModelState& model, const CompositionSet& set);
// After a calibration is read: set A when the female mature fat fraction is above 0.24,
// otherwise set B (so the set in force stays in force).
void chooseCompositionSet(ModelState& model);

// A calibration file's model part: before reading, dietCount is 5 and the breast-meat
// adjustment of breeds 3, 7 and 13 is 0.125; after reading, the composition set is chosen and
// the day-0 body weights take the calibrated hatch weights.
inline constexpr double CalibratedBreastMeatAdjust = 0.125;
void beginCalibrationRead(ModelState& model);
void finishCalibrationRead(ModelState& model);

// The male and female hatch weights become those of growthParams row 0. Call whenever growth
// parameters are put in place (defaults, breed means, a calibration).
void setHatchWeights(ModelState& model);

// The breed chosen for a sex (1 male, 2 female) as a usable table index: "no breed chosen"
// (negative) and indexes beyond the table read as breed 0, "General".
int chosenBreed(const ModelState& model, int sex);

}  // namespace plumetra
