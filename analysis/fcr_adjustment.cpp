#include "analysis/fcr_adjustment.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "workspace/not_known.h"
#include "controls/fixed_text.h"

namespace plumetra {

namespace {


bool known(double value) { return std::isfinite(value) && value > 0; }

std::string differenceText(const MeanDifference& d) {
  if (!std::isfinite(d.t)) return fixedText(d.difference, 3) + " (no spread: no t)";
  return fixedText(d.difference, 3) + " (95 % " + fixedText(d.ci95.low, 3) + " to " + fixedText(d.ci95.high, 3) +
         ", t " + fixedText(d.t, 2) + ", " + pText(d.p) + ")";
}

std::string slopeText(const FcrSlope& s) {
  const std::string perKg = fixedText(s.slope, 4) + " FCR per kg";
  switch (s.source) {
    case SlopeSource::Data:
      return perKg + " (the data's slope: SE " + fixedText(s.standardError, 4) + ", 95 % " + fixedText(s.ci95.low, 4) +
             " to " + fixedText(s.ci95.high, 4) + ", " + std::to_string(s.flocks) + " flocks)";
    case SlopeSource::Chosen: return perKg + " (chosen)";
    case SlopeSource::Rule: break;
  }
  return perKg + " (the fixed rule 2.205 / 6: too few flocks for a slope of their own)";
}

}  // namespace

std::optional<FcrSlope> regressionSlope(std::span<const double> weights, std::span<const double> fcrs) {
  double sumX = 0, sumY = 0;
  int n = 0;
  const std::size_t count = std::min(weights.size(), fcrs.size());
  const auto usable = [&](std::size_t i) { return known(weights[i]) && known(fcrs[i]); };
  for (std::size_t i = 0; i < count; ++i)
    if (usable(i)) {
      sumX += weights[i];
      sumY += fcrs[i];
      ++n;
    }
  if (n < 3) return std::nullopt;
  const double meanX = sumX / n, meanY = sumY / n;
  double sxx = 0, sxy = 0;
  for (std::size_t i = 0; i < count; ++i)
    if (usable(i)) {
      sxx += (weights[i] - meanX) * (weights[i] - meanX);
      sxy += (weights[i] - meanX) * (fcrs[i] - meanY);
    }
  if (!(sxx > 0)) return std::nullopt;
  FcrSlope s;
  s.slope = sxy / sxx;
  const double intercept = meanY - s.slope * meanX;
  double residuals = 0;
  for (std::size_t i = 0; i < count; ++i)
    if (usable(i)) {
      const double r = fcrs[i] - intercept - s.slope * weights[i];
      residuals += r * r;
    }
  s.standardError = std::sqrt(residuals / (n - 2) / sxx);
  const double half = tCritical95(n - 2) * s.standardError;
  s.ci95 = {s.slope - half, s.slope + half};
  s.flocks = n;
  s.source = SlopeSource::Data;
  return s;
}

double FcrAdjustment::adjusted(double fcr, double liveWeight) const {
  if (!known(fcr) || !known(liveWeight)) return NotKnown;
  return fcr + (standardWeight - liveWeight) * slope.slope;
}

FcrAdjustment fcrAdjustmentOf(const SplitFlocks& split, std::optional<double> standardWeight,
                              std::optional<double> chosenSlope) {
  FcrAdjustment a;
  std::vector<double> weights, fcrs;
  for (const SplitFlock& f : split.flocks) {
    weights.push_back(f.liveWeight);
    fcrs.push_back(f.feedConversion);
  }
  double sum = 0;
  for (double w : weights) sum += w;
  a.standardWeight = standardWeight ? *standardWeight : weights.empty() ? 0.0 : sum / static_cast<double>(weights.size());
  if (chosenSlope) {
    a.slope.slope = *chosenSlope;
    a.slope.standardError = NotKnown;
    a.slope.ci95 = {NotKnown, NotKnown};
    a.slope.source = SlopeSource::Chosen;
  } else if (const auto fitted = regressionSlope(weights, fcrs)) {
    a.slope = *fitted;
  } else {
    a.slope.standardError = NotKnown;
    a.slope.ci95 = {NotKnown, NotKnown};
  }
  return a;
}

AdjustedComparison compareAdjustedFcr(const SplitFlocks& split, const FcrAdjustment& adjustment) {
  AdjustedComparison c;
  c.adjustment = adjustment;
  std::vector<double> raw, adjusted;
  for (const SplitFlock& f : split.flocks) {
    raw.push_back(known(f.feedConversion) ? f.feedConversion : NotKnown);
    adjusted.push_back(adjustment.adjusted(f.feedConversion, f.liveWeight));
  }
  c.raw = compareGroups(raw, split.sizes);
  c.adjusted = compareGroups(adjusted, split.sizes);
  c.rawLowHigh = welchDifference(c.raw.groups[1], c.raw.groups[3]);
  c.adjustedLowHigh = welchDifference(c.adjusted.groups[1], c.adjusted.groups[3]);
  return c;
}

std::string adjustedVerdict(const AdjustedComparison& c) {
  const std::string at = "Adjusted to " + fixedText(c.adjustment.standardWeight, 2) + " kg, ";
  const MeanDifference& raw = c.rawLowHigh;
  const MeanDifference& adj = c.adjustedLowHigh;
  if (!std::isfinite(adj.p)) return at + "the groups cannot be compared: Low or High has too few flocks or no spread";
  if (adj.p >= SignificanceLevel) return at + "the groups do not differ: the split mostly reflects weight and age";
  const std::string by = fixedText(std::fabs(adj.difference), 3);
  if (adj.difference > 0 && raw.difference < 0)
    return at + "Low converts worse than High by " + by + " (" + pText(adj.p) +
           "): the split reflects weight and age, not better conversion";
  std::string verdict = at + "the groups still differ (" + pText(adj.p) + "): Low's FCR is " + by +
                        (adj.difference < 0 ? " below" : " above") + " High's";
  const double explained = raw.difference != 0 ? 1.0 - adj.difference / raw.difference : NotKnown;
  if (explained > 0 && explained < 1)
    verdict += "; weight explains " + fixedText(explained * 100.0, 0) + " % of the raw difference";
  return verdict;
}

std::vector<std::string> adjustedComparisonLines(const AdjustedComparison& c) {
  return {"FCR adjusted to " + fixedText(c.adjustment.standardWeight, 3) + " kg by " + slopeText(c.adjustment.slope),
          "  Low-High FCR difference, raw: " + differenceText(c.rawLowHigh),
          "  Low-High FCR difference, adjusted: " + differenceText(c.adjustedLowHigh), "  " + adjustedVerdict(c)};
}

}  // namespace plumetra
