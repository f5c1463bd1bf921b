#include "render/art/glyph_set.h"

namespace qarto {

int GlyphSet::textWidth(std::string_view text) const {
  int width = 0;
  for (char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code < kGlyphCodes) width += glyphs[code].advance;
  }
  return width;
}

}  // namespace qarto
