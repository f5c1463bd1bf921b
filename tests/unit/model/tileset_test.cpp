#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/images/bmp_codec.h"
#include "model/tileset/builtin_collision_tiles.h"
#include "model_fixture.h"

namespace qarto::test {
namespace {

// The solid pixel rows of a tile as text, top row first.
std::vector<std::string> tileRows(const IndexedImage& image, int tile) {
  std::vector<std::string> rows;
  for (int y = 0; y < 8; ++y) {
    std::string row;
    for (int x = 0; x < 8; ++x) {
      row += image.pixels[static_cast<std::size_t>(((tile / 8) * 8 + y) * 64 + (tile % 8) * 8 + x)] == 1 ? '#' : '.';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(BuiltinCollisionTiles, IsAFourBitPageOfShapedTiles) {
  const std::vector<std::uint8_t> bmp = builtinCollisionTilesBmp();
  ASSERT_EQ(bmp.size(), 14u + 40u + 64u + 32u * 32u);  // 4 bits per pixel
  IndexedImage image;
  std::string message;
  ASSERT_TRUE(decodeBmpImage(bmp.data(), bmp.size(), "builtin", image, message)) << message;
  ASSERT_EQ(std::pair(image.imageWidth, image.imageHeight), std::pair(64, 32));
  std::array<std::uint8_t, kPaletteBytes> palette{};
  palette[3] = 248;  // entry 1: red, green, blue
  palette[4] = 252;
  palette[5] = 248;
  EXPECT_EQ(image.palette, palette);

  using Rows = std::vector<std::string>;
  EXPECT_EQ(tileRows(image, 0), Rows(8, "........"));
  EXPECT_EQ(tileRows(image, 1), Rows(8, "########"));
  EXPECT_EQ(tileRows(image, 2),
            (Rows{".......#", "......##", ".....###", "....####", "...#####", "..######", ".#######", "########"}));
  // Tiles 25 to 31 are free slots.
  EXPECT_EQ(tileRows(image, 25),
            (Rows{"..####..", ".#....#.", "#....#.#", "#...#..#", "#..#...#", "#.#....#", ".#....#.", "..####.."}));
  EXPECT_EQ(tileRows(image, 31), tileRows(image, 25));
}

}  // namespace
}  // namespace qarto::test
