#include "files/csv_numbers.h"

#include <algorithm>
#include <cctype>
#include <optional>

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
  std::string plain(bool groupingReading) const {
    if (shape == Shape::AmbiguousComma || shape == Shape::AmbiguousPoint)
      return groupingReading ? sign + integer + fraction : sign + integer + "." + fraction;
    return sign + integer + (fraction.empty() ? "" : "." + fraction);
  }
};

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

std::string trimmed(const std::string& s) {
  const std::size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

Reading read(const std::string& cell) {
  Reading r;
  std::string body = trimmed(cell);
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

// What a column's unambiguous cells say about its marks.
struct Evidence {
  bool commaDecimal = false;  // "2,65" or "1.234,5" or "1.234.567"
  bool pointDecimal = false;  // "2.65" or "1,234.5" or "1,234,567"
  bool whole = false;         // plain whole numbers
};

// Whether a lone-comma cell of the column is grouping (true), a decimal comma (false), or
// unclear (std::nullopt).
std::optional<bool> commaIsGrouping(const Evidence& e, char separator) {
  if (e.commaDecimal && !e.pointDecimal) return false;
  if (e.pointDecimal && !e.commaDecimal) return true;
  if (e.commaDecimal && e.pointDecimal) return std::nullopt;
  if (separator == ';') return false;  // a semicolon file uses the comma as its decimal mark
  if (e.whole) return true;
  return std::nullopt;
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
      switch (readings[r].shape) {
        case Shape::CommaDecimal:
        case Shape::PointGrouped:
          evidence.commaDecimal = true;
          break;
        case Shape::PointDecimal:
        case Shape::CommaGrouped:
          evidence.pointDecimal = true;
          break;
        case Shape::Whole:
          evidence.whole = true;
          break;
        default:
          break;
      }
    }
    const std::optional<bool> commaGroups = commaIsGrouping(evidence, separator);
    // A lone point is a decimal point unless the column writes decimal commas.
    const bool pointGroups = evidence.commaDecimal && !evidence.pointDecimal;
    for (std::size_t r = 1; r < rows.size(); ++r) {
      const Reading& reading = readings[r];
      switch (reading.shape) {
        case Shape::NotNumber:
        case Shape::Whole:
          break;
        case Shape::AmbiguousComma:
          if (commaGroups)
            rows[r][c] = reading.plain(*commaGroups);
          else
            unclear.push_back({static_cast<int>(r), static_cast<int>(c), rows[r][c]});
          break;
        case Shape::AmbiguousPoint:
          rows[r][c] = reading.plain(pointGroups);
          break;
        default:
          rows[r][c] = reading.plain(false);
          break;
      }
    }
  }
}

}  // namespace plumetra
