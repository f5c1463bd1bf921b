#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace qarto {

// The collision tile page used when "collisionTiles.bmp" cannot be read:
// 64 by 32 pixels, 8 tiles per row, 32 tiles.
inline constexpr int kBuiltinCollisionWidth = 64;
inline constexpr int kBuiltinCollisionHeight = 32;
inline constexpr int kBuiltinCollisionTiles = 32;
// Tiles 0..24 are drawn from column heights; the rest are free slots.
inline constexpr int kCollisionShapeTiles = 25;

using ColumnHeights = std::array<std::uint8_t, 8>;

// The free-slot mark (a circle crossed by a stroke), one byte per row from
// the top, bit 7 the leftmost pixel.
const std::array<std::uint8_t, 8>& builtinFreeSlotRows();

// Whether pixel (x, y) of a tile, from its top-left corner, is solid.
bool builtinCollisionPixelSolid(int tile, int x, int y);

// A complete uncompressed 4-bit BMP file: palette entry 1 (248, 252, 248)
// marks solid pixels, every other entry is black.
std::vector<std::uint8_t> builtinCollisionTilesBmp();

}  // namespace qarto
