#include "controls/number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace plumetra {

namespace {

// Largest double printed in fixed form: 309 integer digits, a point and the decimals.
constexpr std::size_t FixedBufferSize = 400;
// Decimals a pattern may ask for; more placeholders after the point are not meaningful.
constexpr int MaxDecimals = 30;
// General number form: 15 significant digits; exponent form below 1E-04 and from 1E+15.
constexpr int SignificantDigits = 15;
constexpr int SmallestFixedExponent = -4;
constexpr int LargestFixedExponent = 14;

// A digit pattern taken apart: literal text around the placeholders, the number of '0'
// before the point, and the decimals (all of them, and those always shown).
struct PatternParts {
  std::string_view prefix, suffix;
  int minIntegerDigits = 0;
  bool hasPoint = false;
  int decimals = 0;
  int minDecimals = 0;
};

bool isPlaceholder(char c) { return c == '#' || c == '0' || c == '.'; }

PatternParts parsePattern(std::string_view pattern) {
  PatternParts parts;
  const std::size_t first = pattern.find_first_of("#0.");
  if (first == std::string_view::npos) {
    parts.prefix = pattern;
    return parts;
  }
  std::size_t last = first;
  while (last < pattern.size() && isPlaceholder(pattern[last])) ++last;
  parts.prefix = pattern.substr(0, first);
  parts.suffix = pattern.substr(last);
  bool afterPoint = false;
  for (std::size_t i = first; i < last; ++i) {
    const char c = pattern[i];
    if (c == '.') {
      if (afterPoint) break;  // a second point ends the digit run
      afterPoint = parts.hasPoint = true;
    } else if (!afterPoint) {
      if (c == '0') ++parts.minIntegerDigits;
    } else {
      ++parts.decimals;
      if (c == '0') parts.minDecimals = parts.decimals;
    }
  }
  if (parts.decimals > MaxDecimals) parts.decimals = MaxDecimals;
  if (parts.minDecimals > parts.decimals) parts.minDecimals = parts.decimals;
  return parts;
}

// Magnitude rules: the first entry whose bound the magnitude is above gives the pattern.
struct MagnitudeRule {
  double above;
  std::string_view pattern;
};

template <std::size_t N>
std::string formatByMagnitude(double value, const std::array<MagnitudeRule, N>& rules,
                              std::string_view fallback) {
  if (value == 0.0) return "0";
  const double magnitude = std::fabs(value);
  for (const MagnitudeRule& rule : rules) {
    if (magnitude > rule.above) return formatPattern(value, rule.pattern);
  }
  return formatPattern(value, fallback);
}

// Three decimals up to 9.999, then one decimal less for each tenfold, none above 999.9.
constexpr std::array<MagnitudeRule, 3> FormatNumRules{
    {{999.9, "####"}, {99.99, "###.0"}, {9.999, "##.#0"}}};
constexpr std::array<MagnitudeRule, 4> FormatDietRules{
    {{9999, "#####.0"}, {999.9, "####.0"}, {99.99, "###.#0"}, {9.999, "##.##0"}}};
constexpr std::array<MagnitudeRule, 3> FormatShortRules{
    {{999.9, "####"}, {99.99, "###"}, {9.999, "##.0"}}};

// The leading numeric part of text (after the first comma became a point): sign, digits
// with at most one point, and an exponent only when digits follow it.
struct NumericPrefix {
  std::size_t length = 0;  // characters taken, 0 when the text has no number
  double value = 0.0;
};

NumericPrefix scanNumber(std::string_view s) {
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const std::size_t start = i;
  std::size_t digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return {};
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && s[j] >= '0' && s[j] <= '9') {
      while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
      i = j;
    }
  }
  // from_chars takes no '+' but does take the rest of this form, in the same way everywhere.
  // A number beyond the range of a double reads as 0; below it, 0 is its value anyway.
  double value = 0.0;
  const auto result = std::from_chars(s.data() + start, s.data() + i, value);
  if (result.ec != std::errc{}) value = 0.0;
  return {i, negative ? -value : value};
}

