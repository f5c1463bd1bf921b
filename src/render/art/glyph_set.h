#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace qarto {

// One character of a bitmap font, as glBitmap takes it: `height` rows of
// ceil(width / 8) bytes, bottom row first, most significant bit leftmost.
// originX and originY place the bitmap relative to the pen (the baseline
// point): the bitmap's bottom-left pixel lies originX left of and originY
// below the pen. The pen then moves `advance` pixels right.
struct Glyph {
  int width = 0;
  int height = 0;
  int originX = 0;
  int originY = 0;
  int advance = 0;
  std::vector<std::uint8_t> rows;
};

inline constexpr int kGlyphCodes = 255;  // character codes 0 to 254

// The view's font: one glyph per code. The editor rasterises a system font
// into it; tests and qarto-cli render use builtinGlyphSet().
struct GlyphSet {
  std::array<Glyph, kGlyphCodes> glyphs;
  int lineHeight = 0;

  // Pixel width of a text: the sum of its characters' advances (bytes of
  // code 255 advance nothing).
  int textWidth(std::string_view text) const;
};

}  // namespace qarto
