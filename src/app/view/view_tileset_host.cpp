#include "app/view/view_tileset_host.h"

#include "render/art/glyph_set.h"

namespace qarto {

std::pair<int, int> ViewTilesetHost::measureLabel(const std::string& text) {
  return {glyphs_.textWidth(text), glyphs_.lineHeight};
}

}  // namespace qarto
