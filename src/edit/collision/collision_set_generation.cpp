#include "edit/collision/collision_set_generation.h"

#include <bit>
#include <vector>

#include "model/tileset/tileset.h"

namespace qarto {

namespace {

// Bit p (row by row) is set when pixel p's colour has non-zero low bits.
// Eight pixels at a time: a byte's bit 7 marks a drawn pixel, and the
// multiply gathers the eight marks of a row into one byte.
std::uint64_t opacityMask(const Tileset& page, int tile) {
  if (tile < 0 || tile >= page.tileCount) return 0;
  const std::uint8_t* row = page.pixels.data() + tilePixelOffset(page, tile);
  std::uint64_t mask = 0;
  for (int y = 0; y < kTileSide; ++y, row += page.imageWidth) {
    std::uint64_t eight = 0;
    for (int x = kTileSide - 1; x >= 0; --x) eight = eight << 8 | row[x];  // pixel x in byte x
    const std::uint64_t drawn = ((eight & 0x0F0F0F0F0F0F0F0Full) + 0x7F7F7F7F7F7F7F7Full) & 0x8080808080808080ull;
    const std::uint64_t bits = ((drawn >> 7) * 0x0102040810204080ull) >> 56;
    mask |= bits << (y * kTileSide);
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
