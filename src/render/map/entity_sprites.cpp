#include "render/map/entity_sprites.h"

#include "edit/entities/entity_catalogue.h"
#include "render/gl/builtin_textures.h"
#include "render/gl/gl_texture.h"

namespace qarto {

void EntitySprites::sync(const EntityCatalogue& catalogue) {
  if (synced_ && generation_ == catalogue.generation()) return;
  release();
  for (const EntityType& row : catalogue.rows()) {
    if (row.sprite.empty()) continue;
    const std::uint32_t name =
        createTexture(kEntitySpriteSize, kEntitySpriteSize, row.sprite.data(), TextureEdges::Repeat);
    if (name != 0) textures_[row.type] = name;
  }
  generation_ = catalogue.generation();
  synced_ = true;
}

void EntitySprites::release() {
  for (auto& [type, name] : textures_) deleteTexture(name);
  textures_.clear();
  synced_ = false;
}

std::uint32_t EntitySprites::textureOf(int type) const {
  const auto found = textures_.find(type);
  return found != textures_.end() ? found->second : 0;
}

}  // namespace qarto
