#include "edit/collision/collision_flip_tables.h"

#include "model/tileset/tileset.h"

namespace qarto {

namespace {

int agreement(const TilePixels& a, const TilePixels& b) {
  int same = 0;
  for (int p = 0; p < kTilePixels; ++p) same += a[static_cast<std::size_t>(p)] == b[static_cast<std::size_t>(p)];
  return same;
}

// The first candidate with the highest agreement; 0 when nothing agrees.
std::int32_t bestMatch(const std::vector<TilePixels>& tiles, const TilePixels& wanted) {
  std::int32_t best = 0;
  int bestCount = 0;
  for (std::size_t a = 0; a < tiles.size(); ++a) {
    const int count = agreement(tiles[a], wanted);
    if (count > bestCount) {
      bestCount = count;
      best = static_cast<std::int32_t>(a);
    }
  }
  return best;
}

}  // namespace

void CollisionFlipTables::build(const Tileset& collisionTiles) {
  clear();
  const int count = collisionTiles.imageWidth > 0 ? collisionTiles.tileCount : 0;
  std::vector<TilePixels> plain(static_cast<std::size_t>(count));
  for (int t = 0; t < count; ++t) readTile(collisionTiles, t, false, false, plain[static_cast<std::size_t>(t)]);

  horizontal_.resize(static_cast<std::size_t>(count));
  vertical_.resize(static_cast<std::size_t>(count));
  both_.resize(static_cast<std::size_t>(count));
  TilePixels mirrored{};
  for (int t = 0; t < count; ++t) {
    const auto i = static_cast<std::size_t>(t);
    readTile(collisionTiles, t, true, false, mirrored);
    horizontal_[i] = bestMatch(plain, mirrored);
    readTile(collisionTiles, t, false, true, mirrored);
    vertical_[i] = bestMatch(plain, mirrored);
    readTile(collisionTiles, t, true, true, mirrored);
    both_[i] = bestMatch(plain, mirrored);
  }
}

void CollisionFlipTables::clear() {
  horizontal_.clear();
  vertical_.clear();
  both_.clear();
}

int CollisionFlipTables::map(int tile, bool hflip, bool vflip) const {
  if (tile < 0 || tile >= size() || (!hflip && !vflip)) return tile;
  const auto i = static_cast<std::size_t>(tile);
  if (hflip && vflip) return both_[i];
  return hflip ? horizontal_[i] : vertical_[i];
}

}  // namespace qarto
