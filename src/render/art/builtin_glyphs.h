#pragma once

#include "render/art/glyph_set.h"

namespace qarto {

// A small 5 x 8 pixel font drawn by this project for the printable ASCII
// codes (32 to 126); other codes advance like a space. Tests and the
// command-line renderer use it, so their pictures do not depend on the
// fonts a machine has.
const GlyphSet& builtinGlyphSet();

}  // namespace qarto
