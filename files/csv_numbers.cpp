#include "files/csv_numbers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "files/trimmed_text.h"

namespace plumetra {

namespace {

// How a number text uses its commas and points.
enum class Shape {
  NotNumber,
  Whole,           // digits only
  PointDecimal,    // a decimal point, possibly with comma grouping: "2.65", "1,234.5"
  CommaDecimal,    // a decimal comma, possibly with point grouping: "2,65", "1.234,5"
  CommaGrouped,    // whole number grouped by commas: "1,234,567"
  PointGrouped,    // whole number grouped by points: "1.234.567"
  AmbiguousComma,  // "2,650": grouping or a decimal comma
  AmbiguousPoint,  // "2.650": a decimal point or grouping
};

struct Reading {
  Shape shape = Shape::NotNumber;
  std::string sign, integer, fraction;  // digits without marks
  bool rewritten = false;  // a leading apostrophe or a blank grouping mark was taken away
  std::string plain(bool groupingReading) const {
    if (shape == Shape::AmbiguousComma || shape == Shape::AmbiguousPoint)
      return groupingReading ? sign + integer + fraction : sign + integer + "." + fraction;
    return sign + integer + (fraction.empty() ? "" : "." + fraction);
  }
};

// strtod, not stod: a number too large for a double gives infinity instead of an exception.
double toNumber(const std::string& plain) { return std::strtod(plain.c_str(), nullptr); }

bool isDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

// Groups after the first must have three digits, the first one to three.
bool validGroups(const std::vector<std::string>& groups) {
  if (groups.empty() || groups[0].empty() || groups[0].size() > 3) return false;
  for (std::size_t i = 0; i < groups.size(); ++i)
    if (!isDigits(groups[i]) || (i > 0 && groups[i].size() != 3)) return false;
  return true;
}

std::vector<std::string> split(const std::string& s, char mark) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = s.find(mark, start);
    parts.push_back(s.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return parts;
    start = at + 1;
  }
}

// Marks that only ever group digits: a blank, a no-break space, a narrow no-break space and an
// apostrophe (plain or typographic), as French, Swiss and ISO style write "35 548".
constexpr std::string_view BlankGroupMarks[] = {" ", "\xC2\xA0", "\xE2\x80\xAF", "'", "\xE2\x80\x99"};

// The cell without a spreadsheet's leading apostrophe ("'0123" keeps its digits as text) and
// without blank grouping marks between a digit and a group of exactly three digits.
std::string withoutBlankGrouping(const std::string& cell) {
  std::string text = cell;
  if (!text.empty() && text[0] == '\'') text.erase(0, 1);
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t markLength = 0;
    for (std::string_view mark : BlankGroupMarks)
      if (text.compare(i, mark.size(), mark) == 0) markLength = mark.size();
    const std::size_t next = i + markLength;
    const bool group = markLength > 0 && !out.empty() && std::isdigit(static_cast<unsigned char>(out.back())) &&
                       next + 3 <= text.size() &&
                       std::all_of(text.begin() + static_cast<std::ptrdiff_t>(next),
                                   text.begin() + static_cast<std::ptrdiff_t>(next + 3),
                                   [](unsigned char c) { return std::isdigit(c); }) &&
                       (next + 3 == text.size() || !std::isdigit(static_cast<unsigned char>(text[next + 3])));
    if (group) {
      i = next;
      continue;
    }
    out += text[i++];
  }
  return out;
}

Reading read(const std::string& cell) {
  Reading r;
  const std::string plainCell = withoutBlankGrouping(trimmed(cell));
  r.rewritten = plainCell != trimmed(cell);
  std::string body = plainCell;
  if (!body.empty() && (body[0] == '-' || body[0] == '+')) {
    if (body[0] == '-') r.sign = "-";
    body.erase(0, 1);
  }
  if (body.empty() || body.find_first_not_of("0123456789.,") != std::string::npos) return r;
  const std::size_t commas = static_cast<std::size_t>(std::count(body.begin(), body.end(), ','));
  const std::size_t points = static_cast<std::size_t>(std::count(body.begin(), body.end(), '.'));
  if (commas == 0 && points == 0) {
    r.shape = Shape::Whole;
    r.integer = body;
    return r;
  }
  if (commas > 0 && points > 0) {
    // The last mark is the decimal one; the other kind groups the digits before it.
    const char decimal = body[body.find_last_of(".,")];
    const char grouping = decimal == '.' ? ',' : '.';
    const std::size_t at = body.rfind(decimal);
    if (std::count(body.begin(), body.end(), decimal) != 1) return r;
    const std::vector<std::string> groups = split(body.substr(0, at), grouping);
    r.fraction = body.substr(at + 1);
    if (!validGroups(groups) || !isDigits(r.fraction)) return r;
    for (const std::string& g : groups) r.integer += g;
    r.shape = decimal == '.' ? Shape::PointDecimal : Shape::CommaDecimal;
    return r;
  }
  const char mark = commas > 0 ? ',' : '.';
  const std::vector<std::string> parts = split(body, mark);
  if (parts.size() > 2) {
    if (!validGroups(parts)) return r;
    for (const std::string& g : parts) r.integer += g;
    r.shape = mark == ',' ? Shape::CommaGrouped : Shape::PointGrouped;
    return r;
  }
  r.integer = parts[0].empty() ? "0" : parts[0];
  r.fraction = parts[1];
  if (!isDigits(r.integer) || !isDigits(r.fraction)) return r;
  const bool couldGroup = r.fraction.size() == 3 && !parts[0].empty() && parts[0].size() <= 3 &&
                          parts[0][0] != '0';
  if (couldGroup)
    r.shape = mark == ',' ? Shape::AmbiguousComma : Shape::AmbiguousPoint;
  else
    r.shape = mark == ',' ? Shape::CommaDecimal : Shape::PointDecimal;
  return r;
}

