// The report's sections that go beyond the split: whether the feed-conversion groups still
// differ once adjusted for live weight, the farm league, and the measures over time.

#include <cmath>

#include "analysis/fcr_adjustment.h"
#include "analysis/flock_metrics.h"
#include "analysis/league_table.h"
#include "controls/fixed_text.h"
#include "files/svg_chart.h"
#include "report/report_parts.h"

namespace plumetra::report {

namespace {

// The cost column of the league and the trends: with the currency, or saying there is none.
std::string costCaption(const FeedPricing& pricing) {
  return "Feed cost per kg (" + currencyText(pricing) + ")";
}

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
  std::vector<std::vector<std::string>> means;
  for (std::size_t g = 1; g <= 4; ++g)
    means.push_back({GroupNames[g], std::to_string(c.raw.groups[g].n), fixedText(c.raw.groups[g].mean, 3),
                     fixedText(c.adjusted.groups[g].mean, 3), intervalText(meanInterval95(c.adjusted.groups[g]), 3)});
  body += table({"Group", "N", "FCR", "Adjusted FCR", "95 % interval"}, means);
  body += table({"Low - High", "Difference", "95 % interval", "t", "df", "p"},
                {differenceRow("FCR", c.rawLowHigh), differenceRow("Adjusted FCR", c.adjustedLowHigh)});
  body += "<p class=\"note\">Welch's t with Welch-Satterthwaite degrees of freedom; p two-sided.</p>\n";
  return section("adjusted-fcr", "Feed conversion adjusted for live weight", body);
}

std::string leagueSection(const ReportData& d) {
  const LeagueTable& league = d.league;
  if (league.entries.size() < 2)
    return section("league", "Farm league", paragraph("The data hold fewer than two farms, so there is no league."));
  const LeagueMeasure by = league.rankedBy;
  SvgChartSpec chart{"Adjusted FCR by farm, mean and 95 % interval", "Rank", "Adjusted FCR", {}, 640, 360};
  ChartLine means{"Mean", {}, {}, SeriesStyle::Points, "#4477aa", false};
  std::vector<std::vector<std::string>> rows;
  for (const LeagueEntry& e : league.entries) {
    if (e.rank > 0) {
      means.x.push_back(e.rank);
      means.y.push_back(e.moments[by].mean);
      chart.lines.push_back({"", {1.0 * e.rank, 1.0 * e.rank}, {e.ci95[by].low, e.ci95[by].high}, SeriesStyle::Line,
                             "#4477aa", false});
    }
    rows.push_back({e.rank > 0 ? std::to_string(e.rank) : "-", e.quartile > 0 ? std::to_string(e.quartile) : "-", e.name,
                    std::to_string(e.flocks), fixedText(e.moments[LeagueFcr].mean, 3),
                    fixedText(e.moments[LeagueAdjustedFcr].mean, 3), intervalText(e.ci95[LeagueAdjustedFcr], 3),
                    fixedText(e.moments[LeagueGain].mean, 1), fixedText(e.moments[LeagueEpef].mean, 0),
                    fixedText(e.moments[LeagueCostPerKg].mean, 3),
                    std::isfinite(e.holmAgainstLeader) ? pText(e.holmAgainstLeader).substr(2) : ""});
  }
  chart.lines.push_back(std::move(means));
  std::string body = paragraph(escapeXml(
      "Farms ranked by adjusted FCR, lowest first; quartile 1 is the best quarter. Of the " +
      std::to_string(league.pairs) + " pairs of farms compared, " + std::to_string(league.pairsDiffering) +
      " differ at 5 % once the p-values are Holm-adjusted for the number of pairs."));
  body += svgChart(chart);
  body += table({"Rank", "Quartile", "Farm", "Flocks", "FCR", "Adjusted FCR", "95 % interval", "ADG g/day", "EPEF",
                 costCaption(d.metrics.pricing), "p against the leader (Holm)"},
                rows);
  return section("league", "Farm league", body);
}

std::string trendsSection(const ReportData& d) {
  const Trends& trends = d.trends;
  if (!trends.dateKnown || trends.periods.empty()) return {};
  const char* unit = trends.period == TrendPeriod::Month ? "month" : "quarter";
  SvgChartSpec chart{std::string("Feed conversion by ") + unit, std::string("Period (1 = ") + trends.periods.front().name + ")",
                     "Feed conversion", {}, 640, 360};
  ChartLine raw{"FCR", {}, {}, SeriesStyle::Line, "#cc5544", false};
  ChartLine adjusted{"Adjusted FCR", {}, {}, SeriesStyle::Line, "#4477aa", false};
  std::vector<std::vector<std::string>> rows;
  for (std::size_t i = 0; i < trends.periods.size(); ++i) {
    const LeagueEntry& e = trends.periods[i];
    raw.x.push_back(static_cast<double>(i + 1));
    raw.y.push_back(e.moments[LeagueFcr].mean);
    adjusted.x.push_back(static_cast<double>(i + 1));
    adjusted.y.push_back(e.moments[LeagueAdjustedFcr].mean);
    rows.push_back({e.name, std::to_string(e.flocks), fixedText(e.moments[LeagueFcr].mean, 3),
                    fixedText(e.moments[LeagueAdjustedFcr].mean, 3), intervalText(e.ci95[LeagueAdjustedFcr], 3),
                    fixedText(e.moments[LeagueGain].mean, 1), fixedText(e.moments[LeagueEpef].mean, 0),
                    fixedText(e.moments[LeagueCostPerKg].mean, 3)});
  }
  chart.lines = {std::move(raw), std::move(adjusted)};
  std::string body = paragraph(escapeXml(std::string("Means by ") + unit + " of the flocks' dates" +
                                         (trends.undated > 0 ? "; " + std::to_string(trends.undated) +
                                                                   " flocks have no date that reads as one"
                                                             : std::string()) +
                                         "."));
  body += svgChart(chart);
  body += table({"Period", "Flocks", "FCR", "Adjusted FCR", "95 % interval", "ADG g/day", "EPEF", costCaption(d.metrics.pricing)},
                rows);
  return section("trends", "Trends over time", body);
}

}  // namespace plumetra::report
