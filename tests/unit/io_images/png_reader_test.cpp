// Indexed PNG tile pages, written by libpng's own writer and checked against
// the BMP reader on the same page.
#include <gtest/gtest.h>
#include <png.h>

#include "image_fixtures.h"
#include "io/collision_set_file.h"
#include "io/images/tile_page_reader.h"
#include "model/allocation.h"
#include "model/tileset/tileset.h"
#include "support/page_files.h"

namespace qarto {
namespace {

using test::Bytes;

void appendTo(png_structp png, png_bytep data, png_size_t length) {
  Bytes* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

// Indexed: the indices packed to `depth` bits and 2^depth colours; other
// colour types: each index in every channel.
Bytes pngBytes(const IndexedImage& image, int colourType, int depth = 8, bool interlaced = false) {
  const int channels = colourType == PNG_COLOR_TYPE_PALETTE ? 1
                                                            : 1 + (colourType & PNG_COLOR_MASK_COLOR ? 2 : 0) +
                                                                  (colourType & PNG_COLOR_MASK_ALPHA ? 1 : 0);
  Bytes pixels, out;
  for (const std::uint8_t index : image.pixels) pixels.insert(pixels.end(), static_cast<std::size_t>(channels), index);
  std::vector<png_bytep> rows;
  for (int y = 0; y < image.imageHeight; ++y) rows.push_back(pixels.data() + y * image.imageWidth * channels);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, appendTo, nullptr);
  png_set_IHDR(png, info, image.imageWidth, image.imageHeight, depth, colourType,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, 0, 0);
  if (colourType == PNG_COLOR_TYPE_PALETTE) {
    png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(image.palette.data()), 1 << depth);
  }
  png_write_info(png, info);
  png_set_packing(png);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// Every index a depth allows, across tiles; only those colours in the palette.
IndexedImage pageOf(int width, int height, int colours) {
  return test::makePage(
      width, height, [colours](int x, int y) { return static_cast<std::uint8_t>((x * 3 + y * 5 + x / 8) % colours); },
      [colours](std::size_t i) { return i < std::size_t(colours) * 3 ? test::rampPalette(i) : 0; });
}

struct Read {
  bool ok;
  std::string message;
  Tileset tileset;
  DisplayImage display;
};

Read readPage(const std::string& path) {
  Read read{false, "", {}, {}};
  read.tileset.sourcePath = path;
  read.tileset.pixels.assign(64, 3);  // a failure leaves these alone
  read.ok = readTilePage(read.tileset, read.display, read.message);
  return read;
}

TEST(PngTilePage, ReadsWhatTheBmpReaderReadsAtEveryDepth) {
  test::TempFolder folder;
  for (const int depth : {1, 2, 4, 8}) {
    for (const bool interlaced : {false, true}) {
      const IndexedImage image = pageOf(24, 16, 1 << depth);
      test::writeBytes(folder.file("page.png"), pngBytes(image, PNG_COLOR_TYPE_PALETTE, depth, interlaced));
      test::writePage(folder, "page.bmp", image);
      const Read png = readPage(folder.file("page.png"));
      const Read bmp = readPage(folder.file("page.bmp"));
      ASSERT_EQ(png.message, "No errors.") << depth;
      EXPECT_EQ(std::tuple(png.tileset.imageWidth, png.tileset.imageHeight, png.tileset.tileCount),
                std::tuple(24, 16, 6));
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
  const Bytes good = pngBytes(image, PNG_COLOR_TYPE_PALETTE, 4);
  Bytes badCrc = good;
  badCrc[29] ^= 1;  // the IHDR checksum
  const std::string indexed =
      " .png file.\n\nOnly indexed .png files are supported.  Save the image with indexed "
      "(palette) colour, at most 256 colours, and load it again.";
  const std::string notValid = "The file <" + path + "> is not a valid .png file!";
  const struct {
    Bytes bytes;
    std::string message;
    std::size_t limit = kDefaultAllocationLimit;
  } cases[] = {
      {pngBytes(image, PNG_COLOR_TYPE_RGB), "File <" + path + "> is a truecolour" + indexed},
      {pngBytes(image, PNG_COLOR_TYPE_GRAY), "File <" + path + "> is a greyscale" + indexed},
      {pngBytes(pageOf(60, 48, 16), PNG_COLOR_TYPE_PALETTE, 4),
       "All tilesets must be a multiples of 8, such as 64x48 or 128x128.  File <" + path +
           "> has dimensions of 60x48.\n"},
      {badCrc, notValid},
      {test::simpleBmp8(16, 8), notValid},
      {{}, "File <" + path + "> is empty!"},
      {good, "Memory allocation failed trying to load <" + path + ">!", 3000},  // the file fits, its pixels not
  };
  for (const auto& c : cases) {
    test::writeBytes(path, c.bytes);
    ScopedAllocationLimit limit(c.limit);
    const Read read = readPage(path);
    EXPECT_EQ(read.message, c.message);
    EXPECT_TRUE(!read.ok && read.tileset.pixels == Bytes(64, 3) && read.display.rgba.empty()) << c.message;
  }
  test::writeBytes(folder.file("PAGE.PNG"), good);
  EXPECT_EQ(readPage(folder.file("PAGE.PNG")).message, "Unknown file type.");
  EXPECT_EQ(collisionSetPathFor(folder.file("Level1.png")), folder.file("level1.cll"));
}

}  // namespace
}  // namespace qarto
