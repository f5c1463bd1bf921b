#pragma once

#include <string_view>

namespace qarto {

struct GlyphSet;

// The view's text: one display list per character code 0 to 254, each a
// glBitmap of the glyph that moves the raster position by its advance.
class BitmapFont {
 public:
  BitmapFont() = default;
  BitmapFont(const BitmapFont&) = delete;
  BitmapFont& operator=(const BitmapFont&) = delete;

  // With the context current. False when no lists could be made.
  bool build(const GlyphSet& glyphs);
  void release();
  bool ready() const { return base_ != 0; }

  // Draws `text` with its pen at world point (x, y) in the current colour
  // (the raster colour is latched here). A raster position outside the
  // viewport would drop the whole text, so the raster position is set at
  // `anchorX, anchorY` (any world point inside the viewport) and moved by
  // an empty bitmap. World y grows downwards. Texturing is off meanwhile.
  void drawText(float x, float y, std::string_view text, float anchorX, float anchorY) const;

 private:
  unsigned int base_ = 0;
};

}  // namespace qarto
