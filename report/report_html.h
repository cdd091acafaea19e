#pragma once
// The flock report: one self-contained page (report.html) with inline SVG charts and no
// outside files, written as well-formed XHTML so any XML parser reads it and a browser prints
// it cleanly to PDF.

#include <filesystem>
#include <string>

#include "report/report_data.h"

namespace plumetra {

inline constexpr const char* ReportFileName = "report.html";

// Section ids, in page order; "curves" and "lower-cost" only when a calibration is known.
inline constexpr const char* ReportSections[] = {"data-set", "group-split", "outliers", "regression",
                                                 "metrics",  "model-fit",   "curves",   "lower-cost"};

std::string reportHtml(const ReportData& data);

// Writes folder/report.html (through a temporary file); false with the reason in *error.
bool writeReport(const std::filesystem::path& folder, const ReportData& data, std::string* error);

}  // namespace plumetra
