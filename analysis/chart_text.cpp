#include "analysis/chart_text.h"

#include <cmath>
#include <cstdio>

namespace plumetra {

namespace {
// Enough digits to reproduce the line, always with a "." (the formula language's own).
std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

// Double quotes inside a formula's text are doubled.
std::string quoted(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '"') out += '"';
    if (c != '\r' && c != '\n') out += c;
  }
  return out;
}
}  // namespace

std::string plotTitle(const std::string& yCaption, const std::string& xCaption, const std::string& firstSortCaption) {
  if (yCaption.empty()) return chartTitle(firstSortCaption);
  if (!xCaption.empty()) return yCaption + " against " + xCaption;
  return yCaption + ", " + chartTitle(firstSortCaption);
}

std::string spreadsheetFormula(const Regression& regression, const std::string& xCaption,
                               const std::string& yCaption, const std::string& xCell) {
  if (!regression.ok) return {};
  const double b = regression.slope;
  return "=" + number(regression.intercept) + (std::signbit(b) ? "-" : "+") + number(std::abs(b)) + "*" + xCell +
         "+N(\"" + quoted(yCaption) + " from " + quoted(xCaption) + " in " + xCell + "\")";
}

}  // namespace plumetra
