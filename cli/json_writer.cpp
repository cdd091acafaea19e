#include "cli/json_writer.h"

#include <array>
#include <charconv>
#include <cmath>

namespace plumetra::cli {

namespace {

// The length of the valid UTF-8 sequence at the start of text, 0 when there is none
// (a stray continuation byte, a truncated, overlong or surrogate sequence).
std::size_t utf8Length(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  return length;
}

}  // namespace

void JsonWriter::beforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!hasItems_.empty()) {
    if (hasItems_.back()) out_ << ',';
    hasItems_.back() = true;
  }
}

JsonWriter& JsonWriter::open(char bracket) {
  beforeValue();
  out_ << bracket;
  hasItems_.push_back(false);
  return *this;
}

// The document ends with a line break after its outermost bracket.
JsonWriter& JsonWriter::close(char bracket) {
  hasItems_.pop_back();
  out_ << bracket;
  if (hasItems_.empty()) out_ << '\n';
  return *this;
}

JsonWriter& JsonWriter::beginObject() { return open('{'); }
JsonWriter& JsonWriter::endObject() { return close('}'); }
JsonWriter& JsonWriter::beginArray() { return open('['); }
JsonWriter& JsonWriter::endArray() { return close(']'); }

JsonWriter& JsonWriter::key(std::string_view name) {
  beforeValue();
  writeString(name);
  out_ << ':';
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
  beforeValue();
  writeString(text);
  return *this;
}

JsonWriter& JsonWriter::value(double number) {
  if (!std::isfinite(number)) return null();
  beforeValue();
  std::array<char, 32> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
  out_ << std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data()));
  return *this;
}

JsonWriter& JsonWriter::value(int number) {
  beforeValue();
  out_ << number;
  return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
  beforeValue();
  out_ << (flag ? "true" : "false");
  return *this;
}

JsonWriter& JsonWriter::null() {
  beforeValue();
  out_ << "null";
  return *this;
}

void JsonWriter::writeString(std::string_view text) {
  static constexpr char hex[] = "0123456789abcdef";
  out_ << '"';
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out_ << '\\' << static_cast<char>(c);
    } else if (c == '\n') {
      out_ << "\\n";
    } else if (c == '\r') {
      out_ << "\\r";
    } else if (c == '\t') {
      out_ << "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      out_ << "\\u00" << hex[c >> 4] << hex[c & 0xF];
    } else if (const std::size_t length = utf8Length(text.substr(i)); length == 0) {
      out_ << "\\ufffd";
    } else {
      out_ << text.substr(i, length);
      i += length;
      continue;
    }
    ++i;
  }
  out_ << '"';
}

}  // namespace plumetra::cli
