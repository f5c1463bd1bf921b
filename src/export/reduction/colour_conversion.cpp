#include "export/reduction/colour_conversion.h"

#include <algorithm>

namespace qarto {

namespace {

// The constants are multiplied as floats, never divided by at run time.
constexpr float kOneThirtyFirst = 1.0f / 31.0f;
constexpr float kOneSixth = 1.0f / 6.0f;
constexpr float kOneThreeSixtieth = 1.0f / 360.0f;
constexpr float kOneThird = 1.0f / 3.0f;
constexpr float kTwoThirds = 2.0f / 3.0f;

// Truncation toward zero, as a C cast does.
int truncate(float value) { return static_cast<int>(value); }

float hueToChannel(float m1, float m2, float t) {
  if (t < 0.0f) {
    t = t + 1.0f;
  } else if (t >= 1.0f) {
    t = t - 1.0f;
  }
  const float sixT = 6.0f * t;
  if (sixT < 1.0f) return m1 + (m2 - m1) * sixT;
  if (2.0f * t < 1.0f) return m2;
  if (3.0f * t < 2.0f) return m1 + (m2 - m1) * (kTwoThirds - t) * 6.0f;
  return m1;
}

int toFiveBits(float channel) { return std::clamp(truncate(channel * 31.0f), 0, 31); }

}  // namespace

HlsColour RgbToHls(int r5, int g5, int b5) {
  const float r = static_cast<float>(r5) * kOneThirtyFirst;
  const float g = static_cast<float>(g5) * kOneThirtyFirst;
  const float b = static_cast<float>(b5) * kOneThirtyFirst;
  const float max = std::max(std::max(r, g), b);
  const float min = std::min(std::min(r, g), b);
  const float lightness = (max + min) * 0.5f;
  HlsColour hls;
  if (!(lightness > 0.0f)) return hls;
  hls.l = truncate((lightness + 0.01f) * 100.0f);

  const float d = max - min;
  if (d > 0.0f) {
    const float saturation = lightness > 0.5f ? d / (2.0f - max - min) : d / (max + min);
    hls.s = truncate(saturation * 100.0f);
    const float rc = (max - r) / d;
    const float gc = (max - g) / d;
    const float bc = (max - b) / d;
    float sixths;
    if (r == max) {
      sixths = (g == min) ? 5.0f + bc : 1.0f - gc;
    } else if (g == max) {
      sixths = (b == min) ? 1.0f + rc : 3.0f - bc;
    } else {
      sixths = (r == min) ? 3.0f + gc : 5.0f - rc;
    }
    hls.h = truncate(sixths * kOneSixth * 360.0f);
  }
  hls.h = std::clamp(hls.h, 0, 360);
  hls.s = std::clamp(hls.s, 0, 100);
  hls.l = std::clamp(hls.l, 0, 100);
  return hls;
}

Rgb5Colour HlsToRgb(int h, int s, int l) {
  s = std::clamp(s, 0, 100);
  l = std::clamp(l, 0, 100);
  const float saturation = static_cast<float>(s) * 0.01f;
  const float lightness = static_cast<float>(l) * 0.01f;
  float r = lightness;
  float g = lightness;
  float b = lightness;
  if (s != 0) {
    const float m2 = lightness >= 0.5f ? lightness + saturation - lightness * saturation
                                       : lightness * (1.0f + saturation);
    const float m1 = 2.0f * lightness - m2;
    const float hue = static_cast<float>(h) * kOneThreeSixtieth;
    r = hueToChannel(m1, m2, hue + kOneThird);
    g = hueToChannel(m1, m2, hue);
    b = hueToChannel(m1, m2, hue - kOneThird);
  }
  return {toFiveBits(r), toFiveBits(g), toFiveBits(b)};
}

std::uint16_t ConvertColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue, int saturation, int luminance) {
  int r5 = red >> 3;
  int g5 = green >> 3;
  int b5 = blue >> 3;
  if (saturation != 0 || luminance != 0) {
    // Both end up clamped to 0..100, so shifts beyond 100 change nothing
    // more; bounding them first keeps the sums from overflowing.
    const HlsColour hls = RgbToHls(r5, g5, b5);
    const Rgb5Colour rgb = HlsToRgb(hls.h, hls.s + std::clamp(saturation, -100, 100),
                                    hls.l + std::clamp(luminance, -100, 100));
    r5 = rgb.r;
    g5 = rgb.g;
    b5 = rgb.b;
  }
  return static_cast<std::uint16_t>(b5 << 10 | g5 << 5 | r5);
}

}  // namespace qarto
