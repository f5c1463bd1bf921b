#include "render/render_tileset_host.h"

#include "render/art/glyph_set.h"
#include "render/renderer.h"

namespace qarto {

TextureUploader& RenderTilesetHost::textureUploader() { return renderer_.uploader(); }

std::pair<int, int> RenderTilesetHost::measureLabel(const std::string& text) {
  return {glyphs_.textWidth(text), glyphs_.lineHeight};
}

}  // namespace qarto
