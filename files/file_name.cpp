#include "files/file_name.h"

namespace plumetra {

namespace {

// The character starting at name[at] and its length in bytes; length 0 for bytes that are not
// a UTF-8 character the rule can take (anything but ASCII or a two-byte sequence).
struct Character {
  char32_t code = 0;
  std::size_t length = 0;
};

Character characterAt(std::string_view name, std::size_t at) {
  const auto lead = static_cast<unsigned char>(name[at]);
  if (lead < 0x80) return {lead, 1};
  if ((lead & 0xE0) == 0xC0 && at + 1 < name.size()) {
    const auto next = static_cast<unsigned char>(name[at + 1]);
    if ((next & 0xC0) == 0x80) return {static_cast<char32_t>(((lead & 0x1F) << 6) | (next & 0x3F)), 2};
  }
  return {};
}

bool isLetterOrDigit(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  return c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7;
}

bool allowed(char32_t c, bool first) {
  if (isLetterOrDigit(c) || c == '_') return true;
  if (c == ' ') return true;
  return !first && (c == '-' || c == '.');
}

// The length in bytes of the next character (at least 1, so a scan always moves on).
std::size_t stepAt(std::string_view name, std::size_t at) {
  const auto lead = static_cast<unsigned char>(name[at]);
  std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  for (std::size_t k = 1; k < length; ++k)
    if (at + k >= name.size() || (static_cast<unsigned char>(name[at + k]) & 0xC0) != 0x80) return k;
  return length;
}

}  // namespace

bool isPlainFileName(std::string_view name) {
  if (name.empty()) return false;
  std::size_t characters = 0;
  for (std::size_t at = 0; at < name.size(); ++characters) {
    const Character c = characterAt(name, at);
    if (c.length == 0 || !allowed(c.code, at == 0)) return false;
    at += c.length;
  }
  return characters <= MaxPlainNameCharacters;
}

std::string plainFileName(std::string_view name, std::string_view fallback) {
  std::string plain;
  std::size_t characters = 0;
  for (std::size_t at = 0; at < name.size() && characters < MaxPlainNameCharacters; ++characters) {
    const Character c = characterAt(name, at);
    if (c.length > 0 && allowed(c.code, at == 0)) {
      plain += name.substr(at, c.length);
      at += c.length;
    } else {
      plain += '_';
      at += stepAt(name, at);
    }
  }
  if (plain.find_first_not_of(" _") == std::string::npos) return std::string(fallback);
  return plain;
}

}  // namespace plumetra
