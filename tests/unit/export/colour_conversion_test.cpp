#include "export/reduction/colour_conversion.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace qarto::test {
namespace {

TEST(ConvertColour, FifteenBitsAfterTheShifts) {
  struct Case {
    std::uint8_t r, g, b;
    int saturation, luminance;
    std::uint16_t value;
  };
  const Case cases[] = {
      {255, 255, 255, 0, 0, 0x7fff},    // without shifts the three low bits go
      {8, 16, 248, 0, 0, 0x7c41},       // blue 31, green 2, red 1
      {255, 0, 0, -100, 0, 0x3def},     // no saturation: grey of lightness 51
      {200, 100, 50, 0, 100, 0x7fff},   // full luminance: white
      {200, 100, 50, 0, -100, 0x0000},  // no luminance: black
      {200, 100, 50, 25, 0, 0x095c},
      {200, 100, 50, -25, 10, 0x3a37},
      {64, 128, 192, 50, -20, 0x4d20},
      {7, 7, 7, 10, 0, 0x0000},  // black stays black
      {255, 255, 255, 0, -50, 0x3def},
      {200, 100, 50, 0, 1000, 0x7fff},  // shifts beyond 100 saturate
      {200, 100, 50, -100000, 0, ConvertColour(200, 100, 50, -100, 0)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConvertColour(c.r, c.g, c.b, c.saturation, c.luminance), c.value)
        << int(c.r) << "," << int(c.g) << "," << int(c.b) << " " << c.saturation << "/" << c.luminance;
  }
}

}  // namespace
}  // namespace qarto::test
