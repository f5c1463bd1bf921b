#pragma once

#include <cstdint>

namespace qarto {

// Hue in degrees (0..360), saturation and lightness in percent (0..100).
struct HlsColour {
  int h = 0;
  int s = 0;
  int l = 0;
};

// 5-bit channels (0..31).
struct Rgb5Colour {
  int r = 0;
  int g = 0;
  int b = 0;
};

// Single precision, evaluated in the order written and truncated toward zero,
// so every machine gives the same bits.
HlsColour RgbToHls(int r5, int g5, int b5);
Rgb5Colour HlsToRgb(int h, int s, int l);

// One palette entry as GBA BGR555 (red bits 0-4, green 5-9, blue 10-14),
// with the saturation and luminance shifts (percent) applied in HLS.
std::uint16_t ConvertColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue, int saturation, int luminance);

}  // namespace qarto
