#pragma once
// A number with a fixed count of decimals for the side tables and the report; an unknown
// (not finite) value is an empty text.

#include <cmath>
#include <cstdio>
#include <string>

namespace plumetra {

inline std::string fixedText(double value, int decimals) {
  if (!std::isfinite(value)) return {};
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace plumetra
