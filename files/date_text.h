#pragma once
// Spreadsheet dates: which number formats show a number as a date or time, and the text of a
// date serial number ("2024-03-15", "2024-03-15 13:45", "13:45:30").

#include <optional>
#include <string>
#include <string_view>

namespace plumetra {

// Built-in number formats 14-22 and 45-47 are dates or times.
bool isBuiltInDateFormat(int numFmtId);
// A format code shows a date or time when it holds a d, m, y, h or s token outside quoted
// text, brackets ("[Red]", "[$-409]"), escaped characters and fill/padding pairs.
bool isDateFormatCode(std::string_view formatCode);

// The text of a serial date: whole days count from 1899-12-31 (day 60 being Excel's
// 1900-02-29) or, in the 1904 date system, from 1904-01-01; the fraction is the time of day,
// rounded to the second and shown as HH:MM, or HH:MM:SS when the seconds are not zero.
// A serial below 1 in the 1900 system is a time alone. Negative serials and serials past
// 9999-12-31 have no date text.
std::optional<std::string> serialDateText(double serial, bool date1904);

}  // namespace plumetra
