#pragma once
// The breed growth curve and the parts of a day's gain that the day step and the protein
// requirement share.

#include "model/model_state.h"

#include <cmath>

namespace plumetra::growth_detail {

// The Gompertz-type curve G(t) = W0 exp(L (1 - exp(-k t^b))) of one sex's growthParams.
struct GrowthCurve {
  double W0, b, L, k;

  explicit GrowthCurve(const GrowthParamRow& params)
      : W0(params[ParamW0]), b(params[ParamB]), L(params[ParamL]), k(params[ParamK]) {}

  double weight(double t) const { return W0 * std::exp(L * (1.0 - std::exp(-k * std::pow(t, b)))); }
  // dG/dt = k L b t^(b-1) G(t) exp(-k t^b)
  double rate(double t) const {
    const double tb = std::pow(t, b);
    const double decay = std::exp(-k * tb);
    return k * L * b * (tb / t) * (W0 * std::exp(L * (1.0 - decay))) * decay;
  }
};

// The breed's fat fraction at the day, F1 = A exp(-bF exp(-cF (day - 1))), and its daily
// change dF = F1 bF cF exp(-cF day); neither depends on the gain.
struct FatOfDay {
  double F1 = 0;
  double dF = 0;

  FatOfDay() = default;
  FatOfDay(const FatParams& fat, int day)
      : F1(fat.A * std::exp(-fat.bF * std::exp(-fat.cF * (day - 1)))),
        dF(F1 * fat.bF * fat.cF * std::exp(-fat.cF * day)) {}

  // Fat fraction of a gain g from weight W.
  double ofGain(double W, double g) const { return F1 + dF + W * dF / g; }
};

// Protein and feather gains of a gain g from weight W, given the body-protein fractions at
// the start and the end of the day.
struct ProteinOfGain {
  double P0;  // protein at the start of the day
  double P1;  // protein at the end
  double PG;  // protein gain
  double FG;  // feather gain
};
inline ProteinOfGain proteinOfGain(const FeatherParams& feather, int day, double W, double g,
                                   double fractionBefore, double fractionAfter) {
  ProteinOfGain p{};
  p.P0 = W * fractionBefore;
  p.P1 = (W + g) * fractionAfter;
  p.PG = p.P1 - p.P0;
  auto share = [&](double t) { return feather.a + feather.b1 * t + feather.b2 * t * t; };
  // Beyond day 70 the feathers take a declining share of the protein gain.
  p.FG = day > 70 ? (0.162893 - (day - 70) * 0.00543) * p.PG
                  : (W + g) * share(day) - W * share(day - 1);
  return p;
}

// The body-protein line through day 0 and day 70, also extrapolated beyond day 70.
inline double proteinLine(const std::array<double, Days>& fraction, int day) {
  return fraction[0] + (fraction[70] - fraction[0]) * day / 70.0;
}

}  // namespace plumetra::growth_detail
