#include "export/colour_conversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

namespace qarto::test {
namespace {

TEST(ConvertColour, WithoutShiftsDropsTheThreeLowBits) {
  EXPECT_EQ(ConvertColour(255, 255, 255, 0, 0), 0x7fff);
  EXPECT_EQ(ConvertColour(8, 16, 248, 0, 0), 0x7c41);  // blue 31, green 2, red 1
  EXPECT_EQ(ConvertColour(7, 15, 23, 0, 0), (2 << 10) | (1 << 5) | 0);
  EXPECT_EQ(ConvertColour(0, 0, 0, 0, 0), 0);
}

TEST(ConvertColour, Shifts) {
  struct Case {
    std::uint8_t r, g, b;
    int saturation, luminance;
    std::uint16_t value;
  };
  const Case cases[] = {
      {255, 0, 0, -100, 0, 0x3def},      // no saturation: grey of lightness 51
      {200, 100, 50, 0, 100, 0x7fff},    // full luminance: white
      {200, 100, 50, 0, -100, 0x0000},   // no luminance: black
      {200, 100, 50, 25, 0, 0x095c},
      {200, 100, 50, -25, 10, 0x3a37},
      {64, 128, 192, 50, -20, 0x4d20},
      {7, 7, 7, 10, 0, 0x0000},          // black stays black
      {255, 255, 255, 0, -50, 0x3def},
      {200, 100, 50, 0, 1000, 0x7fff},   // shifts beyond 100 saturate
      {200, 100, 50, -100000, 0, ConvertColour(200, 100, 50, -100, 0)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConvertColour(c.r, c.g, c.b, c.saturation, c.luminance), c.value)
        << int(c.r) << "," << int(c.g) << "," << int(c.b) << " " << c.saturation << "/" << c.luminance;
  }
}

TEST(RgbToHls, Values) {
  struct Case {
    int r, g, b, h, s, l;
  };
  const Case cases[] = {
      {31, 0, 0, 360, 100, 51}, {0, 31, 0, 120, 100, 51}, {0, 0, 31, 240, 100, 51},
      {16, 16, 16, 0, 0, 52},   {0, 0, 0, 0, 0, 0},       {31, 31, 31, 0, 0, 100},
      {31, 31, 0, 60, 100, 51}, {10, 20, 30, 210, 90, 65}, {25, 5, 12, 339, 66, 49},
      {3, 9, 1, 105, 80, 17},
      // Single precision truncates these one degree above what double gives.
      {0, 1, 3, 220, 100, 5},   {0, 5, 4, 168, 100, 9},
  };
  for (const Case& c : cases) {
    const HlsColour hls = RgbToHls(c.r, c.g, c.b);
    EXPECT_EQ(hls.h, c.h) << c.r << "," << c.g << "," << c.b;
    EXPECT_EQ(hls.s, c.s) << c.r << "," << c.g << "," << c.b;
    EXPECT_EQ(hls.l, c.l) << c.r << "," << c.g << "," << c.b;
  }
}

TEST(HlsToRgb, Values) {
  struct Case {
    int h, s, l, r, g, b;
  };
  const Case cases[] = {
      {0, 100, 50, 31, 0, 0},   {120, 100, 50, 0, 31, 0}, {240, 100, 50, 0, 0, 31}, {360, 100, 51, 31, 0, 0},
      {200, 40, 70, 17, 22, 25}, {30, 60, 20, 9, 6, 2},   {0, 0, 73, 22, 22, 22},   {90, 150, -5, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const Rgb5Colour rgb = HlsToRgb(c.h, c.s, c.l);
    EXPECT_EQ(rgb.r, c.r) << c.h << "," << c.s << "," << c.l;
    EXPECT_EQ(rgb.g, c.g) << c.h << "," << c.s << "," << c.l;
    EXPECT_EQ(rgb.b, c.b) << c.h << "," << c.s << "," << c.l;
  }
}

// A digest of a whole grid of conversions, from an independent
// single-precision model; any change of evaluation order or precision shows here.
std::uint32_t fnv(std::uint32_t hash, int value) {
  return (hash ^ static_cast<std::uint32_t>(value)) * 16777619u;
}

TEST(ColourDigest, ConvertColourGrid) {
  std::uint32_t hash = 2166136261u;
  for (int r = 0; r < 256; r += 17)
    for (int g = 0; g < 256; g += 17)
      for (int b = 0; b < 256; b += 17)
        for (auto [s, l] : {std::pair{-60, 0}, std::pair{0, 25}, std::pair{40, -30}}) {
          hash = fnv(hash, ConvertColour(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                         static_cast<std::uint8_t>(b), s, l));
        }
  EXPECT_EQ(hash, 0x547ff760u);
}

}  // namespace
}  // namespace qarto::test
