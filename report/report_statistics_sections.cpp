// The report's sections that go beyond the split: whether the feed-conversion groups still
// differ once adjusted for live weight.

#include <cmath>

#include "analysis/fcr_adjustment.h"
#include "controls/fixed_text.h"
#include "files/svg_chart.h"
#include "report/report_parts.h"

namespace plumetra::report {

namespace {

std::string intervalText(const Interval& i, int decimals) {
  const std::string low = fixedText(i.low, decimals);
  return low.empty() ? "" : low + " to " + fixedText(i.high, decimals);
}

std::vector<std::string> differenceRow(const char* what, const MeanDifference& d) {
  return {what, fixedText(d.difference, 3), intervalText(d.ci95, 3), fixedText(d.t, 2), fixedText(d.df, 1),
          std::isfinite(d.p) ? pText(d.p).substr(2) : ""};
}

std::string slopeWords(const FcrSlope& s) {
  switch (s.source) {
    case SlopeSource::Data:
      return "by the slope of feed conversion on live weight across the " + std::to_string(s.flocks) + " flocks, " +
             fixedText(s.slope, 4) + " per kg (standard error " + fixedText(s.standardError, 4) + ", 95 % interval " +
             intervalText(s.ci95, 4) + ")";
    case SlopeSource::Chosen: return "by the chosen slope of " + fixedText(s.slope, 4) + " per kg";
    case SlopeSource::Rule: break;
  }
  return "by the rule of 2.205 / 6 = " + fixedText(s.slope, 4) + " per kg (too few flocks for a slope of their own)";
}

}  // namespace

std::string adjustedComparisonSection(const ReportData& d) {
  const AdjustedComparison& c = d.metrics.fcrComparison;
  std::string body = "<p><strong>" + escapeXml(adjustedVerdict(c)) + ".</strong></p>\n";
  body += paragraph(escapeXml(
      "The groups are made by sorting on feed conversion, so their feed conversion differs by construction; "
      "lighter, younger birds also convert better. Each flock's feed conversion is adjusted to " +
      fixedText(c.adjustment.standardWeight, 3) + " kg " + slopeWords(c.adjustment.slope) + "."));
  static constexpr std::array<const char*, 5> Groups{"", "Low", "Middle", "High", "All"};
  std::vector<std::vector<std::string>> means;
  for (std::size_t g = 1; g <= 4; ++g)
    means.push_back({Groups[g], std::to_string(c.raw.groups[g].n), fixedText(c.raw.groups[g].mean, 3),
                     fixedText(c.adjusted.groups[g].mean, 3), intervalText(meanInterval95(c.adjusted.groups[g]), 3)});
  body += table({"Group", "N", "FCR", "Adjusted FCR", "95 % interval"}, means);
  body += table({"Low - High", "Difference", "95 % interval", "t", "df", "p"},
                {differenceRow("FCR", c.rawLowHigh), differenceRow("Adjusted FCR", c.adjustedLowHigh)});
  body += "<p class=\"note\">Welch's t with Welch-Satterthwaite degrees of freedom; p two-sided.</p>\n";
  return section("adjusted-fcr", "Feed conversion adjusted for live weight", body);
}

}  // namespace plumetra::report
