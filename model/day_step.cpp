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
constexpr std::array<std::array<double, 3>, kAminoAcids + 1> kAminoCoef{{
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

constexpr double kFeedIntakeLimit = 6.0;        // kg/day; above it the day is abandoned
constexpr double kMaintenanceProtein = 0.019805;  // g protein per unit of metabolic weight
constexpr double kFeatherProteinShare = 0.85;
constexpr int kMaxPasses = 10;                  // a run balances in at most 11 passes in all
constexpr int kProteinLineDay = 70;

// Maintenance coefficient (kcal per unit of metabolic weight) of the day at temperature T.
double maintenanceCoefficient(int day, double T) {
  if (day == 1) return 1.18;
  if (day == 2) return 1.82;
  if (day < 21) return 2.2754 * (1.0 - std::exp(-0.9 * std::pow(day, 0.63)));
  return 4.09 - 0.1429 * T + 0.0026 * T * T;
}

// Degree of immaturity x of weight W on the curve, reduced by crowding.
double immaturity(const ModelState& m, int s, double W) {
  const double L = m.GrowthParams[s][kParamL];
  double x = (L - std::log(W / m.BodyWeight[s][0])) / L;
  if (x < 0) x = 0.0001;
  if (x > 1) x = 1;
  const double birdsPerM2 = m.DensityInput[0];
  if (birdsPerM2 > 0) {
    const double kgPerM2 = W * birdsPerM2 / 1000.0;
    if (kgPerM2 > 16) x -= (kgPerM2 - W * m.DensityInput[1] / 1000.0) * 0.006;
    // Crowding may push x to zero or below, where its logarithm is undefined.
    if (!(x > 0)) x = 0.0001;
  }
  return x;
}

// Growth response to the diet's energy against the reference energy of the phase.
double energyResponse(ModelState& m, int s, int day, int phase, double E) {
  double cap = day <= 20 ? 3100.0 : 3350.0;
  if (E < cap) cap = E;
  auto& ref = m.RefEnergy[s];
  if (ref[phase] == 0 && phase > 0) ref[phase] = ref[phase - 1];
  double Er = ref[phase];
  if (Er < 2500) Er = ConvertEnergy(m.units, 1, Er);  // entered in another energy unit
  return (cap - Er) * 0.00014 + 1.0;
}

// DietRequirement with the day's fat curve already worked out. The start weight of the day
// becomes yesterday's weight.
double requirementOfDay(ModelState& m, int s, int day, double gain, double ratio, double fatFactor,
                        double maintCoef, const FatOfDay& fat) {
  SetAvailDivisor(m);  // the divisor always follows the basis in force
  const double W = m.BodyWeight[s][day - 1];
  m.StartWeight = W;
  const auto& pf = m.ProteinFraction[s];
  const auto protein = proteinOfGain(m.FeatherCurve[s], day, W, gain, pf[day - 1], pf[day]);
  const double fg = fat.ofGain(W, gain) * fatFactor;
  const double r = std::max(ratio, 0.71);
  const double eg = ((1.0 - r) * 0.75 + 1.0) * fg * 9.2 + 0.6;
  const double metabolicWeight = std::pow(std::sqrt((W + gain) * W), 0.6491);
  const double ME = eg * gain + (m.FeCorrection[s] + 1.0) * maintCoef * metabolicWeight;
  const double AD = m.AvailDivisor;
  return (protein.PG / AD + kFeatherProteinShare * protein.FG / AD +
          kMaintenanceProtein * metabolicWeight / AD) /
         ME;
}

}  // namespace

void SetAvailDivisor(ModelState& m) {
  const bool avail = m.units.aminoBasis != AminoBasis::Total;
  m.AvailDivisor = avail ? 1.0 : 0.85;
  m.AvailCompanion = avail ? 0.85 : 1.0;
}

void InitModelTables(ModelState& m) {
  auto& pf = m.ProteinFraction;
  pf[1][0] = m.ProteinCurve.maleDay0;
  pf[2][0] = m.ProteinCurve.femaleDay0;
  pf[1][kProteinLineDay] = m.ProteinCurve.maleDay70;
  pf[2][kProteinLineDay] = m.ProteinCurve.femaleDay70;
  for (int day = 1; day < kProteinLineDay; ++day) {
    pf[1][day] = proteinLine(pf[1], day);
    pf[2][day] = proteinLine(pf[2], day);
    pf[0][day] = (pf[1][day] + pf[2][day]) / 2.0;
  }
  if (m.AminoCoef[1][0] != kAminoCoef[1][0]) m.AminoCoef = kAminoCoef;
}

double DietRequirement(ModelState& m, int day, double gain, double ratio, double fatFactor,
                       int /*phase*/, double maintCoef) {
  const int s = m.SimSex;
  return requirementOfDay(m, s, day, gain, ratio, fatFactor, maintCoef, FatOfDay(m.FatCurve[s], day));
}

void GrowSexDay(ModelState& m, int day, int& phase, int& passCount) {
  const int s = m.SimSex;
  auto& nutrients = m.DayNutrients;

  // Diet checks: an energy above 4500 is a fault of a blended vector.
  if (nutrients[1] > 4500) nutrients[1] = m.DietNutrients[std::clamp(phase, 0, kPhaseSlots - 1)][1];
  if (m.FeCorrection[2] > 0.25) m.FeCorrection[2] = m.FeCorrection[1];
  if (phase > m.DietCount) phase = m.DietCount;
  phase = std::clamp(phase, 0, kPhaseSlots - 1);

  // Week and start weight.
  const int week = std::min((day + 6) / 7, kWeeks - 1);
  ++m.DayStepCount;
  m.StartWeight = m.BodyWeight[s][day - 1];
  if (m.StartWeight == 0) {
    m.StartWeight = m.BodyWeight[s][100];
    m.ModelError = true;
    if (m.StartWeight == 0) m.Messages.addZeroWeightDay(day, m.DayStepCount);
  }

  // Reset for the day.
  m.LimitingRatio = 1.0;
  double q = 0.04;   // amino-acid requirement increment
  double phi = 1.0;  // excess-protein fat factor

  // Temperature and maintenance.
  const double tau = day < 14 ? 1.0 : 1.0 - (m.WeekTemp[week] - m.OptTemp[week]) * 0.02;
  m.TempFactor = tau;
  const double T = m.WeekTemp[week] + 20.0 - m.OptTemp[week];
  const double maint = maintenanceCoefficient(day, T);

  // Potential growth from the effective age of the start weight.
  const GrowthCurve curve(m.GrowthParams[s]);
  const double x = immaturity(m, s, m.StartWeight);
  double t = std::pow(-std::log(x) / curve.k, 1.0 / curve.b);
  if (t < 0.001) t = 0.001;
  const double P1 = day == 1 ? curve.weight(t + 1) - curve.weight(t) : curve.rate(t);
  const double P2 = curve.rate(t + 1);

  // Energy and temperature response.
  const double E = nutrients[1];
  const double fE = energyResponse(m, s, day, phase, E);
  double g = (P1 + P2) * fE * tau * 0.5;
  if (g < 0.001) g = 0.0001;

  // Excess protein raises the gain and lowers the fat of the gain.
  const double protein = nutrients[2];
  const FatOfDay fat(m.FatCurve[s], day);
  const double Rp = requirementOfDay(m, s, day, g, 1.0, phi, maint, fat);
  double excess = (protein - Rp * 0.1 * 1.08 * E) / m.AvailDivisor;
  if (day < 3 || excess < 0) excess = 0;
  g *= 1.0 + 0.29588354 * (1.0 - std::exp(-0.21917 * excess));
  if (g < 0.1) g = 0.1;
  const double Rp2 = requirementOfDay(m, s, day, g, 1.0, phi, maint, fat);
  phi = 1.0 - 0.051717 * excess;
  double z = protein / (Rp2 * 0.1 * 1.08 * E + 2.0) - 1.0;

  // Balancing passes: energy need, feed intake and amino-acid supply against requirement.
  // They start from the weight the requirement calls left (yesterday's, not a fallback).
  const double W = m.StartWeight;
  const auto& pf = m.ProteinFraction[s];
  growth_detail::ProteinOfGain proteinGain{};
  for (;;) {
    const double r0 = std::max(m.LimitingRatio, 0.71);
    const double fg = fat.ofGain(W, g) * phi * ((1.0 - r0) * 0.75 + 1.0);
    const double eg = 9.2 * fg + 0.6;
    const double Wg = std::sqrt((W + g) * W);
    const double Wg23 = std::cbrt(Wg * Wg);  // Wg^(2/3)
    double ME = eg * g + (m.FeCorrection[s] + 1.0) * maint * Wg23;
    if (day <= 7) ME *= 0.8;
    const double intake = ME / E;
    m.FeedIntake[s][day] = intake;
    if (intake > kFeedIntakeLimit) return;  // the day ends here; its weight stays as it was

    m.ProteinFraction[s][day] = proteinLine(pf, day);
    proteinGain = proteinOfGain(m.FeatherCurve[s], day, W, g, pf[day - 1], pf[day]);
    const double AD = m.AvailDivisor;
    const double PGa = proteinGain.PG / AD;
    const double FPa = kFeatherProteinShare * proteinGain.FG / AD;
    const double MPa = kMaintenanceProtein * Wg23 / AD;
    if (z < 0) z = 0;

    if (r0 < 1) q = (r0 - 1.0) * 0.5 + 0.04 - 0.5 * (r0 - 1.0) * (r0 - 1.0);
    const double scale = 0.5 * z + q + 1.0;
    double lowest = 1.5;
    auto& ratios = m.AminoRatio[day];
    for (int i = 1; i <= kAminoAcids; ++i) {
      double supply = nutrients[i + 2] * 10.0 * intake;  // g/day
      if (supply == 0) supply = 200;                      // an amino acid not given never limits
      const auto& c = m.AminoCoef[i];
      const double need = (PGa * c[0] + FPa * c[1] + MPa * c[2]) * scale;
      ratios[i] = supply / need;
      if (ratios[i] < lowest) {
        lowest = ratios[i];
        m.LimitingAmino = i;
      }
    }
    ratios[0] = ratios[m.LimitingAmino];
    if (passCount == 0) m.LimitingRatio = lowest;

    const double adjustment = (lowest - 1.0) * 0.14;
    const bool changed = adjustment != 1.0;
    g += adjustment;
    ++passCount;
    if (g < 0.1) g = 0.1;
    if (day < 3 || passCount > kMaxPasses || !changed) {
      // The day's results.
      m.BodyWeight[s][day] = m.BodyWeight[s][day - 1] + g;
      m.ProteinFraction[s][day] = proteinGain.P1 / m.BodyWeight[s][day];
      m.DayLimitingRatio = ratios[m.LimitingAmino];
      TrackComposition(m, s, day);
      return;
    }
  }
}

}  // namespace plumetra
