#pragma once
// The program's number-to-text and text-to-number rules, in one place.

#include <string>
#include <string_view>

namespace plumetra {

// Spreadsheet-style digit pattern ("##.##0", "0.##", " ###.##0", "####"): "0" is a digit
// always shown, "#" a digit shown when significant; digits after the point up to the last
// "0" are always shown, later "#" digits only when not zero; other characters (a leading
// blank) are copied. Rounds half to even on the exact binary value. The point stays even
// when no decimals follow ("0.##" of 5 is "5."); with no '0' before the point there is no
// leading zero ("##.##0" of 0.5 is ".500"). A minus goes after the leading literal text,
// and a value that rounds to all zeros shows none. Literal text may stand only before and
// after the placeholders. Infinity and NaN print as "inf", "-inf", "nan".
std::string formatPattern(double value, std::string_view pattern);

// formatPattern for cells that must read as plain numbers: a point with no digit after it
// is dropped ("4." is "4"), one with no digit before it gets a zero (".5" is "0.5", "-.5"
// is "-0.5"), and a bare point is "0".
std::string formatPlain(double value, std::string_view pattern);

// A number read from a workbook cell: a whole number as it is ("3", "36"), others by formatNum.
std::string formatSheetNumber(double value);

// Numeric cells read from a workbook: "0.##0" up to 9.999, "##.#0" above, "###.0" above
// 99.99, "####" above 999.9 (by magnitude), "0" for exactly 0.
std::string formatNum(double value);
// Diet values: "0.###0" by default, "0.######" below 0.1, "##.##0" above 9.999,
// "###.#0" above 99.99, "####.0" above 999.9, "#####.0" above 9999, "0" for exactly 0.
std::string formatDiet(double value);
// t statistics: "0.##0" up to 9.999, "##.0" up to 99.99, "###" up to 999.9, "####" above, "0" for 0.
std::string formatShort(double value);
// The chart's numbers: "0.##0", "##.0" above 9.999, "###" above 99.99, "####" above 999.9, "0" for 0.
std::string formatChart(double value);

// General number form: up to 15 significant digits, no trailing zeros, "." as the point,
// "0" before the point of a fraction ("0.5"). Magnitudes below 1E-04 or from 1E+15 on
// (after rounding to 15 digits) take exponent form: "1E-05", "1.5E+16".
std::string generalNumber(double value);
// A number put into a text: general number form with one leading blank when not negative.
std::string numberText(double value);

// Text to number: the first comma becomes the decimal point, leading blanks are skipped,
// then the leading numeric part is read (sign, digits, one point, an exponent only when
// digits follow it); 0 when there is none, and 0 for a number beyond the double range.
double readNumber(std::string_view text);
// Whether the whole text reads as a number: optional surrounding blanks, an optional sign,
// digits with at most one decimal point or comma, an optional exponent (E or e, optional
// sign, digits). An empty or blank text is not a number.
bool readsAsNumber(std::string_view text);

// Round half to even, to a whole number.
double roundHalfEven(double value);

}  // namespace plumetra
