#include "files/xlsx_xml.h"


namespace plumetra::xlsx {
namespace {

constexpr int LastRow = 1048576;
constexpr int LastCol = 16384;

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The code unit of an escape "_xHHHH_" starting at text[at], or -1.
long escapeAt(std::string_view text, std::size_t at) {
  if (at + 7 > text.size() || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_') return -1;
  long unit = 0;
  for (std::size_t i = at + 2; i < at + 6; ++i) {
    const int digit = hexDigit(text[i]);
    if (digit < 0) return -1;
    unit = unit * 16 + digit;
  }
  return unit;
}

void appendUtf8(std::string& out, unsigned long code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::optional<int> parseDigits(std::string_view digits, int last) {
  if (digits.empty() || digits.size() > 7 || digits.front() == '0') return std::nullopt;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > last) return std::nullopt;
  return value - 1;
}

}  // namespace

std::string_view localName(const pugi::xml_node& node) {
  const std::string_view name = node.name();
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node child(const pugi::xml_node& node, std::string_view name) {
  for (pugi::xml_node item = node.first_child(); item; item = item.next_sibling())
    if (item.type() == pugi::node_element && localName(item) == name) return item;
  return {};
}

pugi::xml_attribute attribute(const pugi::xml_node& node, std::string_view name) {
  for (pugi::xml_attribute item = node.first_attribute(); item; item = item.next_attribute()) {
    std::string_view itemName = item.name();
    const std::size_t colon = itemName.find(':');
    if (colon != std::string_view::npos) itemName.remove_prefix(colon + 1);
    if (itemName == name) return item;
  }
  return {};
}

std::optional<CellReference> parseCellReference(std::string_view text) {
  std::size_t letters = 0;
  int col = 0;
  while (letters < text.size() && letters < 4) {
    const char c = text[letters];
    const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper < 'A' || upper > 'Z') break;
    col = col * 26 + (upper - 'A' + 1);
    ++letters;
  }
  if (letters == 0 || letters > 3 || col > LastCol) return std::nullopt;
  const std::optional<int> row = parseDigits(text.substr(letters), LastRow);
  if (!row) return std::nullopt;
  return CellReference{*row, col - 1};
}

std::optional<int> parseRowNumber(std::string_view text) { return parseDigits(text, LastRow); }

std::string decodeEscapes(std::string_view text) {
  if (text.find("_x") == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    long unit = escapeAt(text, i);
    if (unit < 0) {
      out += text[i++];
      continue;
    }
    i += 7;
    unsigned long code = static_cast<unsigned long>(unit);
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      const long low = escapeAt(text, i);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + ((static_cast<unsigned long>(unit) - 0xD800) << 10) +
               (static_cast<unsigned long>(low) - 0xDC00);
        i += 7;
      } else {
        code = 0xFFFD;
      }
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      code = 0xFFFD;
    }
    appendUtf8(out, code);
  }
  return out;
}

std::string runText(const pugi::xml_node& item) {
  std::string text;
  for (pugi::xml_node part = item.first_child(); part; part = part.next_sibling()) {
    const std::string_view name = localName(part);
    if (name == "t")
      text += part.child_value();
    else if (name == "r")
      text += child(part, "t").child_value();
  }
  return decodeEscapes(text);
}

}  // namespace plumetra::xlsx
