#pragma once
// The dates of the flock table's date column as calendar days, for date ranges and monthly or
// quarterly trends. Only unambiguous forms are read: year-month-day ("2024-03-07",
// "2024/3/7") and a spreadsheet's day number (days since 1899-12-30); "07/03/2024" could be
// March or July and is not guessed.

#include <optional>
#include <string_view>

namespace plumetra {

struct CalendarDate {
  int year = 0, month = 0, day = 0;
  auto operator<=>(const CalendarDate&) const = default;
};

std::optional<CalendarDate> calendarDateOf(std::string_view text);

}  // namespace plumetra
