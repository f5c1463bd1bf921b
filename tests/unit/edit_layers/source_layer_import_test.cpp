// Import Layer from .h/.c/.cpp on arrays written as grit writes them, and
// every refusal with the project left as it was.
#include "edit/layers/source/source_layer_import.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "layers_fixture.h"

namespace qarto::test {
namespace {

// An array in grit's C style: upper-case hex, one aligned definition.
std::string gritArray(const std::string& type, const std::string& name, std::size_t count,
                      const std::function<std::uint32_t(std::size_t)>& value) {
  std::string text = "const " + type + " " + name + "[" + std::to_string(count) + "] __attribute__((aligned(4)))=\n{";
  char number[16];
  for (std::size_t i = 0; i < count; ++i) {
    std::snprintf(number, sizeof number, type == "unsigned int" ? "0x%08X" : "0x%04X", value(i));
    text += std::string(i % 8 == 0 ? "\n\t" : "") + number + (i + 1 < count ? "," : "");
  }
  return text + "\n};\n\n";
}

std::uint32_t nibble(std::size_t tile, int x, int y) { return static_cast<std::uint32_t>(tile + x + 2 * y) % 16; }
// Tile t's 8 words: row y with pixel x in bits 4x.
std::uint32_t tileWord(std::size_t i) {
  std::uint32_t word = 0;
  for (int x = 0; x < 8; ++x) word |= nibble(i / 8, x, static_cast<int>(i % 8)) << (4 * x);
  return word;
}
// 32 x 20 cells: tile (x + y) % 3, flips by column and row, palette row 1 from column 8 on.
std::uint32_t entry(std::size_t i) {
  const std::size_t x = i % 32, y = i / 32;
  return static_cast<std::uint32_t>((x + y) % 3 | (x % 2) << 10 | (y % 3 == 0) << 11 | (x >= 8) << 12);
}

struct SourceImport : LayersFixture {
  TempFolder folder;
  std::string source = folder.file("foo.c");
  SourceImport() {
    layer("Level", 30, 20, LayerKind::Primary);
    project().filePath = folder.file("level.qrm");
    write(gritArray("unsigned int", "fooTiles", 24, tileWord) + gritArray("unsigned short", "fooMap", 640, entry) +
          gritArray("unsigned short", "fooPal", 256, [](std::size_t i) { return i < 16 ? 0x001Fu : 0x7C00u; }));
  }
  void write(const std::string& text) { std::ofstream(source) << "//{{BLOCK(foo)\n\n" << text << "//}}BLOCK(foo)\n"; }
  SourceLayerImport import(int width = 32) {
    return importSourceLayer(session, {{source, "fooPal"}, {source, "fooTiles"}, {source, "fooMap"}, width});
  }
};

TEST(SourceLayerImport, GritArraysBecomeAPageAndALayerThatUndoTakesAway) {
  SourceImport f;
  const SourceLayerImport imported = f.import();
  ASSERT_NE(imported.layer, nullptr);
  const MapLayer& layer = *imported.layer;
  EXPECT_EQ(std::tuple(layer.nameText(), layer.kind, layer.width, layer.height, layer.parallaxX, f.order()),
            std::tuple("fooMap", LayerKind::Secondary, 32, 20, 1.0f, "fooMap Level"));
  EXPECT_EQ(imported.pagePath, f.folder.file("fooTiles.bmp"));
  const Tileset& page = *imported.page;
  EXPECT_EQ(std::tuple(page.imageWidth, page.imageHeight, page.id, page.displayName), std::tuple(48, 8, 2, "fooTiles"));
  EXPECT_EQ(std::vector<int>(page.palette.begin() + 45, page.palette.begin() + 51),
            (std::vector<int>{255, 0, 0, 0, 0, 255}));
  // Tiles keep their numbers in the row the map first shows them in; tile 2 in row 1 is copy 3.
  const std::vector<int> tiles = tilesOf(layer);
  EXPECT_EQ(std::vector<int>(tiles.begin(), tiles.begin() + 10), (std::vector<int>{0, 1, 2, 0, 1, 2, 0, 1, 3, 4}));
  for (int i = 0; i < 640; ++i) {
    const MapCell& cell = layer.cells[static_cast<std::size_t>(i)];
    const std::uint32_t e = entry(static_cast<std::size_t>(i));
    TilePixels pixels;
    ASSERT_TRUE(readTile(page, cell.tile, false, false, pixels));
    EXPECT_EQ(std::tuple(cell.tileset, cell.palette, cell.flags, pixels[9]),
              std::tuple(2, e >> 12, (e >> 10) & 3, (e >> 12) * 16 + nibble(e & 1023, 1, 1)))
        << i;
  }
  EXPECT_EQ(std::tuple(f.journal().size(), f.project().modified), std::tuple(1u, true));

  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(f.order(), "Level");
  ASSERT_TRUE(f.journal().redo(f.project()));
  // The same arrays again: the page is used again, not written or loaded twice.
  const SourceLayerImport again = f.import();
  ASSERT_NE(again.layer, nullptr);
  EXPECT_EQ(std::tuple(again.page, again.pageReused, f.registry().size(), f.order()),
            std::tuple(imported.page, true, 2u, "fooMap fooMap Level"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.folder.path()), {}), 2);
}

TEST(SourceLayerImport, RefusalsSayWhyAndChangeNothing) {
  const std::string tiles3 = gritArray("unsigned int", "fooTiles", 24, tileWord);
  const std::string pal32 = gritArray("unsigned short", "fooPal", 32, [](std::size_t) { return 0x7FFFu; });
  auto map = [](std::uint32_t first) {
    return gritArray("unsigned short", "fooMap", 640, [first](std::size_t i) { return i == 0 ? first : 0u; });
  };
  const struct {
    std::string text, message;
    int width = 32;
  } cases[] = {
      {tiles3 + map(0) + "const u16 fooPal[2] = {1, x};", "File <%s>, line 94: expected a number, found \"x\"."},
      {gritArray("unsigned int", "fooTiles", 1025 * 8, tileWord) + map(0) + pal32,
       "The tile array \"fooTiles\" holds 1025 tiles; a GBA background uses at most 1024."},
      {tiles3 + map(3) + pal32,
       "Screen entry 0 of \"fooMap\" (cell 0, 0) names tile 3, but the tile array \"fooTiles\" "
       "holds 3 tiles."},
      {tiles3 + map(0x2000) + pal32,
       "Screen entry 0 of \"fooMap\" (cell 0, 0) uses palette row 2, but the palette array "
       "\"fooPal\" holds 32 colours, enough for rows 0 to 1."},
      {"const u8 fooTiles[33] = {0};" + map(0) + pal32,
       "The tile array \"fooTiles\" holds 33 bytes, not a whole number "
       "of 4bpp tiles of 32 bytes."},
      {tiles3 + "const u16 fooMap[] = {};" + pal32, "The map array \"fooMap\" holds no screen entries."},
      {tiles3 + map(0) + pal32, "The map width must be at least 1.", 0},
      {tiles3 + map(0) + pal32, "The 640 screen entries of \"fooMap\" do not make whole rows of 33.", 33},
      {tiles3 + map(0) + pal32,
       "The layer would be 64 x 10 tiles.  Map sizes must be no smaller than (30,20) tiles and "
       "no larger than (1024,1024) tiles.",
       64},
  };
  for (const auto& c : cases) {
    SourceImport f;
    f.write(c.text);
    EXPECT_EQ(f.import(c.width).layer, nullptr) << c.message;
    std::string message = c.message;
    if (const std::size_t at = message.find("%s"); at != std::string::npos) message.replace(at, 2, f.source);
    EXPECT_EQ(std::tuple(f.services.lastText(), f.services.lastMessage().caption),
              std::tuple(message, "Qarto v0.99 - Import Layer from .h/.c/.cpp"));
    // No layer, page, undo step or page file.
    EXPECT_EQ(std::tuple(f.order(), f.registry().size(), f.journal().size(), f.project().modified,
                         std::distance(std::filesystem::directory_iterator(f.folder.path()), {})),
              std::tuple("Level", 1u, 0u, false, 1));
  }

  // A page that cannot be written.
  SourceImport f;
  f.project().filePath = f.folder.file("gone/level.qrm");
  EXPECT_EQ(f.import().layer, nullptr);
  EXPECT_EQ(f.services.lastText(),
            "File <" + f.folder.file("gone/fooTiles.bmp") + "> could not be opened for writing.");
  EXPECT_EQ(std::tuple(f.order(), f.registry().size(), f.journal().size()), std::tuple("Level", 1u, 0u));
}

}  // namespace
}  // namespace qarto::test
