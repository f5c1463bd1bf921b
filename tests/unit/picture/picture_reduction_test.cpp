#include <gtest/gtest.h>

#include "export/picture/picture_page.h"
#include "support/hidden_banks.h"
#include "model/project/map_cell.h"

namespace qarto {
namespace {

using test::HiddenBanks;
using test::Tile64;

// What the cells show, worked out from the page alone: index -> palette row
// and slot, slot 0 clear, the entry's channels >> 3.
std::vector<Tile64> shownCells(const PicturePage& page) {
  std::vector<Tile64> shown;
  const int perRow = page.page.imageWidth / 8;
  for (const PictureCell& cell : page.cells) {
    Tile64 tile{};
    for (int i = 0; i < 64; ++i) {
      const int x = (cell.tile % perRow) * 8 + i % 8, y = (cell.tile / perRow) * 8 + i / 8;
      const int index = page.page.pixels[std::size_t(y) * page.page.imageWidth + x];
      EXPECT_EQ(index / 16, cell.palette);
      const std::uint8_t* rgb = &page.page.palette[index * 3];
      tile[i] = index % 16 == 0 ? 0 : 0x8000u | (rgb[2] >> 3) << 10 | (rgb[1] >> 3) << 5 | rgb[0] >> 3;
    }
    shown.push_back(test::flipped(tile, (cell.flags & kCellHFlip ? 1 : 0) | (cell.flags & kCellVFlip ? 2 : 0)));
  }
  return shown;
}

struct RoundTripCase {
  HiddenBanks banks;
  bool firstFitFails;
};

TEST(PictureReductionTest, HiddenBankPicturesComeBackPixelForPixel) {
  const RoundTripCase cases[] = {
      {{1, 16, 300, 6, 12, true, 0, 0}, true},
      {{2, 16, 500, 2, 7, true, 0, 0}, true},
      {{3, 16, 600, 3, 10, true, 10, 20}, true},
      {{4, 16, 1000, 5, 13, false, 5, 10}, true},
      {{5, 12, 1000, 4, 12, true, 0, 0}, false},
      {{6, 3, 40, 2, 5, false, 30, 40}, false},
      {{4, 16, 80, 4, 10, true, 0, 0}, true},
  };
  for (const RoundTripCase& c : cases) {
    SCOPED_TRACE(c.banks.seed);
    const test::HiddenPicture hidden = test::makeHiddenPicture(c.banks);
    if (c.firstFitFails) {
      EXPECT_GT(test::firstFitBanks(hidden.sets), 16);
    }
    PicturePage page;
    std::string message;
    ASSERT_TRUE(reducePicture(hidden.picture, {}, page, message)) << message;
    EXPECT_LE(page.banks, 16);
    EXPECT_LE(page.tiles, hidden.uniqueUnderFlips);
    EXPECT_EQ(shownCells(page), hidden.cells);
    PicturePage again;
    ASSERT_TRUE(reducePicture(hidden.picture, {}, again, message));
    EXPECT_EQ(again.page.pixels, page.page.pixels);
    EXPECT_EQ(again.page.palette, page.page.palette);
  }
}

TEST(PictureReductionTest, TilePageKeepsEveryTileInPlace) {
  const test::HiddenPicture hidden = test::makeHiddenPicture({9, 16, 256, 6, 12, true, 10, 30});
  PictureOptions options;
  options.mergeTiles = false;
  PicturePage page;
  std::string message;
  ASSERT_TRUE(reducePicture(hidden.picture, options, page, message)) << message;
  EXPECT_EQ(page.page.imageWidth, hidden.picture.width);
  EXPECT_EQ(page.page.imageHeight, hidden.picture.height);
  EXPECT_EQ(page.tiles, 256);
  for (std::size_t i = 0; i < page.cells.size(); ++i) EXPECT_EQ(page.cells[i].tile, int(i));
  EXPECT_EQ(shownCells(page), hidden.cells);
}

TEST(PictureReductionTest, BackdropIsColourZeroOfEveryBank) {
  test::HiddenPicture hidden = test::makeHiddenPicture({11, 16, 200, 8, 14, true, 0, 0});
  PictureOptions options;
  options.backdrop = PictureColour{0};
  PicturePage page;
  std::string message;
  ASSERT_TRUE(reducePicture(hidden.picture, options, page, message)) << message;
  for (Tile64& tile : hidden.cells) {
    for (auto& p : tile) p = p == 0x8000u ? 0 : p;
  }
  EXPECT_EQ(shownCells(page), hidden.cells);
}

DisplayImage solidTiles(int wide, int high, const std::vector<std::uint32_t>& rgbOfPixel) {
  DisplayImage picture{wide, high, std::vector<std::uint8_t>(std::size_t(wide) * high * 4, 255)};
  for (std::size_t i = 0; i < rgbOfPixel.size(); ++i) {
    for (int ch = 0; ch < 3; ++ch) picture.rgba[i * 4 + ch] = std::uint8_t(rgbOfPixel[i] >> (16 - 8 * ch));
  }
  return picture;
}

TEST(PictureReductionTest, RefusalsNameTheLimitAndTheCells) {
  // 1025 distinct tiles; a tile of 16 colours; a side not a multiple of 8.
  std::vector<std::uint32_t> many(8 * 1025 * 8), crowded(64);
  // Tile t: a corner mark (so no flip of one equals another) and t's bits.
  for (std::size_t i = 0; i < many.size(); ++i) {
    const std::size_t x = i % 8200, y = i / 8200, t = x / 8, px = x % 8;
    const bool bit = (y == 1 || y == 2) && px >= 1 && px <= 6 && ((t >> ((y - 1) * 6 + px - 1)) & 1) != 0;
    many[i] = (px == 0 && y == 0) || bit ? 0xFFFFFF : 0;
  }
  for (std::size_t i = 0; i < 64; ++i) crowded[i] = std::uint32_t(i % 16) << 19;
  struct Case {
    DisplayImage picture;
    const char* text;
  };
  const Case cases[] = {
      {test::seventeenBanks(), "needs 17 palette banks; the GBA has 16"},
      {solidTiles(8200, 8, many), "The picture has 1025 unique tiles; the GBA has 1024. The first tiles beyond "
                                  "that are at cells (1024, 0)."},
      {solidTiles(8, 8, crowded), "1 tile has more than 15 colours; a palette bank holds 15 besides colour 0. "
                                  "The first at cells (0, 0)."},
      {solidTiles(60, 48, {}), "The picture is 60x48 pixels; both sides must be multiples of 8"},
  };
  for (const Case& c : cases) {
    PicturePage page;
    std::string message;
    EXPECT_FALSE(reducePicture(c.picture, {}, page, message));
    EXPECT_NE(message.find(c.text), std::string::npos) << message;
    EXPECT_TRUE(page.cells.empty());
  }
}

}  // namespace
}  // namespace qarto
