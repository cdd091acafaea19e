#pragma once
// A small chart drawn as SVG text: points and lines over two linear axes with ticks, axis
// titles and a legend. The report and anything else that needs a picture without Qt share it.
// The output is well-formed XML (an <svg> element with the SVG namespace), so it can stand
// inline in an XHTML page or alone in a ".svg" file.

#include <string>
#include <string_view>
#include <vector>

namespace plumetra {

enum class SeriesStyle { Points, Line };

struct ChartLine {
  std::string name;  // in the legend; empty: not listed
  std::vector<double> x, y;
  SeriesStyle style = SeriesStyle::Points;
  std::string colour = "#1f77b4";
  bool dashed = false;
};

struct SvgChartSpec {
  std::string title, xTitle, yTitle;
  std::vector<ChartLine> lines;
  int width = 640, height = 360;
};

// The chart as one <svg> element. Values that are not finite are left out; a chart without
// any finite value shows its frame and the words "No data".
std::string svgChart(const SvgChartSpec& chart);

// Text with &, <, >, " and ' escaped for XML content and attributes.
std::string escapeXml(std::string_view text);

// Round tick steps (1, 2 or 5 times a power of ten) covering lo..hi with about `count` ticks.
std::vector<double> niceTicks(double lo, double hi, int count);

}  // namespace plumetra
