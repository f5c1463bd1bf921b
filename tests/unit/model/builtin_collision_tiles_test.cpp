#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "model/builtin_collision_tiles.h"

namespace qarto::test {
namespace {

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// A deliberately small reader for exactly this kind of file: 4 bits per
// pixel, uncompressed, bottom-up rows padded to 4 bytes.
struct DecodedBmp {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indices;  // rows from the top
  std::vector<std::uint8_t> paletteBgr0;
  int at(int x, int y) const { return indices[static_cast<std::size_t>(y * width + x)]; }
};

DecodedBmp decode(const std::vector<std::uint8_t>& b) {
  DecodedBmp out;
  out.width = static_cast<int>(u32(b, 18));
  out.height = static_cast<int>(u32(b, 22));
  const std::uint32_t offset = u32(b, 10);
  const std::size_t rowBytes = ((static_cast<std::size_t>(out.width) * 4 + 31) / 32) * 4;
  out.paletteBgr0.assign(b.begin() + 54, b.begin() + 54 + 64);
  out.indices.resize(static_cast<std::size_t>(out.width * out.height));
  for (int y = 0; y < out.height; ++y) {
    const std::size_t row = offset + static_cast<std::size_t>(out.height - 1 - y) * rowBytes;
    for (int x = 0; x < out.width; ++x) {
      const std::uint8_t byte = b[row + static_cast<std::size_t>(x / 2)];
      out.indices[static_cast<std::size_t>(y * out.width + x)] = (x % 2 == 0) ? byte >> 4 : byte & 0x0F;
    }
  }
  return out;
}

// The solid pixel rows of a tile as text, top row first.
std::vector<std::string> tileRows(const DecodedBmp& image, int tile) {
  std::vector<std::string> rows;
  for (int y = 0; y < 8; ++y) {
    std::string row;
    for (int x = 0; x < 8; ++x) row += image.at((tile % 8) * 8 + x, (tile / 8) * 8 + y) == 1 ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

TEST(BuiltinCollisionTiles, FileHeadersAndPalette) {
  const std::vector<std::uint8_t> bmp = builtinCollisionTilesBmp();
  ASSERT_EQ(bmp.size(), 14u + 40u + 64u + 32u * 32u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(u32(bmp, 2), bmp.size());
  EXPECT_EQ(u32(bmp, 10), 118u);
  EXPECT_EQ(u32(bmp, 14), 40u);
  EXPECT_EQ(u32(bmp, 18), 64u);
  EXPECT_EQ(u32(bmp, 22), 32u);
  EXPECT_EQ(u16(bmp, 26), 1);
  EXPECT_EQ(u16(bmp, 28), 4);
  EXPECT_EQ(u32(bmp, 30), 0u);

  const DecodedBmp image = decode(bmp);
  std::vector<std::uint8_t> palette(64, 0);
  palette[4] = 248;  // B, G, R, 0 of entry 1
  palette[5] = 252;
  palette[6] = 248;
  EXPECT_EQ(image.paletteBgr0, palette);
  for (std::uint8_t index : image.indices) ASSERT_LE(index, 1);
}

TEST(BuiltinCollisionTiles, TilesFollowTheColumnHeights) {
  const DecodedBmp image = decode(builtinCollisionTilesBmp());
  using Rows = std::vector<std::string>;
  EXPECT_EQ(tileRows(image, 0), Rows(8, "........"));
  EXPECT_EQ(tileRows(image, 1), Rows(8, "########"));
  EXPECT_EQ(tileRows(image, 2),
            (Rows{".......#", "......##", ".....###", "....####", "...#####", "..######", ".#######", "########"}));
  EXPECT_EQ(tileRows(image, 8),
            (Rows{"#.......", "##......", "###.....", "####....", "#####...", "######..", "#######.", "########"}));
  EXPECT_EQ(tileRows(image, 14), (Rows{"........", "........", "........", "........", "########", "########",
                                       "########", "########"}));
  EXPECT_EQ(tileRows(image, 25),
            (Rows{"..####..", ".#....#.", "#....#.#", "#...#..#", "#..#...#", "#.#....#", ".#....#.", "..####.."}));
  EXPECT_EQ(tileRows(image, 31), tileRows(image, 25));

  // Every shaped tile, column by column, against the table.
  const auto& heights = builtinCollisionColumnHeights();
  for (int tile = 0; tile < kCollisionShapeTiles; ++tile) {
    for (int x = 0; x < 8; ++x) {
      int solid = 0;
      for (int y = 0; y < 8; ++y) solid += image.at((tile % 8) * 8 + x, (tile / 8) * 8 + y) == 1 ? 1 : 0;
      EXPECT_EQ(solid, heights[static_cast<std::size_t>(tile)][static_cast<std::size_t>(x)]) << tile << "," << x;
      EXPECT_EQ(image.at((tile % 8) * 8 + x, (tile / 8) * 8 + 7), heights[tile][x] > 0 ? 1 : 0);
    }
  }
  EXPECT_EQ(heights[6], (ColumnHeights{3, 4, 4, 4, 5, 5, 5, 6}));
  EXPECT_EQ(heights[24], (ColumnHeights{6, 6, 6, 6, 6, 6, 6, 6}));
}

}  // namespace
}  // namespace qarto::test