// What a column's unambiguous cells say about its marks and the size of its numbers.
struct Evidence {
  bool commaDecimal = false;  // "2,65" or "1.234,5" or "1.234.567"
  bool pointDecimal = false;  // "2.65" or "1,234.5" or "1,234,567"
  std::vector<double> sizes;  // magnitudes of the unambiguous numbers
  double median = 0;          // of `sizes`, once they are all in; 0 when there are none
};

// Once per column, so settling its ambiguous cells takes linear time.
double medianOf(std::vector<double> sizes) {
  if (sizes.empty()) return 0;
  const auto middle = sizes.begin() + static_cast<std::ptrdiff_t>(sizes.size() / 2);
  std::nth_element(sizes.begin(), middle, sizes.end());
  return *middle;
}

constexpr double PlausibleFactor = 30;  // the two readings of "2,650" lie 1000 apart

// The reading that fits the size of the column's other numbers, when exactly one does.
std::optional<bool> bySize(const Reading& r, double median) {
  if (median <= 0) return std::nullopt;
  const auto fits = [&](bool grouping) {
    const double v = std::fabs(toNumber(r.plain(grouping)));
    return v >= median / PlausibleFactor && v <= median * PlausibleFactor;
  };
  const bool grouping = fits(true), decimal = fits(false);
  if (grouping == decimal) return std::nullopt;
  return grouping;
}

// Whether a lone comma groups digits (true) or is a decimal comma (false); std::nullopt when
// neither the column nor the file settles it. A comma-separated file comes from a spreadsheet
// whose decimal mark is the point, a semicolon-separated one from one whose mark is the comma.
std::optional<bool> commaIsGrouping(const Reading& r, const Evidence& e, char separator) {
  if (auto fit = bySize(r, e.median)) return fit;
  if (e.commaDecimal != e.pointDecimal) return e.pointDecimal;
  if (e.commaDecimal) return std::nullopt;  // the column writes both marks
  if (separator == ',') return true;
  if (separator == ';') return false;
  return std::nullopt;
}

// A lone point is a decimal point unless the size or the column's decimal commas say otherwise.
bool pointIsGrouping(const Reading& r, const Evidence& e) {
  if (auto fit = bySize(r, e.median)) return *fit;
  return e.commaDecimal && !e.pointDecimal;
}

}  // namespace

void normaliseNumbers(std::vector<std::vector<std::string>>& rows, char separator,
                      std::vector<UnclearNumber>& unclear) {
  std::size_t cols = 0;
  for (const auto& row : rows) cols = std::max(cols, row.size());
  for (std::size_t c = 0; c < cols; ++c) {
    std::vector<Reading> readings(rows.size());
    Evidence evidence;
    for (std::size_t r = 1; r < rows.size(); ++r) {
      if (c >= rows[r].size()) continue;
      readings[r] = read(rows[r][c]);
      const Shape shape = readings[r].shape;
      if (shape == Shape::CommaDecimal || shape == Shape::PointGrouped) evidence.commaDecimal = true;
      if (shape == Shape::PointDecimal || shape == Shape::CommaGrouped) evidence.pointDecimal = true;
      const bool settled = shape != Shape::NotNumber && shape != Shape::AmbiguousComma && shape != Shape::AmbiguousPoint;
      if (const double size = settled ? std::fabs(toNumber(readings[r].plain(false))) : 0.0; size > 0)
        evidence.sizes.push_back(size);
    }
    evidence.median = medianOf(std::move(evidence.sizes));
    for (std::size_t r = 1; r < rows.size(); ++r) {
      const Reading& reading = readings[r];
      switch (reading.shape) {
        case Shape::NotNumber:
          break;
        case Shape::Whole:
          if (reading.rewritten) rows[r][c] = reading.plain(false);
          break;
        case Shape::AmbiguousComma:
          if (const auto grouping = commaIsGrouping(reading, evidence, separator))
            rows[r][c] = reading.plain(*grouping);
          else
            unclear.push_back({static_cast<int>(r), static_cast<int>(c), rows[r][c]});
          break;
        case Shape::AmbiguousPoint:
          rows[r][c] = reading.plain(pointIsGrouping(reading, evidence));
          break;
        default:
          rows[r][c] = reading.plain(false);
          break;
      }
    }
  }
}

}  // namespace plumetra
