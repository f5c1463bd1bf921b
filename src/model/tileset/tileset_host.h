#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "model/tileset/texture_upload.h"

namespace qarto {

struct Tileset;

// What tileset registration needs from the view: textures, a brush per
// tileset, the label size in the view's font and the tile view layout. The
// map view implements it; HeadlessTilesetHost serves tools and tests.
class TilesetHost {
 public:
  virtual ~TilesetHost() = default;
  virtual TextureUploader& textureUploader() = 0;
  virtual void tilesetRegistered(Tileset& /*tileset*/) {}  // create its brush
  virtual void tilesetRemoved(std::int32_t /*id*/) {}      // destroy its brush
  // Pixel size of a label in the view's font.
  virtual std::pair<int, int> measureLabel(const std::string& text) {
    return {static_cast<int>(text.size()) * 8, 13};
  }
  virtual void tileViewLayoutChanged() {}
};

class HeadlessTilesetHost : public TilesetHost {
 public:
  TextureUploader& textureUploader() override { return uploader_; }
  HeadlessTextureUploader& headlessUploader() { return uploader_; }

 private:
  HeadlessTextureUploader uploader_;
};

}  // namespace qarto
