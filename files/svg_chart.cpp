#include "files/svg_chart.h"

#include "controls/axis_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace plumetra {

namespace {

// Plot margins in pixels: room for the tick labels, the axis titles and the chart title.
constexpr double LeftMargin = 64, RightMargin = 16, TopMargin = 34, BottomMargin = 58;
constexpr int TickCount = 6;
constexpr double PadShare = 0.03;  // of the data range, either side
constexpr double LegendRowHeight = 16;

struct Range {
  double lo = std::numeric_limits<double>::infinity();
  double hi = -std::numeric_limits<double>::infinity();
  void add(double v) {
    if (!std::isfinite(v)) return;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  bool empty() const { return lo > hi; }
  // Some room either side, so no point sits on the frame; a single value gets room too.
  void widen(double share) {
    const double pad = hi > lo ? (hi - lo) * share : lo == 0 ? 1.0 : std::abs(lo) * 0.1;
    lo -= pad;
    hi += pad;
  }
};

std::string num(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", v);
  return text;
}

// A tick label with no more decimals than the step needs.
std::string tickLabel(double v, double step) {
  const int decimals = step >= 1 ? 0 : std::min(6, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, std::abs(v) < step * 1e-9 ? 0.0 : v);
  return text;
}

struct Frame {
  double x0, y0, w, h;  // plot area
  Range xs, ys;
  double px(double x) const { return x0 + (x - xs.lo) / (xs.hi - xs.lo) * w; }
  double py(double y) const { return y0 + h - (y - ys.lo) / (ys.hi - ys.lo) * h; }
};

std::string text(double x, double y, std::string_view anchor, std::string_view content, std::string_view extra = "") {
  return "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\" text-anchor=\"" + std::string(anchor) + "\"" +
         std::string(extra) + ">" + escapeXml(content) + "</text>\n";
}

std::string axes(const Frame& f, const SvgChartSpec& chart) {
  std::string out;
  const std::vector<double> xt = niceTicks(f.xs.lo, f.xs.hi, TickCount);
  const std::vector<double> yt = niceTicks(f.ys.lo, f.ys.hi, TickCount);
  const double xStep = xt.size() > 1 ? xt[1] - xt[0] : 1, yStep = yt.size() > 1 ? yt[1] - yt[0] : 1;
  for (double x : xt) {
    const double p = f.px(x);
    out += "<line x1=\"" + num(p) + "\" y1=\"" + num(f.y0) + "\" x2=\"" + num(p) + "\" y2=\"" + num(f.y0 + f.h) +
           "\" stroke=\"#e4e4e4\"/>\n";
    out += text(p, f.y0 + f.h + 16, "middle", tickLabel(x, xStep));
  }
  for (double y : yt) {
    const double p = f.py(y);
    out += "<line x1=\"" + num(f.x0) + "\" y1=\"" + num(p) + "\" x2=\"" + num(f.x0 + f.w) + "\" y2=\"" + num(p) +
           "\" stroke=\"#e4e4e4\"/>\n";
    out += text(f.x0 - 6, p + 4, "end", tickLabel(y, yStep));
  }
  out += "<rect x=\"" + num(f.x0) + "\" y=\"" + num(f.y0) + "\" width=\"" + num(f.w) + "\" height=\"" + num(f.h) +
         "\" fill=\"none\" stroke=\"#444\"/>\n";
  out += text(f.x0 + f.w / 2, f.y0 + f.h + 38, "middle", chart.xTitle);
  const double yMid = f.y0 + f.h / 2;
  out += text(16, yMid, "middle", chart.yTitle, " transform=\"rotate(-90 16 " + num(yMid) + ")\"");
  return out;
}

std::string series(const Frame& f, const ChartLine& line) {
  std::string out;
  if (line.style == SeriesStyle::Line) {
    std::string points;
    for (std::size_t i = 0; i < line.x.size() && i < line.y.size(); ++i)
      if (std::isfinite(line.x[i]) && std::isfinite(line.y[i]))
        points += num(f.px(line.x[i])) + "," + num(f.py(line.y[i])) + " ";
    if (points.empty()) return out;
    points.pop_back();
    out += "<polyline fill=\"none\" stroke=\"" + escapeXml(line.colour) + "\" stroke-width=\"2\"" +
           (line.dashed ? " stroke-dasharray=\"6 4\"" : "") + " points=\"" + points + "\"/>\n";
    return out;
  }
  for (std::size_t i = 0; i < line.x.size() && i < line.y.size(); ++i)
    if (std::isfinite(line.x[i]) && std::isfinite(line.y[i]))
      out += "<circle cx=\"" + num(f.px(line.x[i])) + "\" cy=\"" + num(f.py(line.y[i])) + "\" r=\"3\" fill=\"" +
             escapeXml(line.colour) + "\" fill-opacity=\"0.75\"/>\n";
  return out;
}

std::string legend(const Frame& f, const std::vector<ChartLine>& lines) {
  std::string out;
  double y = f.y0 + 12;
  for (const ChartLine& line : lines) {
    if (line.name.empty()) continue;
    const double x = f.x0 + 10;
    if (line.style == SeriesStyle::Line)
      out += "<line x1=\"" + num(x) + "\" y1=\"" + num(y - 4) + "\" x2=\"" + num(x + 18) + "\" y2=\"" + num(y - 4) +
             "\" stroke=\"" + escapeXml(line.colour) + "\" stroke-width=\"2\"" +
             (line.dashed ? " stroke-dasharray=\"6 4\"" : "") + "/>\n";
    else
      out += "<circle cx=\"" + num(x + 9) + "\" cy=\"" + num(y - 4) + "\" r=\"3\" fill=\"" + escapeXml(line.colour) +
             "\"/>\n";
    out += text(x + 24, y, "start", line.name);
    y += LegendRowHeight;
  }
  return out;
}

}  // namespace

std::string escapeXml(std::string_view in) {
  std::string out;
  out.reserve(in.size());
  for (char c : in) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::vector<double> niceTicks(double lo, double hi, int count) {
  std::vector<double> ticks;
  if (!(hi > lo) || !std::isfinite(lo) || !std::isfinite(hi) || count < 2) return ticks;
  const double step = roundTickStep((hi - lo) / (count - 1));
  for (double t = std::ceil(lo / step - 1e-9) * step; t <= hi + step * 1e-9; t += step) ticks.push_back(t);
  return ticks;
}

std::string svgChart(const SvgChartSpec& chart) {
  Frame f{LeftMargin, TopMargin, chart.width - LeftMargin - RightMargin, chart.height - TopMargin - BottomMargin,
          {},         {}};
  for (const ChartLine& line : chart.lines) {
    for (double x : line.x) f.xs.add(x);
    for (double y : line.y) f.ys.add(y);
  }
  std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(chart.width) +
                    "\" height=\"" + std::to_string(chart.height) + "\" viewBox=\"0 0 " + std::to_string(chart.width) +
                    " " + std::to_string(chart.height) + "\" font-family=\"sans-serif\" font-size=\"11\">\n";
  out += "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
  out += text(chart.width / 2.0, 20, "middle", chart.title, " font-size=\"14\" font-weight=\"bold\"");
  if (f.xs.empty() || f.ys.empty()) {
    out += "<rect x=\"" + num(f.x0) + "\" y=\"" + num(f.y0) + "\" width=\"" + num(f.w) + "\" height=\"" + num(f.h) +
           "\" fill=\"none\" stroke=\"#444\"/>\n";
    out += text(f.x0 + f.w / 2, f.y0 + f.h / 2, "middle", "No data");
    return out + "</svg>\n";
  }
  f.xs.widen(PadShare);
  f.ys.widen(PadShare);
  out += axes(f, chart);
  for (const ChartLine& line : chart.lines) out += series(f, line);
  out += legend(f, chart.lines);
  return out + "</svg>\n";
}

}  // namespace plumetra
