#include "model/tileset/builtin_collision_tiles.h"

#include "model/byte_order.h"

namespace qarto {

namespace {

constexpr std::array<ColumnHeights, kCollisionShapeTiles> kColumnHeights{{
    {0, 0, 0, 0, 0, 0, 0, 0},  // 0 empty
    {8, 8, 8, 8, 8, 8, 8, 8},  // 1 solid
    {1, 2, 3, 4, 5, 6, 7, 8},  // 2 45-degree slope rising to the right
    {1, 1, 2, 2, 3, 3, 4, 4},  // 3-4 rising over two tiles
    {5, 5, 6, 6, 7, 7, 8, 8},
    {1, 1, 1, 2, 2, 2, 3, 3},  // 5-7 rising over three tiles
    {3, 4, 4, 4, 5, 5, 5, 6},
    {6, 6, 7, 7, 7, 8, 8, 8},
    {8, 7, 6, 5, 4, 3, 2, 1},  // 8 45-degree slope falling to the right
    {8, 8, 7, 7, 6, 6, 5, 5},  // 9-10 falling over two tiles
    {4, 4, 3, 3, 2, 2, 1, 1},
    {8, 8, 8, 7, 7, 7, 6, 6},  // 11-13 falling over three tiles
    {6, 5, 5, 5, 4, 4, 4, 3},
    {3, 3, 2, 2, 2, 1, 1, 1},
    {4, 4, 4, 4, 4, 4, 4, 4},  // 14 half block
    {2, 2, 2, 2, 2, 2, 2, 2},  // 15 quarter block
    {8, 8, 8, 8, 7, 7, 7, 7},  // 16-19 falling over four tiles
    {6, 6, 6, 6, 5, 5, 5, 5},
    {4, 4, 4, 4, 3, 3, 3, 3},
    {2, 2, 2, 2, 1, 1, 1, 1},
    {1, 1, 1, 1, 2, 2, 2, 2},  // 20-23 rising over four tiles
    {3, 3, 3, 3, 4, 4, 4, 4},
    {5, 5, 5, 5, 6, 6, 6, 6},
    {7, 7, 7, 7, 8, 8, 8, 8},
    {6, 6, 6, 6, 6, 6, 6, 6},  // 24 three-quarter block
}};

constexpr std::array<std::uint8_t, 8> kFreeSlotRows{
    0b00111100,  // ..####..
    0b01000010,  // .#....#.
    0b10000101,  // #....#.#
    0b10001001,  // #...#..#
    0b10010001,  // #..#...#
    0b10100001,  // #.#....#
    0b01000010,  // .#....#.
    0b00111100,  // ..####..
};

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteEntries = 16;
constexpr std::uint32_t kRowBytes = kBuiltinCollisionWidth / 2;  // already a multiple of 4
constexpr std::uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize + kPaletteEntries * 4;
constexpr std::uint32_t kFileSize = kPixelOffset + kRowBytes * kBuiltinCollisionHeight;

}  // namespace

const std::array<std::uint8_t, 8>& builtinFreeSlotRows() { return kFreeSlotRows; }

bool builtinCollisionPixelSolid(int tile, int x, int y) {
  if (tile < 0 || tile >= kBuiltinCollisionTiles || x < 0 || x > 7 || y < 0 || y > 7) return false;
  if (tile < kCollisionShapeTiles) return y >= 8 - kColumnHeights[static_cast<std::size_t>(tile)][static_cast<std::size_t>(x)];
  return (kFreeSlotRows[static_cast<std::size_t>(y)] & (0x80 >> x)) != 0;
}

std::vector<std::uint8_t> builtinCollisionTilesBmp() {
  std::vector<std::uint8_t> bmp(kFileSize, 0);
  std::uint8_t* p = bmp.data();

  p[0] = 'B';
  p[1] = 'M';
  storeU32(p + 2, kFileSize);
  storeU32(p + 10, kPixelOffset);

  std::uint8_t* info = p + kFileHeaderSize;
  storeU32(info + 0, kInfoHeaderSize);
  storeI32(info + 4, kBuiltinCollisionWidth);
  storeI32(info + 8, kBuiltinCollisionHeight);  // positive: rows bottom-up
  storeU16(info + 12, 1);                        // planes
  storeU16(info + 14, 4);                        // bits per pixel
  storeU32(info + 16, 0);                        // no compression
  storeU32(info + 20, kRowBytes * kBuiltinCollisionHeight);
  storeU32(info + 32, kPaletteEntries);

  // Entries are B, G, R, 0; only entry 1 is not black.
  std::uint8_t* palette = info + kInfoHeaderSize;
  palette[4] = 248;
  palette[5] = 252;
  palette[6] = 248;

  std::uint8_t* pixels = p + kPixelOffset;
  for (int y = 0; y < kBuiltinCollisionHeight; ++y) {
    std::uint8_t* row = pixels + static_cast<std::size_t>(kBuiltinCollisionHeight - 1 - y) * kRowBytes;
    for (int x = 0; x < kBuiltinCollisionWidth; ++x) {
      const int tile = (y / 8) * 8 + x / 8;
      if (!builtinCollisionPixelSolid(tile, x % 8, y % 8)) continue;
      // High nibble first: even pixels in bits 4-7.
      row[x / 2] |= static_cast<std::uint8_t>((x % 2 == 0) ? 0x10 : 0x01);
    }
  }
  return bmp;
}

}  // namespace qarto
