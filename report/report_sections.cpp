// The report's sections about the data set and the analysis: settings, the group split with
// its t tests in words, outliers, the FCR-against-weight chart and the industry metrics.

#include <algorithm>
#include <cmath>

#include "analysis/regression.h"
#include "analysis/sex_comparison.h"
#include "analysis/t_tables.h"
#include "controls/fixed_text.h"
#include "files/svg_chart.h"
#include "workspace/flock_sex.h"
#include "report/report_parts.h"

namespace plumetra::report {

namespace {

constexpr std::array<const char*, 4> GroupColours{"", "#2a9d4b", "#4477aa", "#cc5544"};

std::string joined(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) out += (out.empty() ? "" : ", ") + item;
  return out;
}

std::string meanSd(const Moments& m, int decimals) {
  if (m.n == 0) return "";
  const std::string sd = fixedText(m.sd, decimals);
  return fixedText(m.mean, decimals) + (sd.empty() ? "" : " \u00b1 " + sd);
}

// "Feed conversion: Low 1.523 against High 1.712, a difference of -0.189; significant (t = -9.30,
// critical value 2.000 at 5 %)."
std::string tTestInWords(const char* measure, const GroupComparison& c, int decimals) {
  const Moments& low = c.groups[1];
  const Moments& high = c.groups[3];
  std::string text = std::string(measure) + ": Low group " + fixedText(low.mean, decimals) + " against High group " +
                     fixedText(high.mean, decimals) + ", a difference of " + fixedText(low.mean - high.mean, decimals);
  if (!std::isfinite(c.tLowHigh)) return text + "; no t test (a group has fewer than two flocks or no spread).";
  const double critical = tCritical(TLevel05, low.n + high.n - 2);
  const bool significant = std::abs(c.tLowHigh) >= critical;
  return text + (significant ? "; the difference is significant" : "; the difference is not significant") +
         " (t = " + fixedText(c.tLowHigh, 2) + ", critical value " + fixedText(critical, 3) + " at 5 %).";
}

std::vector<double> valuesOf(const SplitFlocks& split, double SplitFlock::*member) {
  std::vector<double> values;
  for (const SplitFlock& f : split.flocks) values.push_back(f.*member);
  return values;
}

}  // namespace

std::string dataSetSection(const ReportData& d) {
  const std::vector<std::vector<std::string>> rows{
      {"Flock data", d.dataSet},
      {"Flocks loaded", std::to_string(d.flocksLoaded)},
      {"Flocks in the split", std::to_string(d.flocks.flocks.size())},
      {"Flock sex", d.sex},
      {"Breeds", d.breeds},
      {"Split Low / Middle / High, %",
       fixedText(d.split[1], 1) + " / " + fixedText(d.split[2], 1) + " / " + fixedText(d.split[3], 1)},
      {"Sorted by", d.sortedBy},
      {"Calibrated groups", d.calibration.empty() ? "none" : d.calibration},
  };
  return section("data-set", "Data set and settings", table({"Setting", "Value"}, rows));
}

namespace {

// With a Flock Sex column: Low against High within each sex, and the sex each calibrated group keeps.
std::string bySexPart(const ReportData& d) {
  const std::vector<SexComparison> bySex = compareBySex(d.flocks, d.chosenSex, d.split);
  if (bySex.empty()) return "";
  std::vector<std::vector<std::string>> rows;
  for (const SexComparison& c : bySex)
    rows.push_back({std::string(sexName(c.sex)), std::to_string(c.ownSplit[0]),
                    std::to_string(c.flocks[1]) + " / " + std::to_string(c.flocks[2]) + " / " + std::to_string(c.flocks[3]),
                    std::to_string(c.ownSplit[1]), std::to_string(c.ownSplit[3]), fixedText(c.lowFcr.mean, 3),
                    fixedText(c.highFcr.mean, 3), fixedText(c.fcr.difference, 3), fixedText(c.fcr.t, 2),
                    std::isfinite(c.fcr.t) ? pText(c.fcr.p) : ""});
  return paragraph("Each flock was grown as its own sex. A split over several sexes sorts them as much as the "
                   "flocks: each sex's flocks split again on their own, in the same shares, Low against High:") +
         table({"Sex", "N", "In Low / Middle / High", "Low N", "High N", "Low FCR", "High FCR", "Difference", "t", "p"},
               rows) +
         paragraph(escapeXml("A calibrated group keeps one sex, its flocks' majority: " +
                             groupSexesText(d.flocks, d.chosenSex) + "."));
}

}  // namespace

