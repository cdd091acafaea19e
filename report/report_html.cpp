#include "report/report_html.h"

#include "files/free_format.h"
#include "files/svg_chart.h"
#include "report/report_parts.h"

namespace plumetra {

namespace {

// Screen and print styles: each section and chart stays on one printed page where it fits.
constexpr const char* Style = R"(
body { font-family: sans-serif; margin: 24px auto; max-width: 980px; color: #222; }
h1 { font-size: 22px; margin-bottom: 4px; }
h2 { font-size: 17px; border-bottom: 2px solid #3a7; padding-bottom: 3px; margin-top: 28px; }
table { border-collapse: collapse; margin: 8px 0; font-size: 12px; }
th, td { border: 1px solid #bbb; padding: 3px 7px; text-align: right; }
th { background: #eef5ef; }
td:first-child, th:first-child { text-align: left; }
p.note { color: #555; font-size: 12px; }
svg { display: block; margin: 8px 0; max-width: 100%; height: auto; }
@media print {
  body { margin: 0; max-width: none; }
  section, svg, table { page-break-inside: avoid; break-inside: avoid; }
}
)";

}  // namespace

std::string reportHtml(const ReportData& d) {
  std::string page =
      "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n"
      "<meta charset=\"utf-8\"/>\n<title>Plumetra flock report</title>\n<style>" +
      std::string(Style) + "</style>\n</head>\n<body>\n<h1>Plumetra flock report</h1>\n" +
      report::paragraph(escapeXml(d.dataSet) + " &#8212; " + escapeXml(d.date));
  page += report::dataSetSection(d);
  page += report::groupSplitSection(d);
  page += report::adjustedComparisonSection(d);
  page += report::outliersSection(d);
  page += report::regressionSection(d);
  page += report::metricsSection(d);
  page += report::leagueSection(d);
  page += report::trendsSection(d);
  page += report::modelFitSection(d);
  if (d.curves) page += report::curvesSection(*d.curves);
  if (d.lowerCost) page += report::lowerCostSection(*d.lowerCost);
  return page + "</body>\n</html>\n";
}

bool writeReport(const std::filesystem::path& folder, const ReportData& data, std::string* error) {
  return writeFileAtomically(folder / ReportFileName, reportHtml(data), error);
}

namespace report {

std::string table(const std::vector<std::string>& headings, const std::vector<std::vector<std::string>>& rows) {
  std::string out = "<table>\n<tr>";
  for (const std::string& h : headings) out += "<th>" + escapeXml(h) + "</th>";
  out += "</tr>\n";
  for (const auto& row : rows) {
    out += "<tr>";
    for (const std::string& cell : row) out += "<td>" + escapeXml(cell) + "</td>";
    out += "</tr>\n";
  }
  return out + "</table>\n";
}

std::string gridTable(const Grid& grid) {
  std::vector<std::string> headings;
  for (int c = 0; c < grid.cols(); ++c) headings.push_back(grid.text(0, c));
  std::vector<std::vector<std::string>> rows;
  for (int r = 1; r < grid.rows(); ++r) {
    std::vector<std::string> row;
    bool any = false;
    for (int c = 0; c < grid.cols(); ++c) {
      row.push_back(grid.text(r, c));
      any = any || !row.back().empty();
    }
    if (any) rows.push_back(std::move(row));
  }
  return table(headings, rows);
}

// Texts given here are already escaped (they may carry entities).
std::string paragraph(const std::string& text) { return "<p>" + text + "</p>\n"; }

std::string section(const char* id, const std::string& title, const std::string& body) {
  return "<section id=\"" + std::string(id) + "\">\n<h2>" + escapeXml(title) + "</h2>\n" + body + "</section>\n";
}

}  // namespace report

}  // namespace plumetra
