// Indexed PNG tile pages, written by libpng's own writer and checked against
// the BMP reader on the same page.
#include <gtest/gtest.h>

#include "image_fixtures.h"
#include "io/collision_set_file.h"
#include "io/images/tile_page_reader.h"
#include "model/allocation.h"
#include "model/tileset/tileset.h"
#include "png_files.h"
#include "support/page_files.h"

namespace qarto {
namespace {

using test::Bytes;
using test::PngLayout;

struct Page {
  bool ok = false;
  std::string message;
  Tileset tileset;
  DisplayImage display;
};

Page readPage(const std::string& path) {
  Page page;
  page.tileset.sourcePath = path;
  page.ok = readTilePage(page.tileset, page.display, page.message);
  return page;
}

// Every index a depth allows, across tiles of 24 x 16 pixels.
IndexedImage pageOf(int width, int height, int colours) {
  return test::makePage(
      width, height, [colours](int x, int y) { return static_cast<std::uint8_t>((x * 3 + y * 5 + x / 8) % colours); },
      [colours](std::size_t i) { return i < static_cast<std::size_t>(colours) * 3 ? test::rampPalette(i) : 0; });
}

TEST(PngTilePage, ReadsWhatTheBmpReaderReadsAtEveryDepth) {
  test::TempFolder folder;
  for (const int depth : {1, 2, 4, 8}) {
    for (const bool interlaced : {false, true}) {
      const IndexedImage image = pageOf(24, 16, 1 << depth);
      test::writeBytes(folder.file("page.png"),
                       test::pngBytes(image, {PNG_COLOR_TYPE_PALETTE, depth, interlaced, 1 << depth}));
      test::writePage(folder, "page.bmp", image);
      const Page png = readPage(folder.file("page.png"));
      const Page bmp = readPage(folder.file("page.bmp"));
      ASSERT_TRUE(png.ok && bmp.ok) << depth << ": " << png.message;
      EXPECT_EQ(png.message, "No errors.");
      EXPECT_EQ(std::pair(png.tileset.imageWidth, png.tileset.imageHeight), std::pair(24, 16));
      EXPECT_EQ(png.tileset.tileCount, bmp.tileset.tileCount);
      EXPECT_EQ(png.tileset.pixels, bmp.tileset.pixels) << depth << " interlaced " << interlaced;
      EXPECT_EQ(png.tileset.palette, bmp.tileset.palette) << depth;
      EXPECT_EQ(png.display.rgba, bmp.display.rgba) << depth;
    }
  }
}

TEST(PngTilePage, RefusesPagesThatAreNotIndexedOrWholeAndKeepsTheTileset) {
  test::TempFolder folder;
  const std::string path = folder.file("page.png");
  const IndexedImage image = pageOf(64, 64, 16);
  const Bytes good = test::pngBytes(image, {});
  Bytes badCrc = good;
  badCrc[29] ^= 1;  // the IHDR checksum
  const std::string asIndexed =
      " .png file.\n\nOnly indexed .png files are supported.  Save the image with indexed (palette) colour, at most "
      "256 colours, and load it again.";
  const std::string notValid = "The file <" + path + "> is not a valid .png file!";
  const struct {
    Bytes bytes;
    std::string message;
    std::size_t limit = kDefaultAllocationLimit;
  } cases[] = {
      {test::pngBytes(image, {PNG_COLOR_TYPE_RGB}), "File <" + path + "> is a truecolour" + asIndexed},
      {test::pngBytes(image, {PNG_COLOR_TYPE_RGB_ALPHA}), "File <" + path + "> is a truecolour" + asIndexed},
      {test::pngBytes(image, {PNG_COLOR_TYPE_GRAY}), "File <" + path + "> is a greyscale" + asIndexed},
      {test::pngBytes(image, {PNG_COLOR_TYPE_GA}), "File <" + path + "> is a greyscale" + asIndexed},
      {test::pngBytes(pageOf(60, 48, 16), {}),
       "All tilesets must be a multiples of 8, such as 64x48 or 128x128.  File <" + path +
           "> has dimensions of 60x48.\n"},
      {Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2)), notValid},
      {badCrc, notValid},
      {test::simpleBmp8(16, 8), notValid},
      {{}, "File <" + path + "> is empty!"},
      {good, "Memory allocation failed trying to load <" + path + ">!", 4000},  // the file fits, its pixels not
  };
  for (const auto& c : cases) {
    test::writeBytes(path, c.bytes);
    Tileset tileset;
    tileset.sourcePath = path;
    tileset.pixels.assign(64, 3);
    DisplayImage display;
    std::string message;
    ScopedAllocationLimit limit(c.limit);
    EXPECT_FALSE(readTilePage(tileset, display, message)) << c.message;
    EXPECT_EQ(message, c.message);
    EXPECT_TRUE(tileset.pixels == Bytes(64, 3) && display.rgba.empty()) << c.message;
  }

  test::writeBytes(folder.file("PAGE.PNG"), good);
  EXPECT_EQ(readPage(folder.file("PAGE.PNG")).message, "Unknown file type.");
  // Export .CLL names the set after the page, also for a PNG page.
  EXPECT_EQ(collisionSetPathFor(folder.file("Level1.png")), folder.file("level1.cll"));
}

}  // namespace
}  // namespace qarto
