#include "files/date_text.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace plumetra {
namespace {

constexpr long DaysFrom1970To1899Dec30 = -25569;
constexpr long DaysFrom1970To1904Jan1 = -24107;
constexpr double LastSerial1900 = 2958466.0;  // 10000-01-01
constexpr long SecondsPerDay = 86400;

struct CivilDate {
  long year;
  int month, day;
};

// Days since 1970-01-01 to a proleptic Gregorian date (H. Hinnant's days_from_civil inverse).
CivilDate civilFromDays(long days) {
  days += 719468;
  const long era = (days >= 0 ? days : days - 146096) / 146097;
  const long dayOfEra = days - era * 146097;
  const long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long monthIndex = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

std::string timeText(long seconds) {
  char buffer[48];
  const long h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
  if (s == 0)
    std::snprintf(buffer, sizeof buffer, "%02ld:%02ld", h, m);
  else
    std::snprintf(buffer, sizeof buffer, "%02ld:%02ld:%02ld", h, m, s);
  return buffer;
}

std::string dateText(const CivilDate& date) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%04ld-%02d-%02d", date.year, date.month, date.day);
  return buffer;
}

}  // namespace

bool isBuiltInDateFormat(int numFmtId) {
  return (numFmtId >= 14 && numFmtId <= 22) || (numFmtId >= 45 && numFmtId <= 47);
}

bool isDateFormatCode(std::string_view code) {
  for (std::size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    if (c == '"') {
      const std::size_t close = code.find('"', i + 1);
      if (close == std::string_view::npos) return false;
      i = close;
    } else if (c == '[') {
      const std::size_t close = code.find(']', i + 1);
      if (close == std::string_view::npos) return false;
      i = close;
    } else if (c == '\\' || c == '_' || c == '*') {
      ++i;  // the next character is literal text, padding or fill
    } else {
      switch (std::tolower(static_cast<unsigned char>(c))) {
        case 'd': case 'm': case 'y': case 'h': case 's': return true;
        default: break;
      }
    }
  }
  return false;
}

std::optional<std::string> serialDateText(double serial, bool date1904) {
  if (!std::isfinite(serial) || serial < 0 || serial >= LastSerial1900) return std::nullopt;
  long days = static_cast<long>(std::floor(serial));
  long seconds = std::lround((serial - static_cast<double>(days)) * SecondsPerDay);
  if (seconds >= SecondsPerDay) {
    ++days;
    seconds -= SecondsPerDay;
  }
  std::string text;
  if (date1904) {
    text = dateText(civilFromDays(DaysFrom1970To1904Jan1 + days));
  } else if (days == 0) {
    return timeText(seconds);
  } else if (days == 60) {
    text = "1900-02-29";  // the day Excel keeps for Lotus 1-2-3, which never was
  } else {
    // Serials before day 60 run one day ahead of the calendar, for the same reason.
    text = dateText(civilFromDays(DaysFrom1970To1899Dec30 + days - (days < 60 ? -1 : 0)));
  }
  if (seconds != 0) text += " " + timeText(seconds);
  return text;
}

}  // namespace plumetra

