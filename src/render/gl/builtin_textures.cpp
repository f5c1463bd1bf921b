#include "render/gl/builtin_textures.h"

#include <vector>

#include "render/gl/gl_api.h"
#include "render/gl/gl_texture.h"

namespace qarto {

bool BuiltinTextures::upload() {
  release();
  bool all = true;
  for (int i = 0; i < kFlagIconCount; ++i) {
    icons_[static_cast<std::size_t>(i)] =
        createTexture(kFlagIconSide, kFlagIconSide, flagIconPixels(i).data(), TextureEdges::Repeat);
    all = all && icons_[static_cast<std::size_t>(i)] != 0;
  }
  entityStrip_ = createTexture(kEntitySpriteSide * kEntitySprites, kEntitySpriteSide, entityStripPixels().data(),
                               TextureEdges::Repeat);
  return all && entityStrip_ != 0;
}

void BuiltinTextures::release() {
  for (std::uint32_t& name : icons_) deleteTexture(name);
  deleteTexture(entityStrip_);
}

std::uint32_t BuiltinTextures::flagIcon(int icon) const {
  if (icon < 0 || icon >= kFlagIconCount) return 0;
  return icons_[static_cast<std::size_t>(icon)];
}

}  // namespace qarto
