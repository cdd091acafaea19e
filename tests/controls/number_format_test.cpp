#include "controls/number_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plumetra {
namespace {

// Expected texts worked by hand; the binary values of the halves were checked with Python's
// decimal.Decimal (0.0635 is 0.063500000000000000888..., 123.45 is 123.450000000000002842...).
TEST(FormatPattern, DigitPlaceholders) {
  struct PatternCase { const char* pattern; double value; const char* expected; };
  const std::vector<PatternCase> cases = {
      {"##.##0", 0.5, ".500"},  // no '0' before the point: no leading zero
      {"#0.##0", 0.5, "0.500"},       {"0.##", 5.25, "5.25"},
      {"0.##", 5, "5."},              // the point stays without decimals
      {"0.##0", 0.0625, "0.062"},     // exact half, to even
      {"0.##0", 0.1875, "0.188"},     // exact half, to even (up)
      {"0.##0", 0.0635, "0.064"},     // just above the half in binary
      {"0.##", 5.125, "5.12"},        {"###.0", 123.45, "123.5"},
      {"####", 1234.5, "1234"},       {"####", 1235.5, "1236"},  // half to even, both ways
      {" ###.##0", 12.5, " 12.500"},  // literal blank kept
      {" ###.##0", -1.25, " -1.250"}, // minus after the literal blank
      {"0.######", 0.000001, "0.000001"}, {"0.######", 1e-9, "0."},  {"0.###0", 1.5, "1.5000"},
      {"##.0##", 3, "3.0"},           {"0.##0", 1234567.0, "1234567.000"},
      {"###", 0.4, ""},               // nothing significant and no '0' to show
      {"0.##0", -0.0004, "0.000"},    // a negative that rounds to zero has no minus
      {"##.#0", -0.004, ".00"},       {"0.##0", -0.0005001, "-0.001"},
  };
  for (const PatternCase& c : cases)
    EXPECT_EQ(formatPattern(c.value, c.pattern), c.expected)
        << "pattern \"" << c.pattern << "\" value " << c.value;
}

struct RuleCase { double value; const char* expected; };

void expectRule(std::string (*rule)(double), const std::vector<RuleCase>& cases, const char* name) {
  for (const RuleCase& c : cases) EXPECT_EQ(rule(c.value), c.expected) << name << "(" << c.value << ")";
}

TEST(MagnitudeRules, FormatNumDietAndShortBoundaries) {
  expectRule(formatNum,
             {{0, "0"},          {0.5, "0.500"},     {9.999, "9.999"},    {9.9991, "10.00"},
              {10.0, "10.00"},   {12.345, "12.35"},  {99.99, "99.99"},    {100, "100.0"},
              {999.9, "999.9"},  {1000, "1000"},     {123456.5, "123456"}, {-9.999, "-9.999"},
              {-10, "-10.00"},   {-999.9, "-999.9"}, {-1000, "-1000"},    {0.00001, "0.000"},
              {-0.00001, "0.000"}},
             "FormatNum");
  expectRule(formatDiet,
             {{0, "0"},           {0.05, "0.05"},      {0.099, "0.099"},      {-0.05, "-0.05"},
              {0.1, "0.1000"},    {1.23456, "1.2346"}, {9.999, "9.9990"},     {10, "10.000"},
              {99.99, "99.990"},  {100, "100.00"},     {999.9, "999.90"},     {1000, "1000.0"},
              {9999, "9999.0"},   {10000, "10000.0"},  {-10000, "-10000.0"}, {-0.5, "-0.5000"}},
             "FormatDiet");
  expectRule(formatShort,
             {{0, "0"},         {2.5, "2.500"}, {9.999, "9.999"}, {10, "10.0"},    {99.99, "100.0"}, {100, "100"},
              {999.9, "1000"}, {1000, "1000"}, {-10, "-10.0"},    {-2.5, "-2.500"}, {12345, "12345"}},
             "FormatShort");
}

TEST(GeneralNumber, FifteenDigitsAndExponentOutsideTheFixedRange) {
  expectRule(generalNumber,
             {{0, "0"},           {-0.0, "0"},         {-0.5, "-0.5"},       {123.456, "123.456"},
              {0.1 + 0.2, "0.3"}, {1.0 / 3, "0.333333333333333"},          {2.0 / 3, "0.666666666666667"},
              {1234567.125, "1234567.125"},             {0.0001, "0.0001"},   {0.00012, "0.00012"},
              {0.00001, "1E-05"}, {-0.00001, "-1E-05"}, {1.5e-7, "1.5E-07"},
              {999999999999999, "999999999999999"},     {1e15, "1E+15"},      {1.5e16, "1.5E+16"},
              {1e100, "1E+100"},  {123456789012345678.0, "1.23456789012346E+17"}},
             "generalNumber");
  // numberText: a blank where the minus would be.
  expectRule(numberText, {{5, " 5"}, {0, " 0"}, {-5, "-5"}, {0.25, " 0.25"}}, "numberText");
}

TEST(ReadNumber, LeadingNumericPartAndWholeTextNumbers) {
  const std::vector<std::pair<const char*, double>> cases = {
      {"1,5", 1.5},  {"1,5.3", 1.5},  {" 12abc", 12}, {"abc", 0}, {"", 0},        {"-3.25", -3.25}, {"+2", 2},
      {"\t 7", 7},   {"1e3", 1000},   {"1e+", 1},     {"2E-2x", 0.02}, {".5", 0.5}, {"5.", 5},       {"-", 0},
      {"1 000", 1},  {"12,5,7", 12.5}, {" -0,25 ", -0.25}, {"1e999", 0}};
  for (const auto& [text, expected] : cases) EXPECT_DOUBLE_EQ(readNumber(text), expected) << "\"" << text << "\"";
  // A text reads as a number only when the whole text is one.
  for (const char* text : {"12", " 12 ", "-1,5", "+.5", "1E-05", "\t3\t", "5."})
    EXPECT_TRUE(readsAsNumber(text)) << "\"" << text << "\"";
  for (const char* text : {"", "  ", "1e", "1,5.3", "12abc", "1.2.3", "-", "1 2", "1,000,000", "$5", "0x10"})
    EXPECT_FALSE(readsAsNumber(text)) << "\"" << text << "\"";
}

TEST(RoundHalfEven, HalvesGoToEven) {
  const std::vector<std::pair<double, double>> cases = {
      {0.5, 0},       {1.5, 2},   {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.4999, 2},
      {2.5000001, 3}, {-2.6, -3}, {4503599627370497.0, 4503599627370497.0}};
  for (const auto& [value, expected] : cases) EXPECT_EQ(roundHalfEven(value), expected) << value;
}

}  // namespace
}  // namespace plumetra
