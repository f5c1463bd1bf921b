#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "model/tileset/tileset.h"

namespace qarto {

// All loaded tilesets, owned, in ascending id order. Lookups of an absent id
// yield nullptr and add nothing.
//
// A tileset leaving the registry (removed, replaced under its id, cleared)
// gives its texture back to the uploader that made it. Destroying the
// registry does not: by then the uploader may be gone, and the view resets
// the project (which removes every tileset) before its context goes.
class TilesetRegistry {
 public:
  using Map = std::map<std::int32_t, std::unique_ptr<Tileset>>;

  TilesetRegistry() = default;
  ~TilesetRegistry() = default;
  TilesetRegistry(const TilesetRegistry&) = delete;
  TilesetRegistry& operator=(const TilesetRegistry&) = delete;

  Tileset* find(std::int32_t id);
  const Tileset* find(std::int32_t id) const;
  // Takes ownership under tileset->id, replacing (and destroying) any tileset
  // of that id. Returns the stored tileset.
  Tileset& insert(std::unique_ptr<Tileset> tileset);
  // Takes the tileset out and hands it back (nullptr when absent), its
  // texture already released.
  std::unique_ptr<Tileset> remove(std::int32_t id);
  void clear();

  // The lowest-id tileset that is not the collision tileset.
  Tileset* firstNonCollision();
  Tileset* firstCollision();
  int countNonCollision() const;

  bool empty() const { return tilesets_.empty(); }
  std::size_t size() const { return tilesets_.size(); }
  Map::iterator begin() { return tilesets_.begin(); }
  Map::iterator end() { return tilesets_.end(); }
  Map::const_iterator begin() const { return tilesets_.begin(); }
  Map::const_iterator end() const { return tilesets_.end(); }

 private:
  Map tilesets_;
};

}  // namespace qarto
