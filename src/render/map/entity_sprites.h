#pragma once

#include <cstdint>
#include <unordered_map>

namespace qarto {

class EntityCatalogue;

// The sprites of the entity catalogue's rows as textures, keyed by the type
// they show. Made again whenever the catalogue changed; with the context
// current for every call.
class EntitySprites {
 public:
  EntitySprites() = default;
  EntitySprites(const EntitySprites&) = delete;
  EntitySprites& operator=(const EntitySprites&) = delete;

  void sync(const EntityCatalogue& catalogue);
  void release();
  // 0 when the type has no sprite of its own (the built-in strip shows it).
  std::uint32_t textureOf(int type) const;

 private:
  std::unordered_map<int, std::uint32_t> textures_;
  std::uint32_t generation_ = 0;
  bool synced_ = false;
};

}  // namespace qarto
