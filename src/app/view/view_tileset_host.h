#pragma once

#include "app/view/view_texture_uploader.h"
#include "model/tileset/tileset_host.h"

namespace qarto {

struct GlyphSet;

// The platform side of tileset registration for the editor window: the map
// view's textures and label sizes measured with the glyph advances the view
// draws its text with.
class ViewTilesetHost : public TilesetHost {
 public:
  explicit ViewTilesetHost(const GlyphSet& glyphs) : glyphs_(glyphs) {}

  TextureUploader& textureUploader() override { return uploader_; }
  std::pair<int, int> measureLabel(const std::string& text) override;

  ViewTextureUploader& viewUploader() { return uploader_; }
  const GlyphSet& glyphs() const { return glyphs_; }

 private:
  const GlyphSet& glyphs_;
  ViewTextureUploader uploader_;
};

}  // namespace qarto
