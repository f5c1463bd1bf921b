#include "model/tileset/tileset_registry.h"

#include "model/tileset/texture_upload.h"

namespace qarto {

namespace {

void releaseTexture(Tileset& tileset) {
  if (tileset.textureOwner != nullptr && tileset.textureReady) tileset.textureOwner->release(tileset.textureName);
  tileset.textureOwner = nullptr;
  tileset.textureReady = false;
  tileset.textureName = 0;
}

}  // namespace

Tileset* TilesetRegistry::find(std::int32_t id) {
  auto it = tilesets_.find(id);
  return it == tilesets_.end() ? nullptr : it->second.get();
}

const Tileset* TilesetRegistry::find(std::int32_t id) const {
  auto it = tilesets_.find(id);
  return it == tilesets_.end() ? nullptr : it->second.get();
}

Tileset& TilesetRegistry::insert(std::unique_ptr<Tileset> tileset) {
  auto& slot = tilesets_[tileset->id];
  if (slot && slot.get() != tileset.get()) releaseTexture(*slot);
  slot = std::move(tileset);
  return *slot;
}

std::unique_ptr<Tileset> TilesetRegistry::remove(std::int32_t id) {
  auto it = tilesets_.find(id);
  if (it == tilesets_.end()) return nullptr;
  std::unique_ptr<Tileset> taken = std::move(it->second);
  tilesets_.erase(it);
  releaseTexture(*taken);
  return taken;
}

void TilesetRegistry::clear() {
  for (auto& [id, tileset] : tilesets_) releaseTexture(*tileset);
  tilesets_.clear();
}

Tileset* TilesetRegistry::firstNonCollision() {
  for (auto& [id, tileset] : tilesets_) {
    if (!tileset->isCollisionTileset) return tileset.get();
  }
  return nullptr;
}

Tileset* TilesetRegistry::firstCollision() {
  for (auto& [id, tileset] : tilesets_) {
    if (tileset->isCollisionTileset) return tileset.get();
  }
  return nullptr;
}

int TilesetRegistry::countNonCollision() const {
  int count = 0;
  for (const auto& [id, tileset] : tilesets_) count += tileset->isCollisionTileset ? 0 : 1;
  return count;
}

}  // namespace qarto
