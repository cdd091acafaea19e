#include "controls/message_kind.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace plumetra {

MessageKind messageKind(std::string_view text) {
  // The program words its failures with these phrases (compared in lower case).
  static constexpr std::array<std::string_view, 14> failureWords{
      "could not", "can not",  "cannot",      "can't",      "error",   "failed",    "not found",
      "no data here", "refused", "is none of these", "holds no", "missing", "invalid", "not a number"};
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const bool failure = std::any_of(failureWords.begin(), failureWords.end(),
                                   [&](std::string_view word) { return lower.find(word) != std::string::npos; });
  return failure ? MessageKind::Failure : MessageKind::Information;
}

}  // namespace plumetra