std::string groupSplitSection(const ReportData& d) {
  const GroupComparison weight = compareGroups(valuesOf(d.flocks, &SplitFlock::liveWeight), d.flocks.sizes);
  const GroupComparison age = compareGroups(valuesOf(d.flocks, &SplitFlock::age), d.flocks.sizes);
  const GroupComparison fcr = compareGroups(valuesOf(d.flocks, &SplitFlock::feedConversion), d.flocks.sizes);
  std::vector<std::vector<std::string>> rows;
  for (int g = 1; g <= 3; ++g)
    rows.push_back(
        {GroupNames[static_cast<std::size_t>(g)], std::to_string(d.flocks.sizes[static_cast<std::size_t>(g)]),
         meanSd(weight.groups[static_cast<std::size_t>(g)], 3), meanSd(age.groups[static_cast<std::size_t>(g)], 1),
         meanSd(fcr.groups[static_cast<std::size_t>(g)], 3)});
  rows.push_back({"All", std::to_string(weight.groups[4].n), meanSd(weight.groups[4], 3), meanSd(age.groups[4], 1),
                  meanSd(fcr.groups[4], 3)});
  std::string body =
      paragraph("The flocks are sorted by " + escapeXml(d.sortedBy.empty() ? "feed conversion" : d.sortedBy) +
                " and split into the Low (lowest values; with feed conversion the best), Middle and "
                "High groups. Means \u00b1 standard deviations:");
  body += table({"Group", "N", "Live weight, kg", "Age, days", "Feed conversion"}, rows);
  body += "<ul>\n";
  for (const std::string& line : {tTestInWords("Feed conversion", fcr, 3), tTestInWords("Live weight (kg)", weight, 3),
                                  tTestInWords("Age (days)", age, 1)})
    body += "<li>" + escapeXml(line) + "</li>\n";
  body += "</ul>\n<p class=\"note\">t is Welch's two-sample t of the Low against the High group.</p>\n";
  body += bySexPart(d);
  return section("group-split", "Group split", body);
}

std::string outliersSection(const ReportData& d) {
  std::string body;
  body += paragraph(d.outliersFound == 0 ? "No outliers were found among the highest feed conversions."
                                         : escapeXml(std::to_string(d.outliersFound) +
                                                     " outlier(s) with exceptionally high feed "
                                                     "conversion remain in the split: " +
                                                     joined(d.outliers) + "."));
  body += paragraph(d.outside.empty() ? "Every flock of the data is in the split."
                                      : escapeXml(std::to_string(d.outside.size()) +
                                                  " flock(s) of the data are not in the split: " + joined(d.outside) +
                                                  "."));
  return section("outliers", "Outliers and left-out flocks", body);
}

std::string regressionSection(const ReportData& d) {
  SvgChartSpec chart{"Feed conversion against live weight", "Live weight, kg", "Feed conversion", {}, 640, 360};
  ChartSeries all;
  for (int g = 1; g <= 3; ++g) {
    ChartLine points{GroupNames[static_cast<std::size_t>(g)],   {},   {}, SeriesStyle::Points,
                     GroupColours[static_cast<std::size_t>(g)], false};
    for (const SplitFlock& f : d.flocks.flocks)
      if (f.group == g) {
        points.x.push_back(f.liveWeight);
        points.y.push_back(f.feedConversion);
        all.x.push_back(f.liveWeight);
        all.y.push_back(f.feedConversion);
      }
    chart.lines.push_back(std::move(points));
  }
  const Regression fit = linearRegression(all, "Live weight", "Feed conversion");
  std::string words = "Too few flocks or no spread in live weight for a regression line.";
  if (fit.ok) {
    const auto [lo, hi] = std::minmax_element(all.x.begin(), all.x.end());
    chart.lines.push_back({"Fitted line",
                           {*lo, *hi},
                           {fit.intercept + fit.slope * *lo, fit.intercept + fit.slope * *hi},
                           SeriesStyle::Line,
                           "#222",
                           false});
    words = "Fitted line: FCR = " + fixedText(fit.intercept, 4) + " + " + fixedText(fit.slope, 4) +
            " \u00d7 live weight (kg); R\u00b2 = " + fixedText(fit.rSquare, 3) + ".";
  }
  return section("regression", "Feed conversion against live weight", svgChart(chart) + paragraph(escapeXml(words)));
}

std::string metricsSection(const ReportData& d) {
  const MetricsTable& m = d.metrics;
  std::vector<std::vector<std::string>> rows;
  static constexpr std::array<int, MetricCount> decimals{1, 3, 2, 1, 3};
  for (int k = 0; k < MetricCount; ++k) {
    std::vector<std::string> row{k == MetricCostPerKg ? costPerKgHeading(m.pricing) : MetricHeadings[k]};
    for (int g = 1; g <= 4; ++g) row.push_back(meanSd(m.groups[k].groups[static_cast<std::size_t>(g)], decimals[k]));
    row.push_back(fixedText(m.groups[k].tLowHigh, 2));
    rows.push_back(std::move(row));
  }
  std::string body = table({"Measure", "Low", "Middle", "High", "All", "t Low-High"}, rows);
  const std::string livability = m.livability.mortality >= 0   ? "from the \"Mortality %\" column"
                                 : m.livability.birdsSold >= 0 ? "from the \"Birds Sold\" column and the birds placed"
                                                               : "not known: the data have no \"Mortality %\" or "
                                                                 "\"Birds Sold\" column, so EPEF is not shown";
  body +=
      "<p class=\"note\">" +
      escapeXml(
          "ADG = live weight \u00d7 1000 / age; EPEF = livability % \u00d7 live weight / (age \u00d7 FCR) "
          "\u00d7 100; FCR adjusted to " +
          fixedText(m.standardWeight, 3) + " kg by " + fixedText(m.fcrComparison.adjustment.slope.slope, 4) +
          " per kg of weight difference. Livability " + livability +
          "." + (m.costsKnown ? " " + feedPricingLine(m) + "." : " The diets carry no feed cost, so the cost per kg is not shown.")) +
      "</p>\n";
  return section("metrics", "Industry metrics", body);
}

}  // namespace plumetra::report
