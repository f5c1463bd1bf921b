#include "io/images/tile_page_reader.h"

#include <gtest/gtest.h>

#include "image_fixtures.h"
#include "io/collision_set_file.h"
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
  for (const char* name : {"page.bmp", "PAGE.BMP", "page.Bmp", "page.txt", "page.pcx", "page.PCX", "noext"}) {
    test::writeBytes(folder.file(name), std::string(name).find("pcx") != std::string::npos ? pcx : bmp);
  }
  std::filesystem::create_directory(folder.file("art.v2"));
  std::filesystem::create_directory(folder.file("folder.bmp"));
  test::writeBytes(folder.file("art.v2/page"), bmp);
  test::writeBytes(folder.file("empty.bmp"), {});
  const std::pair<std::string, std::string> cases[] = {
      {"page.bmp", "No errors."},
      {"page.pcx", "No errors."},
      {"PAGE.BMP", "Unknown file type."},
      {"page.txt", "Unknown file type."},
      {"noext", "I'd like a file extension, please."},
      {"art.v2/page", "I'd like a file extension, please."},
      {"missing.bmp", "File <" + folder.file("missing.bmp") + "> not found!"},
      {"folder.bmp", "File <" + folder.file("folder.bmp") + "> not found!"},
      {"empty.bmp", "File <" + folder.file("empty.bmp") + "> is empty!"},
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

}  // namespace
}  // namespace qarto
