#include "app/view/view_texture_uploader.h"

#include "io/images/display_image.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

// Before a context exists nothing can be asked; any side the padding can
// produce is taken, and the real upload decides later.
constexpr int kPendingMaxSide = 4096;

}  // namespace

void ViewTextureUploader::attach(TextureUploader& gl, TilesetRegistry& registry) {
  gl_ = &gl;
  for (auto& [id, tileset] : registry) {
    tileset->textureName = 0;
    uploadTexture(*tileset, makeDisplayImage(*tileset), *this);
  }
}

void ViewTextureUploader::detach(TilesetRegistry& registry) {
  gl_ = nullptr;
  for (auto& [id, tileset] : registry) tileset->textureName = 0;
}

bool ViewTextureUploader::isSupported(int width, int height) {
  if (gl_ != nullptr) return gl_->isSupported(width, height);
  return width > 0 && height > 0 && width <= kPendingMaxSide && height <= kPendingMaxSide;
}

bool ViewTextureUploader::upload(const std::uint8_t* rgba, int width, int height, std::uint32_t& textureName) {
  if (gl_ != nullptr) return gl_->upload(rgba, width, height, textureName);
  textureName = 0;  // uploaded when a context attaches
  return true;
}

void ViewTextureUploader::release(std::uint32_t textureName) {
  if (gl_ != nullptr && textureName != 0) gl_->release(textureName);
}

}  // namespace qarto
