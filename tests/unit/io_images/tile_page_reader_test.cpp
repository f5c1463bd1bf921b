#include "io/collision_set_file.h"
#include "io/tile_page_reader.h"

#include <gtest/gtest.h>

#include "image_fixtures.h"
#include "io/display_image.h"
#include "model/allocation.h"
#include "model/tileset.h"

namespace qarto {
namespace {

using test::Bytes;

struct ReadResult {
  bool ok = false;
  std::string message;
  Tileset tileset;
  DisplayImage display;
};

ReadResult readPage(const std::string& path) {
  ReadResult result;
  result.tileset.sourcePath = path;
  result.ok = readTilePage(result.tileset, result.display, result.message);
  return result;
}

TEST(TilePageReader, ChoosesTheReaderByExactExtension) {
  test::TempFolder folder;
  const Bytes bmp = test::simpleBmp8(16, 8);
  Bytes encoded;
  test::appendRun(encoded, 16 * 8, 2);
  const Bytes pcx = test::pcxBytes(0, 0, 15, 7, encoded);
  for (const char* name : {"page.bmp", "PAGE.BMP", "page.Bmp", "page.txt", "page.pcx", "page.PCX", "noext", "page."}) {
    test::writeBytes(folder.file(name), std::string(name).find("pcx") != std::string::npos ? pcx : bmp);
  }
  std::filesystem::create_directory(folder.file("art.v2"));
  test::writeBytes(folder.file("art.v2/page"), bmp);

  struct Case {
    std::string name;
    std::string message;
  };
  const Case cases[] = {
      {"page.bmp", "No errors."},
      {"page.pcx", "No errors."},
      {"PAGE.BMP", "Unknown file type."},
      {"page.Bmp", "Unknown file type."},
      {"page.PCX", "Unknown file type."},
      {"page.txt", "Unknown file type."},
      {"page.", "Unknown file type."},
      {"noext", "I'd like a file extension, please."},
      {"art.v2/page", "I'd like a file extension, please."},
      {"missing.bmp", "File <" + folder.file("missing.bmp") + "> not found!"},
      {"missing.pcx", "File <" + folder.file("missing.pcx") + "> not found!"},
  };
  for (const Case& c : cases) {
    const ReadResult result = readPage(folder.file(c.name));
    EXPECT_EQ(result.ok, c.message == "No errors.") << c.name;
    EXPECT_EQ(result.message, c.message) << c.name;
    if (result.ok) {
      EXPECT_EQ(result.tileset.imageWidth, 16) << c.name;
      EXPECT_EQ(result.tileset.tileCount, 2) << c.name;
      EXPECT_FLOAT_EQ(result.tileset.tilesPerRow, 2.0f) << c.name;
      EXPECT_FLOAT_EQ(result.tileset.texStepS, 0.5f) << c.name;
      EXPECT_EQ(result.display.width, 16) << c.name;
      EXPECT_EQ(result.display.rgba.size(), 16u * 8 * 4) << c.name;
    } else {
      EXPECT_TRUE(result.tileset.pixels.empty()) << c.name;
    }
  }
}

TEST(TilePageReader, AttachesOnlyAMatchingCollisionSet) {
  test::TempFolder folder;
  const std::string page = folder.file("page.bmp");
  test::writeBytes(page, test::simpleBmp8(16, 8));  // 2 x 1 tiles
  struct Case {
    const char* name;
    Bytes cll;  // empty: no file
    bool attached;
  };
  const Case cases[] = {
      {"matching", {2, 0, 0, 0, 1, 0, 0, 0, 4, 9}, true},
      {"matching with spare bytes", {2, 0, 0, 0, 1, 0, 0, 0, 4, 9, 0xEE}, true},
      {"width differs", {1, 0, 0, 0, 2, 0, 0, 0, 4, 9}, false},
      {"height differs", {2, 0, 0, 0, 2, 0, 0, 0, 4, 9, 1, 1}, false},
      {"table short", {2, 0, 0, 0, 1, 0, 0, 0, 4}, false},
      {"header short", {2, 0, 0, 0, 1}, false},
      {"missing", {}, false},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(folder.file("page.cll"));
    if (!c.cll.empty()) test::writeBytes(folder.file("page.cll"), c.cll);
    ReadResult result;
    // A table left from an earlier image never survives a new read.
    result.tileset.hasCollisionSet = true;
    result.tileset.collisionSet = {1, 1, 1};
    result.tileset.sourcePath = page;
    result.ok = readTilePage(result.tileset, result.display, result.message);
    ASSERT_TRUE(result.ok) << c.name << ": " << result.message;
    EXPECT_EQ(result.tileset.hasCollisionSet, c.attached) << c.name;
    EXPECT_EQ(result.tileset.collisionSet, c.attached ? (Bytes{4, 9}) : Bytes{}) << c.name;
  }
}

// Export .CLL lower-cases the page's name; the set it wrote must be found.
TEST(TilePageReader, FindsTheLowerCaseSetThatExportWrites) {
  test::TempFolder folder;
  const std::string page = folder.file("Level1.bmp");
  test::writeBytes(page, test::simpleBmp8(16, 8));
  EXPECT_EQ(collisionSetPathFor(page), folder.file("level1.cll"));
  test::writeBytes(folder.file("level1.cll"), {2, 0, 0, 0, 1, 0, 0, 0, 7, 3});
  ReadResult result;
  result.tileset.sourcePath = page;
  ASSERT_TRUE(readTilePage(result.tileset, result.display, result.message)) << result.message;
  EXPECT_EQ(result.tileset.collisionSet, (Bytes{7, 3}));

  // A set under the page's own name comes first.
  test::writeBytes(folder.file("Level1.cll"), {2, 0, 0, 0, 1, 0, 0, 0, 5, 5});
  ASSERT_TRUE(readTilePage(result.tileset, result.display, result.message)) << result.message;
  EXPECT_EQ(result.tileset.collisionSet, (Bytes{5, 5}));
}

TEST(TilePageReader, RefusalLeavesTheTilesetAsItWas) {
  test::TempFolder folder;
  test::writeBytes(folder.file("page.bmp"), test::simpleBmp8(60, 48));
  Tileset tileset;
  tileset.sourcePath = folder.file("page.bmp");
  tileset.imageWidth = 8;
  tileset.imageHeight = 8;
  tileset.pixels.assign(64, 3);
  tileset.hasCollisionSet = true;
  tileset.collisionSet = {5};
  DisplayImage display;
  std::string message;
  EXPECT_FALSE(readTilePage(tileset, display, message));
  EXPECT_EQ(message, "All tilesets must be a multiples of 8, such as 64x48 or 128x128.  File <" +
                         folder.file("page.bmp") + "> has dimensions of 60x48.\n");
  EXPECT_EQ(tileset.imageWidth, 8);
  EXPECT_EQ(tileset.pixels, Bytes(64, 3));
  EXPECT_TRUE(tileset.hasCollisionSet);
  EXPECT_TRUE(display.rgba.empty());
}

TEST(TilePageReader, DisplayImageFailureIsReported) {
  test::TempFolder folder;
  test::writeBytes(folder.file("page.bmp"), test::simpleBmp8(64, 64));
  // Room for the file (5174 bytes) and the pixels, not for four bytes per pixel.
  ScopedAllocationLimit limit(8000);
  const ReadResult result = readPage(folder.file("page.bmp"));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, "Memory allocation failure trying to load file <" + folder.file("page.bmp") + ">.");
}

TEST(DisplayImage, ColourZeroOfEveryRowIsTransparent) {
  IndexedImage image;
  image.imageWidth = 8;
  image.imageHeight = 1;
  image.pixels = {0, 1, 15, 16, 17, 32, 240, 255};
  for (std::size_t i = 0; i < kPaletteBytes; ++i) image.palette[i] = static_cast<std::uint8_t>(i / 3 + i % 3);
  const DisplayImage display = makeDisplayImage(image);
  ASSERT_EQ(display.width, 8);
  ASSERT_EQ(display.height, 1);
  ASSERT_EQ(display.rgba.size(), 32u);
  const std::uint8_t alphas[] = {0, 255, 255, 0, 255, 0, 0, 255};
  for (std::size_t p = 0; p < 8; ++p) {
    const std::uint8_t index = image.pixels[p];
    EXPECT_EQ(display.rgba[p * 4 + 0], static_cast<std::uint8_t>(index)) << "index " << int(index);
    EXPECT_EQ(display.rgba[p * 4 + 1], static_cast<std::uint8_t>(index + 1)) << "index " << int(index);
    EXPECT_EQ(display.rgba[p * 4 + 2], static_cast<std::uint8_t>(index + 2)) << "index " << int(index);
    EXPECT_EQ(display.rgba[p * 4 + 3], alphas[p]) << "index " << int(index);
  }

  image.pixels.pop_back();  // fewer pixels than the size says
  EXPECT_TRUE(makeDisplayImage(image).rgba.empty());
}

}  // namespace
}  // namespace qarto
