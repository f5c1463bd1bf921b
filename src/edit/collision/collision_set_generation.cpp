#include "edit/collision/collision_set_generation.h"

#include <bit>
#include <vector>

#include "model/tileset.h"

namespace qarto {

namespace {

// Bit p is set when pixel p (row by row) is drawn.
std::uint64_t opacityMask(const Tileset& page, int tile) {
  TilePixels pixels{};
  if (!readTile(page, tile, false, false, pixels)) return 0;
  std::uint64_t mask = 0;
  for (int p = 0; p < kTilePixels; ++p) {
    if ((pixels[static_cast<std::size_t>(p)] & 0x0F) != 0) mask |= std::uint64_t{1} << p;
  }
  return mask;
}

}  // namespace

std::vector<std::uint8_t> generateCollisionSet(const Tileset& page, const Tileset& collisionTiles,
                                               bool minimumMatch) {
  if (page.imageWidth <= 0 || collisionTiles.imageWidth <= 0) return {};
  std::vector<std::uint64_t> shapes(static_cast<std::size_t>(collisionTiles.tileCount));
  for (int c = 0; c < collisionTiles.tileCount; ++c) shapes[static_cast<std::size_t>(c)] = opacityMask(collisionTiles, c);

  std::vector<std::uint8_t> set(static_cast<std::size_t>(page.tileCount));
  for (int t = 0; t < page.tileCount; ++t) {
    const std::uint64_t mask = opacityMask(page, t);
    int best = 0;
    int bestAgreement = 0;
    for (std::size_t c = 0; c < shapes.size(); ++c) {
      const int agreement = 64 - std::popcount(mask ^ shapes[c]);
      if (agreement > bestAgreement) {
        bestAgreement = agreement;
        best = static_cast<int>(c);
      }
    }
    if (minimumMatch && bestAgreement < kMinimumMatchAgreement) best = 0;
    // A collision page of more than 256 tiles cannot be named by a .cll byte.
    set[static_cast<std::size_t>(t)] = static_cast<std::uint8_t>(best <= 255 ? best : 0);
  }
  return set;
}

}  // namespace qarto
