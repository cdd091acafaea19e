#pragma once
// A growth model set up as the analysis run sets it up: default growth parameters, reference
// composition, and three broiler diets (starter, grower, finisher).

#include "model/composition.h"
#include "model/model_state.h"

#include <memory>

namespace plumetra::testing {

inline constexpr NutrientVector Starter{0.5, 3000, 22, 1.45, 0.5, 1.3, 0.22, 1.6, 0.8, 0.95, 0.5, 0.85, 1.6, 0.9, 1.0};
inline constexpr NutrientVector Grower{1.5, 3100, 20, 1.3, 0.45, 1.15, 0.2, 1.45, 0.75, 0.87, 0.45, 0.77, 1.5, 0.82, 0.9};
inline constexpr NutrientVector Finisher{2.5, 3200, 18, 1.15, 0.4, 1.0, 0.18, 1.3, 0.7, 0.8, 0.4, 0.7, 1.4, 0.74, 0.82};

// Three phases of 0.5, 1.5 and 2.5 kg per bird, stop on feed (4.5 kg), mixed sexes.
inline ModelState threePhaseModel() {
  ModelState m;
  prepareComposition(m);
  m.inputs.modelSex = 0;
  m.inputs.dietCount = 3;
  m.inputs.dietNutrients[1] = Starter;
  m.inputs.dietNutrients[2] = Grower;
  m.inputs.dietNutrients[3] = Finisher;
  for (int d = 1; d <= 3; ++d) {
    m.inputs.feedAllotment[d] = m.inputs.dietNutrients[d][0];
    for (int s = 0; s < SexRows; ++s) m.inputs.refEnergy[s][d] = 3000;
  }
  for (int s = 0; s < SexRows; ++s) m.inputs.refEnergy[s][0] = 3000;
  m.inputs.stop = RunStop::atFeed(4.5);
  return m;
}

// The three-phase model as `sex`, stopping at a target in the stop mode's unit (grams, kg per
// bird or days); on the heap, as the model is large.
inline std::unique_ptr<ModelState> stoppedModel(int mode, double target, int sex = 0) {
  auto m = std::make_unique<ModelState>(threePhaseModel());
  m->inputs.modelSex = sex;
  m->inputs.stop = mode == StopOnWeight ? RunStop::atWeight(target) : mode == StopOnFeed ? RunStop::atFeed(target)
                                                                                          : RunStop::atAge(target);
  return m;
}

}  // namespace plumetra::testing
