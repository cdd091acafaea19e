#include "cli/json_writer.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

namespace plumetra::cli {
namespace {

std::string written(void (*write)(JsonWriter&)) {
  std::ostringstream out;
  JsonWriter json(out);
  write(json);
  return out.str();
}

TEST(JsonWriter, PlacesCommasInNestedObjectsAndArrays) {
  EXPECT_EQ(written([](JsonWriter& j) {
              j.beginObject().member("n", 3).member("ok", true).key("list").beginArray();
              j.value(1.5).null().beginObject().endObject().beginArray().endArray().endArray();
              j.member("name", "Low").endObject();
            }),
            "{\"n\":3,\"ok\":true,\"list\":[1.5,null,{},[]],\"name\":\"Low\"}\n");
}

TEST(JsonWriter, NumbersRoundTripAndNonFiniteOnesAreNull) {
  EXPECT_EQ(written([](JsonWriter& j) {
              j.beginArray().value(0.1).value(-2.5e-48).value(1e21).value(std::numeric_limits<double>::quiet_NaN());
              j.value(std::numeric_limits<double>::infinity()).value(-0.0).endArray();
            }),
            "[0.1,-2.5e-48,1e+21,null,null,-0]\n");
}

TEST(JsonWriter, EscapesQuotesBackslashesAndControlCharactersAndKeepsOnlyValidUtf8) {
  EXPECT_EQ(written([](JsonWriter& j) { j.beginArray().value("a\"b\\c\r\n\td\x01\x1f\x7f").endArray(); }),
            "[\"a\\\"b\\\\c\\r\\n\\td\\u0001\\u001f\\u007f\"]\n");

  // "Höhe" and a euro sign pass; a Latin-1 byte, a lone continuation byte, a truncated
  // sequence at the end, an overlong "/" and a surrogate each become U+FFFD.
  EXPECT_EQ(written([](JsonWriter& j) {
              j.beginArray().value("H\xC3\xB6he \xE2\x82\xAC").value("M\xFCller \x80").value("\xC0\xAF \xED\xA0\x80");
              j.value("end \xE2\x82").endArray();
            }),
            "[\"H\xC3\xB6he \xE2\x82\xAC\",\"M\\ufffdller \\ufffd\",\"\\ufffd\\ufffd \\ufffd\\ufffd\\ufffd\","
            "\"end \\ufffd\\ufffd\"]\n");
}

}  // namespace
}  // namespace plumetra::cli
