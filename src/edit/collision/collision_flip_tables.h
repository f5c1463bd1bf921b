#pragma once

#include <cstdint>
#include <vector>

namespace qarto {

struct Tileset;

// For every collision tile its mirrored counterparts: the collision tile
// that looks most like it flipped horizontally, vertically and both ways.
// A flipped collision cell stores that counterpart instead of flip bits.
class CollisionFlipTables {
 public:
  // Builds the tables from the collision tileset's pixels; an empty page
  // leaves them empty (every lookup then keeps the tile).
  void build(const Tileset& collisionTiles);
  void clear();
  bool empty() const { return horizontal_.empty(); }
  int size() const { return static_cast<int>(horizontal_.size()); }

  // The tile as painted with the given flips; a tile outside the tables is
  // kept as it is.
  int map(int tile, bool hflip, bool vflip) const;

 private:
  std::vector<std::int32_t> horizontal_;
  std::vector<std::int32_t> vertical_;
  std::vector<std::int32_t> both_;
};

}  // namespace qarto
