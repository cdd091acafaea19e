// Sheet names a spreadsheet accepts.

#include "files/workbook.h"

#include <algorithm>
#include <cctype>

namespace plumetra {
namespace {

constexpr std::size_t MaxSheetNameChars = 31;
constexpr std::string_view ForbiddenInSheetName = "[]:*?/\\";
constexpr std::string_view DefaultSheetName = "Sheet";

bool startsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

// The first n characters (not bytes) of a UTF-8 text.
std::string firstCharacters(const std::string& text, std::size_t n) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (startsCharacter(text[i]) && count++ == n) return text.substr(0, i);
  return text;
}

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool isTaken(const std::string& name, const std::vector<std::string>& taken) {
  const std::string key = lower(name);
  return std::any_of(taken.begin(), taken.end(), [&](const std::string& used) { return lower(used) == key; });
}

}  // namespace

std::string validSheetName(std::string_view wanted, const std::vector<std::string>& taken) {
  std::string name;
  for (char c : wanted) name += ForbiddenInSheetName.find(c) == std::string_view::npos ? c : '_';
  // Apostrophes may not open or close a name.
  if (!name.empty() && name.front() == '\'') name.front() = '_';
  if (!name.empty() && name.back() == '\'') name.back() = '_';
  if (name.find_first_not_of(' ') == std::string::npos) name = DefaultSheetName;
  name = firstCharacters(name, MaxSheetNameChars);
  if (!isTaken(name, taken)) return name;
  for (int number = 2;; ++number) {
    const std::string suffix = " (" + std::to_string(number) + ")";
    const std::string candidate = firstCharacters(name, MaxSheetNameChars - suffix.size()) + suffix;
    if (!isTaken(candidate, taken)) return candidate;
  }
}

}  // namespace plumetra