std::string withFirstCommaAsPoint(std::string_view text) {
  std::string s(text);
  if (const std::size_t comma = s.find(','); comma != std::string::npos) s[comma] = '.';
  return s;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string formatPattern(double value, std::string_view pattern) {
  const PatternParts parts = parsePattern(pattern);
  std::array<char, FixedBufferSize> buffer{};
  // to_chars rounds the exact binary value half to even, and ignores the process locale.
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                    std::fabs(value), std::chars_format::fixed, parts.decimals);
  std::string_view digits(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
  if (!std::isfinite(value)) return std::string(value < 0 ? "-" : "") + std::string(digits);

  const std::size_t point = digits.find('.');
  std::string_view integer = digits.substr(0, point);
  std::string_view decimals =
      point == std::string_view::npos ? std::string_view{} : digits.substr(point + 1);
  while (!integer.empty() && integer.front() == '0') integer.remove_prefix(1);
  while (static_cast<int>(decimals.size()) > parts.minDecimals && decimals.back() == '0')
    decimals.remove_suffix(1);
  const bool allZero = integer.empty() && decimals.find_first_not_of('0') == std::string_view::npos;

  std::string out(parts.prefix);
  if (value < 0 && !allZero) out += '-';
  for (int i = static_cast<int>(integer.size()); i < parts.minIntegerDigits; ++i) out += '0';
  out += integer;
  if (parts.hasPoint) {
    out += '.';
    out += decimals;
  }
  out += parts.suffix;
  return out;
}

std::string formatPlain(double value, std::string_view pattern) {
  std::string text = formatPattern(value, pattern);
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return text;
  const auto isDigit = [&](std::size_t at) { return at < text.size() && text[at] >= '0' && text[at] <= '9'; };
  if (!isDigit(point + 1)) text.erase(point, 1);
  else if (point == 0 || !isDigit(point - 1)) text.insert(point, "0");
  const bool anyDigit = text.find_first_of("0123456789") != std::string::npos;
  return anyDigit ? text : text + "0";
}

std::string formatSheetNumber(double value) {
  const bool whole = std::isfinite(value) && std::fabs(value) < 1e15 && value == std::trunc(value);
  return whole ? generalNumber(value) : formatNum(value);
}

std::string formatNum(double value) { return formatByMagnitude(value, FormatNumRules, "0.##0"); }

std::string formatDiet(double value) {
  if (value != 0.0 && std::fabs(value) < 0.1) return formatPattern(value, "0.######");
  return formatByMagnitude(value, FormatDietRules, "0.###0");
}

std::string formatShort(double value) {
  return formatByMagnitude(value, FormatShortRules, "0.##0");
}

// The chart's rule has the same bounds and patterns as the t statistics'.
std::string formatChart(double value) { return formatShort(value); }

std::string generalNumber(double value) {
  if (value == 0.0) return "0";
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
  // Scientific form with 15 significant digits gives the rounded digits and the exponent.
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                    std::chars_format::scientific, SignificantDigits - 1);
  const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
  const std::size_t e = text.find('e');
  std::string digits;
  for (char c : text.substr(0, e))
    if (c != '.') digits += c;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  int exponent = 0;
  const std::string_view exponentText = text.substr(e + 1);
  std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                  exponentText.data() + exponentText.size(), exponent);

  std::string out = value < 0 ? "-" : "";
  if (exponent < SmallestFixedExponent || exponent > LargestFixedExponent) {
    out += digits.front();
    if (digits.size() > 1) out += '.' + digits.substr(1);
    out += exponent < 0 ? "E-" : "E+";
    const std::string power = std::to_string(std::abs(exponent));
    out += (power.size() < 2 ? "0" : "") + power;
  } else if (exponent < 0) {
    out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else {
    const auto integerDigits = static_cast<std::size_t>(exponent + 1);
    if (digits.size() <= integerDigits) {
      out += digits + std::string(integerDigits - digits.size(), '0');
    } else {
      out += digits.substr(0, integerDigits) + '.' + digits.substr(integerDigits);
    }
  }
  return out;
}

std::string numberText(double value) {
  const std::string text = generalNumber(value);
  return text.front() == '-' ? text : " " + text;
}

double readNumber(std::string_view text) {
  const std::string s = withFirstCommaAsPoint(text);
  std::size_t start = 0;
  while (start < s.size() && isBlank(s[start])) ++start;
  return scanNumber(std::string_view(s).substr(start)).value;
}

// A number is: blanks or TABs, an optional sign, digits with at most one point (or one
// comma, taken as the point), at least one digit, an optional complete exponent (E or e,
// optional sign, digits), blanks or TABs. Nothing else: no thousands separators, no
// currency signs, no hexadecimal. An empty or blank text is not a number.
bool readsAsNumber(std::string_view text) {
  const std::string s = withFirstCommaAsPoint(text);
  std::size_t start = 0, end = s.size();
  while (start < end && isBlank(s[start])) ++start;
  while (end > start && isBlank(s[end - 1])) --end;
  if (start == end) return false;
  return scanNumber(std::string_view(s).substr(start, end - start)).length == end - start;
}

double roundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double floor = std::floor(value);
  const double diff = value - floor;  // exact for every double
  if (diff < 0.5) return floor;
  if (diff > 0.5) return floor + 1.0;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

}  // namespace plumetra
