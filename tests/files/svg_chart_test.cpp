// The SVG chart writer: well-formed XML whatever the data, points placed on the axes' scale.

#include "files/svg_chart.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cmath>

namespace plumetra {
namespace {

TEST(SvgChart, TicksAndEscapes) {
  // 0..10 in about 6 ticks: raw step 2 -> 0, 2, ..., 10; 1.4..2.05 -> step 0.1 (raw 0.13).
  EXPECT_EQ(niceTicks(0, 10, 6), (std::vector<double>{0, 2, 4, 6, 8, 10}));
  const std::vector<double> fine = niceTicks(1.4, 2.05, 6);
  ASSERT_FALSE(fine.empty());
  EXPECT_NEAR(fine.front(), 1.4, 1e-12);
  EXPECT_NEAR(fine[1] - fine[0], 0.2, 1e-12);  // raw 0.13 rounds up to 0.2
  EXPECT_TRUE(niceTicks(1, 1, 6).empty());
  EXPECT_EQ(escapeXml("a<b & \"c\" 'd'>"), "a&lt;b &amp; &quot;c&quot; &#39;d&#39;&gt;");
}

TEST(SvgChart, WellFormedAndScaled) {
  SvgChartSpec spec{"FCR <by> weight & age", "x", "y", {}, 400, 300};
  spec.lines.push_back({"points", {0, 5, 10, NAN}, {0, 5, 10, 3}, SeriesStyle::Points, "#123456", false});
  spec.lines.push_back({"1:1", {0, 10}, {0, 10}, SeriesStyle::Line, "#000", true});
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(svgChart(spec).c_str()));
  const pugi::xml_node svg = doc.child("svg");
  EXPECT_STREQ(svg.attribute("xmlns").value(), "http://www.w3.org/2000/svg");
  EXPECT_EQ(std::string(svg.child("text").text().get()), "FCR <by> weight & age");
  // Three finite points plus one legend mark; the NaN point is left out.
  int circles = 0;
  double firstX = -1, lastX = -1;
  for (pugi::xml_node c : svg.children("circle")) {
    if (++circles == 1) firstX = c.attribute("cx").as_double();
    if (circles == 3) lastX = c.attribute("cx").as_double();
  }
  EXPECT_EQ(circles, 4);
  // The plot runs from x = 64 to 400 - 16 = 384 (320 px) over 0..10 widened by 3 % either side,
  // -0.3..10.3: 0 sits at 64 + 0.3 / 10.6 x 320 = 73.06, 10 at 64 + 10.3 / 10.6 x 320 = 374.94.
  EXPECT_NEAR(firstX, 73.06, 0.05);
  EXPECT_NEAR(lastX, 374.94, 0.05);
  EXPECT_TRUE(svg.find_child_by_attribute("polyline", "stroke-dasharray", "6 4"));
}

TEST(SvgChart, NoDataStillWellFormed) {
  SvgChartSpec spec{"Empty", "x", "y", {}, 300, 200};
  spec.lines.push_back({"nothing", {NAN}, {1}, SeriesStyle::Line, "#000", false});
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(svgChart(spec).c_str()));
  EXPECT_TRUE(doc.child("svg").find_child_by_attribute("text", "text-anchor", "middle"));
  EXPECT_NE(svgChart(spec).find("No data"), std::string::npos);
  // One value: the axis is widened around it instead of dividing by a zero range.
  SvgChartSpec single{"One", "x", "y", {{"p", {2}, {3}, SeriesStyle::Points, "#000", false}}, 300, 200};
  EXPECT_EQ(svgChart(single).find("nan"), std::string::npos);
}

}  // namespace
}  // namespace plumetra
