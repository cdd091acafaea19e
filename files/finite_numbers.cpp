#include "files/finite_numbers.h"

#include <algorithm>
#include <iterator>

namespace plumetra {

namespace {

bool endsWord(char c) {
  return std::string_view(" \t\r\n,;\"'()[]<>=:/|").find(c) != std::string_view::npos;
}

// As C, C++, Qt and JavaScript print them; not "Nan" or "Inf", which are names people write.
constexpr std::string_view NonFiniteWords[] = {"nan", "NaN", "NAN", "inf", "INF", "infinity", "Infinity", "INFINITY"};

bool isNonFiniteWord(std::string_view word) {
  if (!word.empty() && (word.front() == '-' || word.front() == '+')) word.remove_prefix(1);
  return std::find(std::begin(NonFiniteWords), std::end(NonFiniteWords), word) != std::end(NonFiniteWords);
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

bool isNonFiniteNumberText(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  const std::string_view word = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  return nonFiniteNumberIn(word) == word;
}

std::string nonFiniteRefusal(std::string_view word) {
  return "it would hold \"" + std::string(word) +
         "\", a value that is not a finite number (a result the data could not give); nothing was written";
}

}  // namespace plumetra
