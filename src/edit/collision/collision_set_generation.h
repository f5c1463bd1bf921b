#pragma once

#include <cstdint>
#include <vector>

namespace qarto {

struct Tileset;

// Agreement of 59 of 64 pixels (90 %) is the least the minimum-match filter
// accepts.
inline constexpr int kMinimumMatchAgreement = 59;

// The ideal collision set of a page: for each of its tiles (row by row) the
// first collision tile whose shape agrees on the most pixels, where a
// pixel's shape is whether its colour's low four bits are non-zero. With
// the filter, a best agreement below 59 gives collision tile 0. Empty when
// either page has no tiles.
std::vector<std::uint8_t> generateCollisionSet(const Tileset& page, const Tileset& collisionTiles,
                                               bool minimumMatch);

}  // namespace qarto
