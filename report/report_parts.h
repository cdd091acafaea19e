#pragma once
// The building blocks of the report page: tables, paragraphs and the sections themselves.

#include <string>
#include <vector>

#include "controls/grid.h"
#include "report/report_data.h"

namespace plumetra::report {

// <table> with a heading row; cells are escaped.
std::string table(const std::vector<std::string>& headings, const std::vector<std::vector<std::string>>& rows);
// A grid as a table (row 0 the headings), leaving out rows that are empty.
std::string gridTable(const Grid& grid);
std::string paragraph(const std::string& text);
std::string section(const char* id, const std::string& title, const std::string& body);

std::string dataSetSection(const ReportData& d);
std::string groupSplitSection(const ReportData& d);
std::string outliersSection(const ReportData& d);
std::string regressionSection(const ReportData& d);
std::string metricsSection(const ReportData& d);
// Whether the feed-conversion groups still differ once adjusted for live weight.
std::string adjustedComparisonSection(const ReportData& d);
// The farms ranked by adjusted FCR with a dot-and-interval chart.
std::string leagueSection(const ReportData& d);
// The measures by month or quarter; empty without a date column.
std::string trendsSection(const ReportData& d);
std::string modelFitSection(const ReportData& d);
std::string curvesSection(const GroupCurves& curves);
std::string lowerCostSection(const Grid& results);

}  // namespace plumetra::report
