#include "io/images/tile_page_reader.h"

#include <gtest/gtest.h>

#include "image_fixtures.h"
#include "io/collision_set_file.h"
#include "io/files/path_utils.h"
#include "io/images/display_image.h"
#include "model/allocation.h"
#include "model/tileset/tileset.h"
#include "support/page_files.h"

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

TEST(TilePageReader, ChoosesTheReaderByExactExtensionAndReportsUnreadableFiles) {
  test::TempFolder folder;
  const Bytes bmp = test::simpleBmp8(16, 8);
  Bytes encoded;
  test::appendRun(encoded, 16 * 8, 2);
  const Bytes pcx = test::pcxBytes(0, 0, 15, 7, encoded);
  for (const char* name : {"page.bmp", "PAGE.BMP", "page.Bmp", "page.txt", "page.pcx", "page.PCX", "noext", "page."}) {
    test::writeBytes(folder.file(name), std::string(name).find("pcx") != std::string::npos ? pcx : bmp);
  }
  std::filesystem::create_directory(folder.file("art.v2"));
  std::filesystem::create_directory(folder.file("folder.bmp"));
  test::writeBytes(folder.file("art.v2/page"), bmp);
  test::writeBytes(folder.file("empty.bmp"), {});
  test::writeBytes(folder.file("empty.pcx"), {});
  const std::pair<std::string, std::string> cases[] = {
      {"page.bmp", "No errors."},
      {"page.pcx", "No errors."},
      {"PAGE.BMP", "Unknown file type."},
      {"page.txt", "Unknown file type."},
      {"page.", "Unknown file type."},
      {"noext", "I'd like a file extension, please."},
      {"art.v2/page", "I'd like a file extension, please."},
      {"missing.bmp", "File <" + folder.file("missing.bmp") + "> not found!"},
      {"missing.pcx", "File <" + folder.file("missing.pcx") + "> not found!"},
      {"folder.bmp", "File <" + folder.file("folder.bmp") + "> not found!"},
      {"empty.bmp", "File <" + folder.file("empty.bmp") + "> is empty!"},
      {"empty.pcx", "File <" + folder.file("empty.pcx") + "> is empty!"},
  };
  for (const auto& [name, message] : cases) {
    const ReadResult result = readPage(folder.file(name));
    EXPECT_EQ(result.message, message) << name;
    EXPECT_EQ(result.ok, message == "No errors.") << name;
    EXPECT_EQ(result.tileset.tileCount, result.ok ? 2 : 0) << name;
    EXPECT_EQ(result.display.rgba.size(), result.ok ? 16u * 8 * 4 : 0u) << name;
  }

  // Room for neither the file nor the display image.
  ScopedAllocationLimit limit(64);
  EXPECT_EQ(readPage(folder.file("page.bmp")).message,
            "Memory allocation faile while trying to load the file <" + folder.file("page.bmp") + ">!");
}

TEST(TilePageReader, DisplayImageFailureIsReportedAndLeavesTheTilesetAsItWas) {
  test::TempFolder folder;
  test::writeBytes(folder.file("page.bmp"), test::simpleBmp8(64, 64));
  test::writeBytes(folder.file("odd.bmp"), test::simpleBmp8(60, 48));
  Tileset tileset;
  tileset.pixels.assign(64, 3);
  tileset.hasCollisionSet = true;
  DisplayImage display;
  std::string message;
  for (const char* name : {"odd.bmp", "page.bmp"}) {
    tileset.sourcePath = folder.file(name);
    ScopedAllocationLimit limit(8000);  // room for the file and the pixels, not for four bytes per pixel
    EXPECT_FALSE(readTilePage(tileset, display, message));
    EXPECT_TRUE(tileset.pixels == Bytes(64, 3) && tileset.hasCollisionSet && display.rgba.empty()) << name;
  }
  EXPECT_EQ(message, "Memory allocation failure trying to load file <" + folder.file("page.bmp") + ">.");
}

