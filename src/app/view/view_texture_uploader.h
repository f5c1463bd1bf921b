#pragma once

#include "model/tileset/texture_upload.h"

namespace qarto {

class TilesetRegistry;

// The tileset textures of the map view. Tilesets can register before the
// view's GL context exists (the collision tileset at start-up, a map opened
// from the command line before the first paint) and the context can be
// recreated; so while no context is attached an upload is only noted (name
// 0) and every tileset is uploaded again from its own pixels when a context
// attaches. The tilesets keep this object as their texture's owner.
class ViewTextureUploader : public TextureUploader {
 public:
  // A live context's uploader; every tileset of the registry is uploaded
  // into it.
  void attach(TextureUploader& gl, TilesetRegistry& registry);
  // The context goes: its names are forgotten.
  void detach(TilesetRegistry& registry);
  bool attached() const { return gl_ != nullptr; }

  bool isSupported(int width, int height) override;
  bool upload(const std::uint8_t* rgba, int width, int height, std::uint32_t& textureName) override;
  void release(std::uint32_t textureName) override;

 private:
  TextureUploader* gl_ = nullptr;
};

}  // namespace qarto
