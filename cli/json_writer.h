#pragma once
// A small writer of one JSON document: objects, arrays, strings, numbers, booleans and null,
// with the commas placed for the caller. Strings are escaped and made valid UTF-8 (a byte that
// starts no valid sequence becomes U+FFFD); a number that is not finite is written as null,
// as JSON has no NaN or infinity.

#include <ostream>
#include <string_view>
#include <vector>

namespace plumetra::cli {

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  JsonWriter& beginObject();
  JsonWriter& endObject();
  JsonWriter& beginArray();
  JsonWriter& endArray();
  // The name of the next member of the open object.
  JsonWriter& key(std::string_view name);

  JsonWriter& value(std::string_view text);
  JsonWriter& value(const char* text) { return value(std::string_view(text)); }
  JsonWriter& value(double number);
  JsonWriter& value(int number);
  JsonWriter& value(bool flag);
  JsonWriter& null();

  // key(name).value(v) in one call.
  template <typename Value>
  JsonWriter& member(std::string_view name, const Value& v) {
    return key(name).value(v);
  }

 private:
  void beforeValue();
  JsonWriter& open(char bracket);
  JsonWriter& close(char bracket);
  void writeString(std::string_view text);
  std::ostream& out_;
  std::vector<bool> hasItems_;  // one entry per open object or array
  bool afterKey_ = false;
};

}  // namespace plumetra::cli
