// The report's sections about the growth model: the model fit per group with its scatter, the
// growth curves of the calibrated groups and the lower-cost result.

#include <algorithm>
#include <cmath>

#include "analysis/analysis_colours.h"
#include "presenters/group_captions.h"
#include "presenters/lower_cost_window.h"
#include "controls/fixed_text.h"
#include "files/svg_chart.h"
#include "report/report_parts.h"

namespace plumetra::report {

namespace {

// Predicted (and calibrated) against recorded values of one item, with the 1:1 line.
std::string fitScatter(const ModelFit& fit, int item, const char* unit) {
  SvgChartSpec chart{std::string("Predicted against recorded ") + FitItemNames[static_cast<std::size_t>(item)],
                     std::string("Recorded") + unit,
                     std::string("Predicted") + unit,
                     {},
                     460,
                     340};
  ChartLine initial{"Analysis run", {}, {}, SeriesStyle::Points, "#4477aa", false};
  ChartLine calibrated{"Calibrated groups", {}, {}, SeriesStyle::Points, "#cc5544", false};
  double lo = INFINITY, hi = -INFINITY;
  for (const FlockFit& f : fit.flocks) {
    for (double v : {f.recorded[item], f.predicted[item], f.calibrated[item]})
      if (std::isfinite(v)) lo = std::min(lo, v), hi = std::max(hi, v);
    initial.x.push_back(f.recorded[item]);
    initial.y.push_back(f.predicted[item]);
    calibrated.x.push_back(f.recorded[item]);
    calibrated.y.push_back(f.calibrated[item]);
  }
  chart.lines.push_back(std::move(initial));
  if (fit.calibrated) chart.lines.push_back(std::move(calibrated));
  if (lo < hi) chart.lines.push_back({"1:1", {lo, hi}, {lo, hi}, SeriesStyle::Line, "#222", true});
  return svgChart(chart);
}

std::string curveChart(const GroupCurves& curves, const char* title, const char* yTitle,
                       const std::vector<double> GroupCurve::*values) {
  SvgChartSpec chart{title, "Age, days", yTitle, {}, 460, 300};
  for (int i : {1, 2, 3, 0}) {
    const GroupCurve& c = curves[static_cast<std::size_t>(i)];
    if (!c.grown) continue;
    const auto index = static_cast<std::size_t>(i);
    ChartLine line{i == 0 ? c.name : GroupCaptions[index], {}, c.*values, SeriesStyle::Line,
                   analysis_colours::GroupLineColours[index], i == 0};
    for (std::size_t d = 0; d < line.y.size(); ++d) line.x.push_back(static_cast<double>(d));
    chart.lines.push_back(std::move(line));
  }
  return svgChart(chart);
}

}  // namespace

std::string modelFitSection(const ReportData& d) {
  if (d.fit.flocks.empty())
    return section("model-fit", "Model fit", paragraph("The growth model did not run, so there are no predictions."));
  std::string body = paragraph(
      "How close the growth model comes to each flock: predicted against recorded values, grown on the feed each "
      "flock ate. Bias is the mean of predicted minus recorded, MAPE the mean absolute percentage error, R\u00b2 "
      "the share of the recorded spread the predictions explain." +
      std::string(d.fit.calibrated
                      ? " The calibrated columns grow every flock with its own group's calibration."
                      : " No calibration is known yet: calibrate the groups to see how much it improves the fit."));
  body += gridTable(fitGroupGrid(d.fit));
  body += fitScatter(d.fit, FitWeight, ", kg");
  body += fitScatter(d.fit, FitConversion, "");
  return section("model-fit", "Model fit", body);
}

std::string curvesSection(const GroupCurves& curves) {
  std::string body = paragraph(
      "Each calibrated group grown on its own feeding programme and diets; the uncalibrated curve uses the model's "
      "built-in growth parameters on the Middle group's programme. The last day of each curve is "
      "shown as a rate per whole day.");
  for (const GroupCurve& c : curves)
    if (!c.grown) body += "<p class=\"note\">" + escapeXml(c.name + " not grown: " + c.problem) + "</p>\n";
  body += curveChart(curves, "Live weight", "Live weight, g", &GroupCurve::weight);
  body += curveChart(curves, "Daily gain", "Gain, g/day", &GroupCurve::gain);
  body += curveChart(curves, "Daily feed intake", "Intake, g/day", &GroupCurve::intake);
  body += curveChart(curves, "Cumulative feed conversion", "Feed / live weight", &GroupCurve::cumulativeFcr);
  return section("curves", "Growth curves of the calibrated groups", body);
}

std::string lowerCostSection(const Grid& results) {
  Grid shown = results;
  shown.setText(0, 0, "Target " + results.text(0, 0));
  const std::string saving = results.text(SavingRow, 3);
  std::string body =
      paragraph(escapeXml("With the calibrated groups, the feed amounts of each diet phase were "
                          "searched for the target weight at the lowest feed cost. Saving per "
                          "100,000 birds: " +
                          saving + "."));
  body += gridTable(shown);
  return section("lower-cost", "Lower-cost feeding", body);
}

}  // namespace plumetra::report
