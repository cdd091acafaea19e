#include "files/text_encoding.h"

#include <array>
#include <cstdint>

namespace plumetra {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// Windows-1252 bytes 0x80-0x9F; the five bytes it leaves undefined keep their Latin-1 value.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// UTF-16 after its byte-order mark, as Excel's "Unicode Text" saves; a lone surrogate becomes
// U+FFFD.
void appendUtf16(std::string& out, std::string_view bytes, bool littleEndian) {
  const auto unit = [&](std::size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return littleEndian ? static_cast<char32_t>(a | (b << 8)) : static_cast<char32_t>((a << 8) | b);
  };
  constexpr char32_t replacement = 0xFFFD;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const char32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF) {
      appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 2) - 0xDC00));
      i += 2;
    } else {
      appendUtf8(out, u >= 0xD800 && u <= 0xDFFF ? replacement : u);
    }
  }
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    int follow = 0;
    char32_t c = 0;
    if (b < 0x80) {
      ++i;
      continue;
    } else if ((b & 0xE0) == 0xC0) {
      follow = 1, c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      follow = 2, c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      follow = 3, c = b & 0x07;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(follow) >= bytes.size()) return false;
    for (int k = 1; k <= follow; ++k) {
      const auto n = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
      if ((n & 0xC0) != 0x80) return false;
      c = (c << 6) | (n & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    if (c < smallest[follow] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return false;
    i += static_cast<std::size_t>(follow) + 1;
  }
  return true;
}

bool hasUtf16Mark(std::string_view bytes) {
  return bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF";
}

std::string_view decodedView(std::string_view bytes, std::string& converted, bool* fromWindows1252) {
  if (fromWindows1252) *fromWindows1252 = false;
  if (hasUtf16Mark(bytes)) {
    converted.clear();
    converted.reserve(bytes.size());
    appendUtf16(converted, bytes, bytes[0] == '\xFF');
    return converted;
  }
  if (bytes.substr(0, Utf8Bom.size()) == Utf8Bom) bytes.remove_prefix(Utf8Bom.size());
  if (isValidUtf8(bytes)) return bytes;
  if (fromWindows1252) *fromWindows1252 = true;
  converted.clear();
  converted.reserve(bytes.size() + bytes.size() / 8);
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b >= 0x80 && b < 0xA0)
      appendUtf8(converted, Windows1252High[b - 0x80]);
    else
      appendUtf8(converted, b);
  }
  return converted;
}

}  // namespace plumetra
