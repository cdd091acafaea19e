#include "analysis/calendar_date.h"

#include <gtest/gtest.h>

namespace plumetra {
namespace {

TEST(CalendarDate, ReadsYearMonthDayAndSpreadsheetDayNumbers) {
  EXPECT_EQ(calendarDateOf("2024-03-07"), (CalendarDate{2024, 3, 7}));
  EXPECT_EQ(calendarDateOf(" 2024/3/7 "), (CalendarDate{2024, 3, 7}));
  EXPECT_EQ(calendarDateOf("2024-03-07 00:00:00"), (CalendarDate{2024, 3, 7}));
  // Day 45358 of a spreadsheet (day 1 = 1900-01-01 with its false 1900-02-29) is 2024-03-07.
  EXPECT_EQ(calendarDateOf("45358"), (CalendarDate{2024, 3, 7}));
  EXPECT_EQ(calendarDateOf("2024-02-29"), (CalendarDate{2024, 2, 29}));
}

TEST(CalendarDate, RefusesWhatItWouldHaveToGuess) {
  for (const char* text : {"07/03/2024", "2023-02-29", "2024-13-01", "2024-03", "24-03-07", "2024-03-07x", "", "X",
                           "1.5", "120"})
    EXPECT_FALSE(calendarDateOf(text)) << text;
}

}  // namespace
}  // namespace plumetra
