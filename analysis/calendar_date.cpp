#include "analysis/calendar_date.h"

#include <charconv>
#include <chrono>

namespace plumetra {

namespace {

// Day numbers a spreadsheet gives dates from 1954 to 2119.
constexpr int FirstSerialDay = 20000, LastSerialDay = 80000;

std::optional<int> numberAt(std::string_view& text, int maxDigits) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  const auto digits = end - text.data();
  if (error != std::errc() || digits == 0 || digits > maxDigits) return std::nullopt;
  text.remove_prefix(static_cast<std::size_t>(digits));
  return value;
}

std::optional<CalendarDate> validated(int year, int month, int day) {
  const std::chrono::year_month_day ymd{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                                        std::chrono::day(static_cast<unsigned>(day))};
  if (year < 1900 || !ymd.ok()) return std::nullopt;
  return CalendarDate{year, month, day};
}

}  // namespace

std::optional<CalendarDate> calendarDateOf(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::string_view rest = text;
  const auto year = numberAt(rest, 5);
  if (!year) return std::nullopt;
  if (rest.empty()) {  // a spreadsheet's day number
    if (*year < FirstSerialDay || *year > LastSerialDay) return std::nullopt;
    const std::chrono::year_month_day ymd{std::chrono::sys_days{std::chrono::year(1899) / 12 / 30} +
                                          std::chrono::days(*year)};
    return CalendarDate{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                        static_cast<int>(static_cast<unsigned>(ymd.day()))};
  }
  const char separator = rest.front();
  if ((separator != '-' && separator != '/') || text.size() - rest.size() != 4) return std::nullopt;
  rest.remove_prefix(1);
  const auto month = numberAt(rest, 2);
  if (!month || rest.empty() || rest.front() != separator) return std::nullopt;
  rest.remove_prefix(1);
  const auto day = numberAt(rest, 2);
  // A time of day may follow the date ("2024-03-07 00:00:00", "2024-03-07T06:00").
  if (!day || (!rest.empty() && rest.front() != ' ' && rest.front() != 'T')) return std::nullopt;
  return validated(*year, *month, *day);
}

}  // namespace plumetra
