// The daily growth step: potential gain from the breed curve, corrected for dietary energy,
// temperature and excess protein, then balanced against feed intake and amino-acid supply.

#include "model/day_step.h"

#include "model/body_composition.h"
#include "model/growth_curve.h"

#include <algorithm>
#include <cmath>

namespace plumetra {

namespace {

using growth_detail::FatOfDay;
using growth_detail::GrowthCurve;
using growth_detail::proteinLine;
using growth_detail::proteinOfGain;

// Amino-acid coefficients c1 (protein gain), c2 (feather protein), c3 (maintenance protein),
// amino acids 1-12 in nutrient-vector order.
constexpr std::array<std::array<double, 3>, AminoAcids + 1> AminoCoef{{
    {0, 0, 0},
    {0.04, 0.073, 0.069},    // ARGININE
    {0.014, 0.026, 0.014},   // HISTIDINE
    {0.017, 0.016, 0.071},   // LYSINE
    {0.009, 0.007, 0.01},    // TRYPTOPHANE
    {0.052, 0.08, 0.067},    // PHE + TYROSINE
    {0.017, 0.055, 0.036},   // PHENYLALANINE
    {0.027, 0.06, 0.043},    // MET + CYS
    {0.023, 0.005, 0.019},   // METHIONINE
    {0.051, 0.047, 0.034},   // THREONINE
    {0.034, 0.085, 0.065},   // LEUCINE
    {0.029, 0.064, 0.039},   // ISOLEUCINE
    {0.027, 0.08, 0.044},    // VALINE
}};

constexpr double FeedIntakeLimit = 6.0;        // kg/day; above it the day is abandoned
constexpr double MaintenanceProtein = 0.019805;  // g protein per unit of metabolic weight
constexpr double FeatherProteinShare = 0.85;
constexpr int MaxPasses = 10;                  // a run balances in at most 11 passes in all
constexpr int ProteinLineDay = 70;
constexpr double FemaleFeCorrectionLimit = 0.25;  // above it the female takes the male's

constexpr double SmallestImmaturity = 0.0001;  // keeps log(x) of the effective age finite
constexpr double CrowdedKgPerM2 = 16;          // above it crowding slows growth...
constexpr double CrowdingEffect = 0.006;       // ...by this much immaturity per kg/m2 above the reference
constexpr double EnergyResponse = 0.00014;     // gain factor per kcal/kg of diet energy above the reference
constexpr double TemperatureEffect = 0.02;     // gain lost per degree above the optimum, from day 14
constexpr double SmallestPotentialGain = 0.0001;  // g/day, when the curve gives less than 0.001
constexpr double EarlyEnergyShare = 0.8;       // days 1-7 need this share of the energy
// Protein above the requirement raises the gain (up to 29.6 %) and makes it leaner.
constexpr double ExcessGainMax = 0.29588354;
constexpr double ExcessGainRate = 0.21917;
constexpr double ExcessFatDrop = 0.051717;     // per unit of excess protein
constexpr double GainPerRatio = 0.14;          // g/day of gain per unit of limiting ratio above 1
constexpr double SmallestGain = 0.1;           // g/day, the least a day grows once balanced
constexpr double MetabolicExponent = 0.6491;   // of the mean weight of the day, in the requirement
// Diet energy (kcal/kg) above these caps brings no more growth: until day 20, and after.
constexpr double YoungEnergyCap = 3100.0;
constexpr double EnergyCap = 3350.0;

// Energy of a gram of gain (kcal): its fat at 9.2 kcal/g plus 0.6 for the rest. An amino acid
// short of its need (limiting ratio r below 1) fattens the gain by (1 - r) * 0.75 of its fat,
// with r taken no lower than 0.71.
constexpr double FatEnergy = 9.2;
constexpr double LeanGainEnergy = 0.6;
constexpr double ShortageFattening = 0.75;
constexpr double LowestLimitingRatio = 0.71;
double energyOfGain(double fatFraction, double ratio) {
  const double r = std::max(ratio, LowestLimitingRatio);
  return fatFraction * ((1.0 - r) * ShortageFattening + 1.0) * FatEnergy + LeanGainEnergy;
}

// Maintenance coefficient (kcal per unit of metabolic weight) of the day at temperature T.
// Until day 20 it depends on the age alone, so those days are worked out once.
constexpr int LastYoungDay = 20;
double maintenanceCoefficient(int day, double T) {
  static const std::array<double, LastYoungDay + 1> young = [] {
    std::array<double, LastYoungDay + 1> c{};
    for (int d = 1; d <= LastYoungDay; ++d) c[d] = 2.2754 * (1.0 - std::exp(-0.9 * std::pow(d, 0.63)));
    c[1] = 1.18;
    c[2] = 1.82;
    return c;
  }();
  if (day >= 1 && day <= LastYoungDay) return young[day];
  return 4.09 - 0.1429 * T + 0.0026 * T * T;
}

// The F E correction of a sex as the day step uses it.
double feCorrection(const GrowthInputs& in, int s) {
  if (s == 2 && in.feCorrection[2] > FemaleFeCorrectionLimit) return in.feCorrection[1];
  return in.feCorrection[s];
}

// Degree of immaturity x of weight W on the curve, reduced by crowding.
double immaturity(const GrowthRun& run, int s, double W) {
  const double L = run.in.growthParams[s][ParamL];
  double x = (L - std::log(W / run.out.bodyWeight[s][0])) / L;
  if (x < 0) x = SmallestImmaturity;
  if (x > 1) x = 1;
  const double birdsPerM2 = run.in.densityInput[0];
  if (birdsPerM2 > 0) {
    const double kgPerM2 = W * birdsPerM2 / 1000.0;
    if (kgPerM2 > CrowdedKgPerM2) x -= (kgPerM2 - W * run.in.densityInput[1] / 1000.0) * CrowdingEffect;
    // Crowding may push x to zero or below, where its logarithm is undefined.
    if (!(x > 0)) x = SmallestImmaturity;
  }
  return x;
}

// Growth response to the diet's energy against the reference energy of the phase (a phase
// without one takes the phase before).
double energyResponse(const GrowthRun& run, int s, int day, int phase, double E) {
  double cap = day <= 20 ? YoungEnergyCap : EnergyCap;
  if (E < cap) cap = E;
  const auto& ref = run.in.refEnergy[s];
  while (ref[phase] == 0 && phase > 0) --phase;
  double Er = ref[phase];
  if (Er < 2500) Er = convertEnergy(run.units, 1, Er);  // entered in another energy unit
  return (cap - Er) * EnergyResponse + 1.0;
}

// The protein requirement density (g protein per kcal ME) of a trial gain (g/day) from
// yesterday's weight: `ratio` is the limiting amino-acid ratio to assume, `fatFactor` the
// excess-protein fat factor, `maintCoef` the day's maintenance coefficient.
double requirementOfDay(const GrowthRun& run, int s, int day, double gain, double ratio, double fatFactor,
                        double maintCoef, const FatOfDay& fat) {
  const double W = run.out.bodyWeight[s][day - 1];
  const auto& pf = run.work.proteinFraction[s];
  const auto protein = proteinOfGain(run.in.featherCurve[s], day, W, gain, pf[day - 1], pf[day]);
  const double eg = energyOfGain(fat.ofGain(W, gain) * fatFactor, ratio);
  const double metabolicWeight = std::pow(std::sqrt((W + gain) * W), MetabolicExponent);
  const double ME = eg * gain + (feCorrection(run.in, s) + 1.0) * maintCoef * metabolicWeight;
  const double AD = availDivisor(run.units);
  return (protein.PG / AD + FeatherProteinShare * protein.FG / AD +
          MaintenanceProtein * metabolicWeight / AD) /
         ME;
}

}  // namespace

double availDivisor(const UnitSettings& units) {
  return units.aminoBasis != AminoBasis::Total ? 1.0 : 0.85;
}

void initModelTables(GrowthRun& run) {
  auto& pf = run.work.proteinFraction;
  const ProteinCurveParams& curve = run.in.proteinCurve;
  pf[1][0] = curve.maleDay0;
  pf[2][0] = curve.femaleDay0;
  pf[1][ProteinLineDay] = curve.maleDay70;
  pf[2][ProteinLineDay] = curve.femaleDay70;
  for (int day = 1; day < ProteinLineDay; ++day) {
    pf[1][day] = proteinLine(pf[1], day);
    pf[2][day] = proteinLine(pf[2], day);
  }
}

namespace {

// A sex's day up to the balancing passes: the start weight and the gain the curve, the diet's
// energy and protein and the temperature allow.
struct DayStart {
  int phase = 0;     // the phase fed, within the diets given
  double E = 0;      // the diet's energy
  double W = 0;      // start weight
  double x = 0;      // degree of immaturity
  double t = 0;      // effective age on the curve
  double g = 0;      // trial gain
  double Rp = 0;     // protein requirement of the potential gain
  double excess = 0;  // protein above the requirement
  double phi = 1.0;  // excess-protein fat factor
  double z = 0;      // protein margin of the diet
  double maint = 0;  // maintenance coefficient of the day
  FatOfDay fat;
};

// The starts of the sexes `first`..`last` (1 male, 2 female). Each step is taken for every sex
// before the next: the sexes' chains of logarithms and powers do not depend on each other, so
// the processor works on both at once.
void startDays(GrowthRun& run, int first, int last, int day, int& phase, std::array<DayStart, SexRows>& starts) {
  const GrowthInputs& in = run.in;
  GrowthResults& out = run.out;
  auto& nutrients = run.work.nutrients;
  // Temperature and maintenance, the same for both sexes.
  const int week = std::min((day + 6) / 7, Weeks - 1);
  const double tau = day < 14 ? 1.0 : 1.0 - (in.weekTemp[week] - in.optTemp[week]) * TemperatureEffect;
  run.work.tempFactor = tau;
  const double T = in.weekTemp[week] + 20.0 - in.optTemp[week];
  const double maint = maintenanceCoefficient(day, T);

  for (int s = first; s <= last; ++s) {
    DayStart& d = starts[s];
    d.maint = maint;
    // Diet checks: an energy above 4500 is a fault of a blended vector.
    if (nutrients[1] > 4500) nutrients[1] = in.dietNutrients[std::clamp(phase, 0, PhaseSlots - 1)][1];
    if (phase > in.dietCount) phase = in.dietCount;
    phase = std::clamp(phase, 0, PhaseSlots - 1);
    d.phase = phase;
    d.E = nutrients[1];
    ++out.dayStepCount;
    d.W = out.bodyWeight[s][day - 1];
    if (d.W == 0) {
      out.modelError = true;
      out.messages.addZeroWeightDay(day, out.dayStepCount);
    }
  }

  // Potential growth from the effective age of the start weight.
  for (int s = first; s <= last; ++s) starts[s].x = immaturity(run, s, starts[s].W);
  for (int s = first; s <= last; ++s) {
    const GrowthCurve curve(in.growthParams[s]);
    starts[s].t = std::max(std::pow(-std::log(starts[s].x) / curve.k, 1.0 / curve.b), 0.001);
  }
  for (int s = first; s <= last; ++s) {
    const GrowthCurve curve(in.growthParams[s]);
    DayStart& d = starts[s];
    const double P1 = day == 1 ? curve.weight(d.t + 1) - curve.weight(d.t) : curve.rate(d.t);
    const double P2 = curve.rate(d.t + 1);
    // Energy and temperature response.
    d.g = (P1 + P2) * energyResponse(run, s, day, d.phase, d.E) * tau * 0.5;
    if (d.g < 0.001) d.g = SmallestPotentialGain;
    d.fat = FatOfDay(in.fatCurve[s], day);
  }

  // Excess protein raises the gain and lowers the fat of the gain; none before day 3.
  const double AD = availDivisor(run.units);
  // Protein percent of the diet a requirement density R (g per kcal) asks for, with 8 % margin.
  const auto proteinPercentNeeded = [](double R, double E) { return R * 0.1 * 1.08 * E; };
  const double protein = nutrients[2];
  if (day >= 3)
    for (int s = first; s <= last; ++s) {
      DayStart& d = starts[s];
      d.Rp = requirementOfDay(run, s, day, d.g, 1.0, 1.0, maint, d.fat);
      d.excess = std::max((protein - proteinPercentNeeded(d.Rp, d.E)) / AD, 0.0);
    }
  for (int s = first; s <= last; ++s) {
    DayStart& d = starts[s];
    if (d.excess != 0) d.g *= 1.0 + ExcessGainMax * (1.0 - std::exp(-ExcessGainRate * d.excess));
    const bool sameGain = day >= 3 && d.g >= SmallestGain;  // the requirement of the same gain is Rp
    if (d.g < SmallestGain) d.g = SmallestGain;
    const double Rp2 = sameGain && d.excess == 0 ? d.Rp : requirementOfDay(run, s, day, d.g, 1.0, 1.0, maint, d.fat);
    d.phi = 1.0 - ExcessFatDrop * d.excess;
    d.z = protein / (proteinPercentNeeded(Rp2, d.E) + 2.0) - 1.0;
  }
}

// Balancing passes: energy need, feed intake and amino-acid supply against requirement, until
// the gain settles; then the day's weight and body composition.
void balanceDay(GrowthRun& run, int s, int day, const DayStart& start) {
  const GrowthInputs& in = run.in;
  GrowthResults& out = run.out;
  DayWork& work = run.work;
  const auto& nutrients = work.nutrients;
  const double W = start.W;
  const double E = start.E;
  const double AD = availDivisor(run.units);
  double g = start.g;
  double z = start.z;
  double limitingRatio = 1.0;  // the first pass of a run assumes the ratio it finds
  double q = 0.04;             // amino-acid requirement increment

  auto& pf = work.proteinFraction[s];
  const double fe = feCorrection(in, s);
  growth_detail::ProteinOfGain proteinGain{};
  std::array<double, AminoAcids + 1> ratios;  // supply over need [amino 1-12]
  for (;;) {
    const double r0 = std::max(limitingRatio, LowestLimitingRatio);
    const double eg = energyOfGain(start.fat.ofGain(W, g) * start.phi, r0);
    const double Wg = std::sqrt((W + g) * W);
    const double Wg23 = std::cbrt(Wg * Wg);  // Wg^(2/3)
    double ME = eg * g + (fe + 1.0) * start.maint * Wg23;
    if (day <= 7) ME *= EarlyEnergyShare;
    const double intake = ME / E;
    out.feedIntake[s][day] = intake;
    if (intake > FeedIntakeLimit) return;  // the day ends here; its weight stays as it was

    pf[day] = proteinLine(pf, day);
    proteinGain = proteinOfGain(in.featherCurve[s], day, W, g, pf[day - 1], pf[day]);
    const double PGa = proteinGain.PG / AD;
    const double FPa = FeatherProteinShare * proteinGain.FG / AD;
    const double MPa = MaintenanceProtein * Wg23 / AD;
    if (z < 0) z = 0;

    if (r0 < 1) q = (r0 - 1.0) * 0.5 + 0.04 - 0.5 * (r0 - 1.0) * (r0 - 1.0);
    const double scale = 0.5 * z + q + 1.0;
    for (int i = 1; i <= AminoAcids; ++i) {
      double supply = nutrients[i + 2] * 10.0 * intake;  // g/day
      if (supply == 0) supply = 200;                      // an amino acid not given never limits
      const auto& c = AminoCoef[i];
      const double need = (PGa * c[0] + FPa * c[1] + MPa * c[2]) * scale;
      ratios[i] = supply / need;
    }
    // The first amino acid below 1.5 times its need with the lowest ratio limits.
    double lowest = 1.5;
    int limiting = work.limitingAmino;
    for (int i = 1; i <= AminoAcids; ++i)
      if (ratios[i] < lowest) {
        lowest = ratios[i];
        limiting = i;
      }
    work.limitingAmino = limiting;
    if (work.passCount == 0) limitingRatio = lowest;

    const double adjustment = (lowest - 1.0) * GainPerRatio;
    const bool changed = adjustment != 1.0;
    g += adjustment;
    ++work.passCount;
    if (g < SmallestGain) g = SmallestGain;
    if (day < 3 || work.passCount > MaxPasses || !changed) {
      // The day's results.
      out.bodyWeight[s][day] = out.bodyWeight[s][day - 1] + g;
      pf[day] = proteinGain.P1 / out.bodyWeight[s][day];
      // Before any amino acid limited in the run, the ratio reads as 0.
      work.dayLimitingRatio = limiting > 0 ? ratios[limiting] : 0.0;
      trackComposition(run, s, day);
      return;
    }
  }
}

}  // namespace

void stepDay(GrowthRun& run, int sexes, int day, int& phase) {
  const int first = sexes == 2 ? 2 : 1;
  const int last = sexes == 1 ? 1 : 2;
  std::array<DayStart, SexRows> starts;
  startDays(run, first, last, day, phase, starts);
  for (int s = first; s <= last; ++s) balanceDay(run, s, day, starts[s]);
}

}  // namespace plumetra
