#pragma once
// A cell or field without the blanks and tabs around it, as every reader of typed and pasted
// tables compares them.

#include <string>
#include <string_view>

namespace plumetra {

inline std::string_view trimmedView(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

inline std::string trimmed(std::string_view text) { return std::string(trimmedView(text)); }

}  // namespace plumetra
