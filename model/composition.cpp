#include "model/composition.h"

#include <cmath>

namespace plumetra {
namespace {

struct GompertzCurve {  // reference mass = scale * exp(-b * exp(-c * day))
  double scale, b, c;
  double at(double day) const { return scale * std::exp(-b * std::exp(-c * day)); }
};

struct ComponentCurves {
  GompertzCurve male, female;
};

// Row 0 is the body reference; row k - 1 is component k (2..28).
constexpr std::array<ComponentCurves, 28> ComponentCurveTable{{
    {{7962.015698, 4.51311281, 0.036379763}, {6419.049725, 4.090800806, 0.035615017}},
    {{185.300937, 4.494551, 0.049318}, {136.292384, 4.197551, 0.048383}},
    {{256.652433, 5.930524, 0.057039}, {232.837959, 5.718697, 0.057709}},
    {{91.170143, 4.100721, 0.051798}, {60.058599, 3.681329, 0.062364}},
    {{202.451289, 4.399628, 0.047653}, {105.553602, 3.866955, 0.060793}},
    {{21.458466, 3.664393, 0.043465}, {12.450963, 19.81287, 0.118009}},
    {{5.050515, 4480.861272, 0.322496}, {3.019763, 9510.059186, 2.760425}},
    {{40.193036, 3.161954, 0.058686}, {36.615687, 3.389018, 0.056356}},
    {{60.037146, 3.942449, 0.053677}, {62.475045, 3.974504, 0.048994}},
    {{41.022019, 5.120036, 0.037572}, {20.083821, 4.391348, 0.048335}},
    {{12.924485, 4.663537, 0.024587}, {5.051012, 3.812481, 0.034745}},
    {{1987.344456, 6.541706679, 0.046075115}, {1798.120449, 6.086143162, 0.0437}},
    {{195.111752, 4.656483, 0.041434}, {418.7708283, 6.085182568, 0.043739453}},
    {{523.2206838, 5.796745032, 0.041774127}, {308.605801, 4.607135, 0.042132}},
    {{188.5725099, 3.591769776, 0.034783911}, {188.4145374, 4.600141144, 0.0375}},
    {{811.20524, 5.863731988, 0.043978971}, {678.6246039, 4.625708028, 0.038017122}},
    {{212.4297049, 6.049368036, 0.037456782}, {132.1951576, 4.625805309, 0.03801868}},
    {{476.5076704, 4.165822682, 0.036645727}, {385.991019, 4.683721937, 0.038463787}},
    {{117.388289, 4.200041, 0.045021}, {113.592032, 4.044825, 0.039118}},
    {{29530.1985, 6.023730155, 0.005616131}, {368.452468, 4.298033, 0.055873}},
    {{94.374351, 4.60146, 0.037461}, {379.413355, 6.085894489, 0.043762175}},
    {{75.38941799, 3.841890925, 0.024967883}, {52.38901466, 3.80303113, 0.034346041}},
    {{140.7999011, 6.017924732, 0.037716525}, {82.83625785, 4.626428602, 0.038023963}},
    {{81.601953, 4.470278, 0.041834}, {97.763439, 4.813224, 0.035952}},
    {{104.4194111, 8.067273505, 0.044089953}, {91.37807439, 2.454773044, 0.026170211}},
    {{122.55928, 4.659793, 0.034569}, {96.899012, 4.43613, 0.039764}},
    {{75.416798, 8.647825, 0.065999}, {137.892483, 9.638438, 0.054239}},
    {{167.288988, 27.262276, 0.118162}, {167.125583, 5.485094, 0.061775}},
}};

constexpr int BreastComponent = 12;  // scaled by the breed's breast-meat adjustment

void putDefaultParams(ModelState& model) {
  for (int row = 0; row < 4; ++row) {
    model.inputs.growthParams[1][row] = DefaultMaleParams[row];
    model.inputs.growthParams[2][row] = DefaultFemaleParams[row];
  }
  setHatchWeights(model);
}

void buildReferenceShares(ModelState& model, int sex, double breastAdjust) {
  for (int day = 0; day <= LastGrowthDay; ++day) {
    const auto curveOf = [sex](const ComponentCurves& c) { return sex == 1 ? c.male : c.female; };
    const double body = curveOf(ComponentCurveTable[0]).at(day);
    double total = 0;
    for (int k = FirstComponent; k <= LastComponent; ++k) {
      GompertzCurve curve = curveOf(ComponentCurveTable[k - 1]);
      if (k == BreastComponent) curve.scale *= 1.0 + breastAdjust;
      const double share = 100.0 * curve.at(day) / body;
      model.composition.share[sex][day][k] = share;
      total += share;
    }
    for (int k = FirstComponent; k <= LastComponent; ++k)
      model.composition.share[sex][day][k] *= ComponentShareTotal / total;
  }
}

}  // namespace

int chosenBreed(const ModelState& model, int sex) {
  const int breed = sex == 1 ? model.settings.maleBreed : model.settings.femaleBreed;
  return breed >= 0 && breed < MaxBreeds ? breed : 0;
}

void setHatchWeights(ModelState& model) {
  model.inputs.hatchWeight[1] = model.inputs.growthParams[1][ParamW0];
  model.inputs.hatchWeight[2] = model.inputs.growthParams[2][ParamW0];
}

void prepareComposition(ModelState& model) {
  if (model.inputs.growthParams[1][ParamB] == 0) putDefaultParams(model);
  for (int sex = 1; sex <= 2; ++sex)
    buildReferenceShares(model, sex, model.settings.breedCompAdjust[chosenBreed(model, sex)]);
}

void loadCompositionSet(ModelState& model, const CompositionSet& set) {
  model.inputs.fatCurve = set.fat;
  model.inputs.proteinCurve = set.protein;
}

void chooseCompositionSet(ModelState& model) {
  loadCompositionSet(model, model.inputs.fatCurve[2].A > SetAFatThreshold ? CompositionSetA
                                                                     : CompositionSetB);
}

void beginCalibrationRead(ModelState& model) {
  model.inputs.dietCount = 5;
  for (int breed : {3, 7, 13}) model.settings.breedCompAdjust[breed] = CalibratedBreastMeatAdjust;
}

void finishCalibrationRead(ModelState& model) {
  chooseCompositionSet(model);
  setHatchWeights(model);
}

}  // namespace plumetra
