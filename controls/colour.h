#pragma once
// Colours as RGB, with the program's named colours kept in one place.

#include <cstdint>

namespace plumetra {

struct Rgb {
  std::uint8_t red = 255;
  std::uint8_t green = 255;
  std::uint8_t blue = 255;
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

namespace colours {
// The system colours the program names.
inline constexpr Rgb Window{255, 255, 255};
inline constexpr Rgb ButtonFace{240, 240, 240};
// Heading of a column matched to a Data ID: colour number 31999.
inline constexpr Rgb Matched{255, 124, 0};
}  // namespace colours

}  // namespace plumetra
