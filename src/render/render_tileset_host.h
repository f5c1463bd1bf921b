#pragma once

#include "model/tileset/tileset_host.h"

namespace qarto {

class Renderer;
struct GlyphSet;

// What tileset registration needs from a view that draws with this
// renderer: GL textures for the pages and label widths from the same
// glyph advances the tab strip draws with.
class RenderTilesetHost : public TilesetHost {
 public:
  RenderTilesetHost(Renderer& renderer, const GlyphSet& glyphs) : renderer_(renderer), glyphs_(glyphs) {}
  TextureUploader& textureUploader() override;
  std::pair<int, int> measureLabel(const std::string& text) override;

 private:
  Renderer& renderer_;
  const GlyphSet& glyphs_;
};

}  // namespace qarto