TEST(TilePageReader, AttachesOnlyAMatchingCollisionSet) {
  test::TempFolder folder;
  const std::string page = folder.file("page.bmp");
  test::writeBytes(page, test::simpleBmp8(16, 8));  // 2 x 1 tiles
  const std::pair<Bytes, bool> cases[] = {
      {{2, 0, 0, 0, 1, 0, 0, 0, 4, 9}, true},
      {{2, 0, 0, 0, 1, 0, 0, 0, 4, 9, 0xEE}, true},   // spare bytes
      {{1, 0, 0, 0, 2, 0, 0, 0, 4, 9}, false},        // width differs
      {{2, 0, 0, 0, 2, 0, 0, 0, 4, 9, 1, 1}, false},  // height differs
      {{2, 0, 0, 0, 1, 0, 0, 0, 4}, false},           // table short
      {{2, 0, 0, 0, 1}, false},
      {{}, false},  // no file
  };
  for (const auto& [cll, attached] : cases) {
    std::filesystem::remove(folder.file("page.cll"));
    if (!cll.empty()) test::writeBytes(folder.file("page.cll"), cll);
    ReadResult result;
    // A table left from an earlier image never survives a new read.
    result.tileset.hasCollisionSet = true;
    result.tileset.collisionSet = {1, 1, 1};
    result.tileset.sourcePath = page;
    ASSERT_TRUE(readTilePage(result.tileset, result.display, result.message)) << result.message;
    EXPECT_EQ(result.tileset.hasCollisionSet, attached) << cll.size();
    EXPECT_EQ(result.tileset.collisionSet, attached ? (Bytes{4, 9}) : Bytes{}) << cll.size();
  }

  // Export .CLL lower-cases the page's name; the set it wrote is found, but
  // a set under the page's own name comes first.
  const std::string upper = folder.file("Level1.bmp");
  test::writeBytes(upper, test::simpleBmp8(16, 8));
  EXPECT_EQ(collisionSetPathFor(upper), folder.file("level1.cll"));
  test::writeBytes(folder.file("level1.cll"), {2, 0, 0, 0, 1, 0, 0, 0, 7, 3});
  EXPECT_EQ(readPage(upper).tileset.collisionSet, (Bytes{7, 3}));
  test::writeBytes(folder.file("Level1.cll"), {2, 0, 0, 0, 1, 0, 0, 0, 5, 5});
  EXPECT_EQ(readPage(upper).tileset.collisionSet, (Bytes{5, 5}));
}

TEST(PathUtils, SplitsFolderBaseNameAndExtensionAndReplacesTheExtension) {
  const struct {
    const char* path;
    const char* folder;
    const char* baseName;
    std::optional<std::string> extension;
    const char* withCll;
  } cases[] = {
      {"C:\\games\\gfx\\page.bmp", "C:/games/gfx", "page", "bmp", "C:\\games\\gfx\\page.cll"},
      {"mixed\\dir/sub\\tiles.pcx", "mixed/dir/sub", "tiles", "pcx", "mixed\\dir/sub\\tiles.cll"},
      {"archive.tar.gz", "", "archive.tar", "gz", "archive.tar.cll"},
      {"art.v2/tiles", "art.v2", "tiles", std::nullopt, "art.v2/tiles.cll"},
      {"art.v2\\tiles.PCX", "art.v2", "tiles", "PCX", "art.v2\\tiles.cll"},
      {"/abs/path/", "/abs/path", "", std::nullopt, "/abs/path/.cll"},
      {"trailing.", "", "trailing", "", "trailing.cll"},
      {"", "", "", std::nullopt, ".cll"},
  };
  for (const auto& c : cases) {
    const PathParts parts = splitPath(c.path);
    EXPECT_EQ(parts.folder, c.folder) << c.path;
    EXPECT_EQ(parts.baseName, c.baseName) << c.path;
    EXPECT_EQ(fileTitle(c.path), c.baseName) << c.path;
    EXPECT_EQ(fileExtension(c.path), c.extension) << c.path;
    EXPECT_EQ(replaceExtension(c.path, "cll"), c.withCll) << c.path;
  }
}

using test::Bytes;

TEST(CollisionSetFile, EncodesExactBytesReadsThemBackAndRefusesShortTables) {
  CollisionSetFile set{3, 2, {1, 2, 3, 4, 5, 6}};
  const Bytes bytes = encodeCollisionSet(set);
  EXPECT_EQ(bytes, (Bytes{3, 0, 0, 0, 2, 0, 0, 0, 1, 2, 3, 4, 5, 6}));
  set.tiles = {7};  // fewer entries than its size: the rest are tile 0
  EXPECT_EQ(encodeCollisionSet(set), (Bytes{3, 0, 0, 0, 2, 0, 0, 0, 7, 0, 0, 0, 0, 0}));

  test::TempFolder folder;
  Bytes longer = bytes;
  longer.push_back(99);  // bytes after the table are ignored
  test::writeBytes(folder.file("page.cll"), longer);
  CollisionSetFile back;
  ASSERT_TRUE(readCollisionSet(folder.file("page.cll"), back));
  EXPECT_EQ(std::tuple(back.width, back.height, back.tiles), std::tuple(3u, 2u, Bytes{1, 2, 3, 4, 5, 6}));
  EXPECT_FALSE(readCollisionSet(folder.file("missing.cll"), back));

  for (std::size_t length = 0; length < bytes.size(); ++length) {
    EXPECT_FALSE(decodeCollisionSet(length == 0 ? nullptr : bytes.data(), length, back)) << length;
    EXPECT_EQ(back.width, 3u) << length;  // left as it was
  }
  ScopedAllocationLimit limit(1 << 16);
  const Bytes huge = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3};
  EXPECT_FALSE(decodeCollisionSet(huge.data(), huge.size(), back));
}

}  // namespace
}  // namespace qarto
