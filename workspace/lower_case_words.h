#pragma once
// A heading or cell as its words: runs of letters and digits, lower-cased ("Mort. %" gives
// "mort"), as the import's word tests compare them.

#include <cctype>
#include <string>
#include <string_view>
#include <vector>

namespace plumetra {

inline std::vector<std::string> lowerCaseWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (std::isalnum(c)) {
      word += static_cast<char>(std::tolower(c));
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

}  // namespace plumetra
