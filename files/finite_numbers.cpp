#include "files/finite_numbers.h"

#include <algorithm>
#include <cctype>

namespace plumetra {

namespace {

bool endsWord(char c) {
  return std::string_view(" \t\r\n,;\"'()[]<>=:/|").find(c) != std::string_view::npos;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool isNonFiniteWord(std::string_view word) {
  if (!word.empty() && (word.front() == '-' || word.front() == '+')) word.remove_prefix(1);
  return equalsIgnoringCase(word, "nan") || equalsIgnoringCase(word, "inf") ||
         equalsIgnoringCase(word, "infinity");
}

}  // namespace

std::optional<std::string> nonFiniteNumberIn(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    while (start < text.size() && endsWord(text[start])) ++start;
    std::size_t end = start;
    while (end < text.size() && !endsWord(text[end])) ++end;
    // "nan(0x1)" is how some C libraries print a NaN with a payload: its word ends at the bracket.
    if (end > start && isNonFiniteWord(text.substr(start, end - start)))
      return std::string(text.substr(start, end - start));
    start = end;
  }
  return std::nullopt;
}

std::string nonFiniteRefusal(std::string_view word) {
  return "it would hold \"" + std::string(word) +
         "\", a value that is not a finite number (a result the data could not give); nothing was written";
}

}  // namespace plumetra
