#pragma once

#include "render/art/glyph_set.h"

class QFont;

namespace qarto {

// The map view's bitmap font: character codes 0 to 254 read as Latin-1,
// each drawn with `font` into a one-bit glyph the renderer's display lists
// take. Codes without a printable character keep their advance and draw
// nothing.
GlyphSet rasterizeGlyphs(const QFont& font);

// The font the view's text uses: the system's fixed-pitch font at a small
// pixel size, so the tab labels keep to their strip.
QFont viewFont();

}  // namespace qarto
