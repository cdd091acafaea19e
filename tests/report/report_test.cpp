// The report of the bundled example, analysed and calibrated as the command line does it,
// parsed back by an XML parser: well-formed, every section present, every chart a
// well-formed SVG with the points it should hold.

#include "report/report_html.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <unistd.h>

#include <algorithm>
#include <memory>
#include <sstream>

#include "analysis/split_flocks.h"
#include "calibration/split_calibration.h"
#include "controls/batch_dialogs.h"
#include "files/free_format.h"
#include "tests/support/analysed_file.h"
#include "workspace/diet_file.h"

namespace plumetra {
namespace {

namespace fs = std::filesystem;
constexpr char SvgNamespace[] = "http://www.w3.org/2000/svg";

// The bundled example analysed as mixed flocks, `removeOutliers` of its outliers taken out.
bool analysedExample(AppState& state, Dialogs& dialogs, int removeOutliers = 0) {
  AnalysisSettings settings = testing::mixedFlocks();
  settings.removeOutliers = removeOutliers;
  return testing::analyseFile(state, testing::ExampleFolder / "flocks.csv", dialogs, settings).result.has_value();
}

struct ExampleReport : ::testing::Test {
  static void SetUpTestSuite() {
    folder = fs::path(::testing::TempDir()) / ("plumetra_report_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    auto state = std::make_unique<AppState>();
    std::ostringstream quiet;
    BatchDialogs dialogs(quiet);
    ASSERT_TRUE(analysedExample(*state, dialogs));
    ReportData data = reportDataOf(*state, std::nullopt);
    state->workspace.lastDir = folder;
    dialogs.answerInput("This creates 3 datasets", "Example");
    ASSERT_EQ(calibrateGroups(state->workspace, state->model, state->calibration,
                              state->analysisResult->split, dialogs)
                  .groupsStored, 3);
    addCalibratedParts(*state, data, folder / "Example", nullptr, dialogs);
    flocks = static_cast<int>(data.flocks.flocks.size());
    curves = *data.curves;
    std::string error;
    ASSERT_TRUE(writeReport(folder, data, &error)) << error;
    parsed = doc.load_file((folder / ReportFileName).c_str(), pugi::parse_default | pugi::parse_doctype);
  }
  static void TearDownTestSuite() {
    fs::remove_all(folder);
  }

  static fs::path folder;
  static int flocks;
  static GroupCurves curves;
  static pugi::xml_document doc;  // the report as an XML parser reads it
  static pugi::xml_parse_result parsed;
};
GroupCurves ExampleReport::curves;
fs::path ExampleReport::folder;
int ExampleReport::flocks = 0;
pugi::xml_document ExampleReport::doc;
pugi::xml_parse_result ExampleReport::parsed;

pugi::xml_node sectionById(const pugi::xml_document& doc, const char* id) {
  return doc.find_node([&](pugi::xml_node n) {
    return std::string(n.name()) == "section" && std::string(n.attribute("id").value()) == id;
  });
}

std::vector<pugi::xml_node> elements(pugi::xml_node root, const char* name) {
  std::vector<pugi::xml_node> found;
  for (pugi::xpath_node n : root.select_nodes((std::string(".//") + name).c_str())) found.push_back(n.node());
  return found;
}

TEST_F(ExampleReport, WellFormedWithEverySectionAndEveryChartAnSvgWithItsData) {
  ASSERT_TRUE(parsed) << parsed.description() << " at " << parsed.offset;
  EXPECT_STREQ(doc.document_element().attribute("xmlns").value(), "http://www.w3.org/1999/xhtml");
  for (const char* id : ReportSections) {
    const pugi::xml_node section = sectionById(doc, id);
    ASSERT_TRUE(section) << id;
    EXPECT_FALSE(std::string(section.child("h2").text().get()).empty()) << id;
  }
  // Self-contained: nothing is loaded from outside.
  for (const char* loader : {"script", "img", "link"}) EXPECT_TRUE(elements(doc, loader).empty()) << loader;

  // Every chart is an SVG with its data.
  const std::vector<pugi::xml_node> charts = elements(doc, "svg");
  // Regression 1, model fit 2 (weight, FCR), league 1, trends 1, curves 4.
  ASSERT_EQ(charts.size(), 9u);
  for (const pugi::xml_node& svg : charts) {
    EXPECT_STREQ(svg.attribute("xmlns").value(), SvgNamespace);
    EXPECT_FALSE(std::string(svg.child("text").text().get()).empty());  // the title
  }
  // One point per flock of the split in the regression chart, and its fitted line.
  const pugi::xml_node regression = elements(sectionById(doc, "regression"), "svg").front();
  EXPECT_EQ(static_cast<int>(elements(regression, "circle").size()), flocks + 3);  // + 3 legend marks
  EXPECT_EQ(elements(regression, "polyline").size(), 1u);
  // The fit charts: analysis run and calibrated points, and the dashed 1:1 line.
  const pugi::xml_node weightFit = elements(sectionById(doc, "model-fit"), "svg").front();
  EXPECT_TRUE(weightFit.find_child_by_attribute("polyline", "stroke-dasharray", "6 4"));
  EXPECT_EQ(static_cast<int>(elements(weightFit, "circle").size()), 2 * flocks + 2);
  // Four curves (three groups and the uncalibrated model) per curve chart.
  for (const pugi::xml_node& chart : elements(sectionById(doc, "curves"), "svg"))
    EXPECT_EQ(elements(chart, "polyline").size(), 4u);
}

TEST_F(ExampleReport, SectionsSayWhatTheyShowInWordsAndCharts) {
  ASSERT_TRUE(parsed);
  const std::string split = sectionById(doc, "group-split").child("ul").first_child().text().get();
  EXPECT_EQ(split.rfind("Feed conversion: Low group", 0), 0u) << split;
  // The group table: Low, Middle, High and All with their flock counts adding up; then, as the
  // example's flocks grow as their own sex, the comparison within each sex.
  const std::vector<pugi::xml_node> tables = elements(sectionById(doc, "group-split"), "table");
  ASSERT_EQ(tables.size(), 2u);
  const std::vector<pugi::xml_node> rows = elements(tables[0], "tr");
  ASSERT_EQ(rows.size(), 5u);
  int n = 0;
  for (int r = 1; r <= 3; ++r) n += rows[static_cast<std::size_t>(r)].child("td").next_sibling("td").text().as_int();
  EXPECT_EQ(n, flocks);
  const std::vector<pugi::xml_node> sexes = elements(tables[1], "tr");
  ASSERT_EQ(sexes.size(), 4u);
  int bySex = 0;
  for (std::size_t r = 1; r < sexes.size(); ++r) {
    EXPECT_EQ(sexes[r].child("td").text().get(), std::string(r == 1 ? "Males" : r == 2 ? "Females" : "Mixed"));
    bySex += sexes[r].child("td").next_sibling("td").text().as_int();
  }
  EXPECT_EQ(bySex, flocks);
  const std::string lowerCost = sectionById(doc, "lower-cost").child("p").text().get();
  EXPECT_NE(lowerCost.find("Saving per 100,000 birds"), std::string::npos);
  // Beyond the split, the sections answer in words and charts.
  const std::string verdict = sectionById(doc, "adjusted-fcr").child("p").child("strong").text().get();
  EXPECT_EQ(verdict.rfind("Adjusted to ", 0), 0u) << verdict;
  // The example's eight farms: one point and one interval line each (and one legend mark).
  const pugi::xml_node league = elements(sectionById(doc, "league"), "svg").front();
  EXPECT_EQ(elements(league, "circle").size(), 8u + 1u);
  EXPECT_EQ(elements(league, "polyline").size(), 8u);
  EXPECT_EQ(elements(sectionById(doc, "league"), "tr").size(), 8u + 1u);
  // The example's placement dates span 2024: twelve months, FCR and adjusted FCR over them.
  const pugi::xml_node trends = elements(sectionById(doc, "trends"), "svg").front();
  EXPECT_EQ(elements(trends, "polyline").size(), 2u);
  EXPECT_EQ(elements(sectionById(doc, "trends"), "tr").size(), 12u + 1u);
}

TEST_F(ExampleReport, CurvesEatTheStoredProgramme) {
  for (int g = GroupTop; g <= GroupBottom; ++g) {
    const GroupCurve& c = curves[static_cast<std::size_t>(g)];
    ASSERT_TRUE(c.grown) << c.name << ": " << c.problem;
    // The feed of the group's stored programme, summed from its diet file's "Feed Weight"
    // lines, over the final weight is the last cumulative FCR (the run stops when it is eaten).
    const auto diets = parseDietFile(*readTextFile(folder / ("Example" + std::string(groupWord(g)) + ".dts")));
    ASSERT_TRUE(diets.diets);
    double programme = 0;
    for (int d = 1; d <= diets.diets->count; ++d) programme += diets.diets->values[d][ValFeedWeight];
    EXPECT_NEAR(c.cumulativeFcr.back(), programme / (c.weight.back() / 1000.0), 0.005 * c.cumulativeFcr.back())
        << c.name;
    EXPECT_TRUE(std::is_sorted(c.weight.begin(), c.weight.end())) << c.name;
  }
  EXPECT_TRUE(curves[0].grown);  // the uncalibrated model on the Middle programme
}

TEST(ReportData, RemovedOutliersAreNamedOutsideTheSplit) {
  auto state = std::make_unique<AppState>();
  std::ostringstream quiet;
  BatchDialogs dialogs(quiet);
  ASSERT_TRUE(analysedExample(*state, dialogs, 3));
  const ReportData data = reportDataOf(*state, std::nullopt);
  // 216 flocks, 3 taken out: 213 in the split, each once; the 3 named as outside it.
  ASSERT_EQ(data.flocks.flocks.size(), 213u);
  std::vector<int> seen;
  for (const SplitFlock& f : data.flocks.flocks) seen.push_back(f.flock);
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
  EXPECT_EQ(data.outside.size(), 3u);
  EXPECT_EQ(data.metrics.keys.size(), 213u);
}

}  // namespace
}  // namespace plumetra
