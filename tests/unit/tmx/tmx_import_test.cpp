// What a Tiled map becomes, and every refusal with its message and nothing
// changed.
#include <fstream>

#include "io/images/png_indexed_writer.h"
#include "io/images/png_writer.h"
#include "io/tmx/tmx_reader.h"
#include "tmx_fixtures.h"

namespace qarto::test {
namespace {

// A map of `width` x 1 cells over one 2-tile page p.png; line 3 holds the
// tile set, the body starts on line 4.
std::string mapText(const std::string& body,
                    const std::string& attributes = "orientation=\"orthogonal\" tilewidth=\"8\"") {
  return "<?xml version=\"1.0\"?>\n<map " + attributes + " width=\"2\" height=\"1\" tileheight=\"8\">\n"
         "<tileset firstgid=\"1\" name=\"p\" tilewidth=\"8\" tileheight=\"8\"><image source=\"p.png\"/></tileset>\n" +
         body + "</map>\n";
}

std::string csvLayer(const std::string& cells, const std::string& extra = "") {
  return "<layer name=\"a\" width=\"2\" height=\"1\"" + extra + "><data encoding=\"csv\">" + cells + "</data></layer>\n";
}

struct TmxFiles {
  TempFolder folder;
  TmxFiles() {
    std::string message;
    writeIndexedPng(folder.file("p.png"), makePage(16, 8, [](int x, int) { return x < 8 ? 0 : 0x31; }), message);
  }
  std::string write(const std::string& text) const {
    std::ofstream(folder.file("m.tmx")) << text;
    return folder.file("m.tmx");
  }
};

struct Refused {
  const char* what;
  std::string text;
  std::string message;  // after "PATH, line "
};

TEST(TmxImport, RefusalsNameTheFileTheLineAndWhatWasExpected) {
  TmxFiles files;
  const std::string folder = files.folder.path();
  const Refused cases[] = {
      {"damaged XML", mapText("<layer name=\"a\">\n"), "5: the XML is damaged (Start-end tags mismatch)"},
      {"not a map", "<tileset/>", "1: expected a Tiled map (a <map> element), found <tileset>"},
      {"isometric", mapText(csvLayer("1,2"), "orientation=\"isometric\" tilewidth=\"8\""),
       "2: the map is isometric; Qarto takes orthogonal maps only"},
      {"infinite", mapText("", "orientation=\"orthogonal\" tilewidth=\"8\" infinite=\"1\""),
       "2: the map is infinite; Qarto takes maps of a fixed size only"},
      {"tile size", mapText(csvLayer("1,2"), "orientation=\"orthogonal\" tilewidth=\"16\""),
       "2: the map's tiles are 16x8 pixels; the GBA's tiles are 8x8"},
      {"rotated tile", mapText(csvLayer("1,536870913")),
       "4: layer \"a\", cell (1, 0) is flipped diagonally (a rotated tile); the GBA cannot show it"},
      {"compression", mapText("<layer name=\"a\" width=\"2\" height=\"1\"><data encoding=\"base64\" compression=\"lzma\">"
                              "AAAA</data></layer>\n"),
       "4: the compression \"lzma\" is not supported (expected zlib, gzip or zstd)"},
      {"encoding", mapText("<layer name=\"a\" width=\"2\" height=\"1\"><data encoding=\"hex\"/></layer>\n"),
       "4: the encoding \"hex\" is not supported (expected csv or base64)"},
      {"cell count", mapText(csvLayer("1")), "4: layer \"a\": expected 2 cells, found 1"},
      {"bad number", mapText(csvLayer("1,2", " opacity=\"half\"")),
       "4: expected a number in the attribute \"opacity\" of <layer>, found \"half\""},
      {"missing tsx", mapText("<tileset firstgid=\"3\" source=\"gone.tsx\"/>\n" + csvLayer("1,2")),
       "4: the tile set file " + folder + "/gone.tsx cannot be read"},
      {"beyond picture", mapText(csvLayer("1,5")),
       "4: layer \"a\", cell (1, 0) shows tile 4 of the tile set \"p\", whose picture has 2 tiles"},
      {"no tile layer", mapText("<layer name=\"a\" width=\"2\" height=\"1\"><properties><property name=\"qarto.kind\" "
                                         "value=\"collision\"/></properties><data encoding=\"csv\">1,2</data></layer>\n"),
       "2: the map has no tile layer besides a collision layer"},
  };
  for (const Refused& refused : cases) {
    SCOPED_TRACE(refused.what);
    const std::string path = files.write(refused.text);
    TmxSession f;
    f.addLayer(LayerKind::Primary, "Kept", 30, 20);
    f.project().modified = false;
    EXPECT_FALSE(importTiledMap(f.session, EntityCatalogue(), path));
    EXPECT_EQ(f.services.messages,
              std::vector{shown(path + ", line " + refused.message, MessageIcon::Warning, " - Import Tiled Map")});
    ASSERT_EQ(f.project().layerCount(), 1);
    EXPECT_EQ(f.project().layerAt(0)->nameText(), "Kept");
    EXPECT_EQ(f.registry().size(), 1u);  // the collision page only
  }
}

// Layer kinds, names, visibility and parallax; objects as entities, with
// what was left out counted in the summary.
TEST(TmxImport, LayersAndObjectsBecomeQartoLayersAndEntities) {
  TmxFiles files;
  const std::string path = files.write(mapText(
      csvLayer("0,2", " opacity=\"0.4\" parallaxx=\"0.5\" parallaxy=\"0.25\"") +
      "<objectgroup name=\"the foes\">\n"
      " <object id=\"1\" type=\"Hopper\" x=\"10.4\" y=\"20\"><point/></object>\n"
      " <object id=\"2\" class=\"3\" x=\"10\" y=\"20\" width=\"16\" height=\"8\"/>\n"
      " <object id=\"3\" type=\"Nobody\" x=\"1\" y=\"1\"><properties><property name=\"qarto.type\" value=\"5\"/>"
      "<property name=\"qarto.facing\" type=\"int\" value=\"-1\"/></properties><point/></object>\n"
      " <object id=\"4\" type=\"Goblin\" x=\"0\" y=\"0\"><point/></object>\n"
      " <object id=\"5\" x=\"0\" y=\"0\"><polygon points=\"0,0 8,0 8,8\"/></object>\n"
      " <object id=\"6\" x=\"0\" y=\"0\"><text>hi</text></object>\n"
      " <object id=\"7\" gid=\"2\" x=\"0\" y=\"0\"/>\n"
      "</objectgroup>\n"
      "<layer name=\"2 front\" width=\"2\" height=\"1\"><properties><property name=\"qarto.kind\" value=\"primary\"/>"
      "</properties><data><tile gid=\"2147483650\"/><tile/></data></layer>\n"));
  TmxSession f;
  const TmxImport result = importInto(f, path);
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(result.summary, "Imported 3 layers and 1 tile pages from " + path +
                                ".\nPrimary layer: _2_front; 3 entities on the_foes."
                                "\nLayer names made C names: \"the foes\" as the_foes, \"2 front\" as _2_front."
                                "\nLeft out: 1 object(s) of a type the entity catalogue does not know, "
                                "1 polygon(s), 1 text object(s), 1 tile object(s).");
  const MapLayer& back = *f.project().layerAt(0);
  EXPECT_EQ(std::tie(back.kind, back.visible, back.parallaxX, back.parallaxY),
            std::make_tuple(LayerKind::Secondary, false, 0.5f, 0.25f));
  const MapLayer& front = *f.project().layerAt(2);
  EXPECT_EQ(front.kind, LayerKind::Primary);
  EXPECT_EQ(f.project().activeLayer, &front);
  // Tile 1 with a horizontal flip, then an empty cell: the page's first blank tile.
  const int page = f.project().lastTilesetId;
  EXPECT_EQ(front.cells[0], (MapCell{1, static_cast<std::int8_t>(page), 3, 0, kCellHFlip, 0}));
  EXPECT_EQ(front.cells[1], (MapCell{0, static_cast<std::int8_t>(page), 0, 0, 0, 0}));
  const MapLayer& foes = *f.project().layerAt(1);
  EXPECT_EQ(readEntity(foes, 0), (EntityRecord{true, 1, 1, 10, 20}));
  EXPECT_EQ(readEntity(foes, 1), (EntityRecord{true, 3, 1, 18, 28}));
  EXPECT_EQ(readEntity(foes, 2), (EntityRecord{true, 5, -1, 1, 1}));
  EXPECT_FALSE(readEntity(foes, 3)->inUse);
  EXPECT_EQ(std::tie(foes.width, foes.height), std::make_tuple(std::uint16_t{2}, std::uint16_t{1}));
  EXPECT_TRUE(f.project().modified);
  EXPECT_TRUE(f.project().filePath.empty());
}

// Tile set pictures are mostly truecolour: they are converted, each tile
// keeping its place and showing its own colours through its cells' row.
TEST(TmxImport, TruecolourTileSetPicturesAreConvertedTileForTile) {
  TmxFiles files;
  std::vector<std::uint8_t> rgb;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) {
      const std::uint8_t pixel[3] = {static_cast<std::uint8_t>(x < 8 ? 248 : 0), static_cast<std::uint8_t>(y * 8),
                                     static_cast<std::uint8_t>(x < 8 ? 0 : 200)};
      rgb.insert(rgb.end(), pixel, pixel + 3);
    }
  }
  std::string message;
  ASSERT_TRUE(writeRgbPng(files.folder.file("p.png"), 16, 8, rgb, message));
  TmxSession f;
  ASSERT_TRUE(importInto(f, files.write(mapText(csvLayer("2,1")))).ok);
  const MapLayer& layer = *f.project().layerAt(0);
  const Tileset& page = *f.registry().find(layer.cells[0].tileset);
  for (int x = 0; x < 16; ++x) {
    for (int y = 0; y < 8; ++y) {
      const MapCell& cell = layer.cells[x < 8 ? 1 : 0];
      const int index = page.pixels[tilePixelOffset(page, cell.tile) + static_cast<std::size_t>(y * 16 + x % 8)];
      EXPECT_EQ(index >> 4, cell.palette);
      for (int c = 0; c < 3; ++c) {  // the same 15-bit colour
        EXPECT_EQ(page.palette[static_cast<std::size_t>(index * 3 + c)] >> 3, rgb[static_cast<std::size_t>((y * 16 + x) * 3 + c)] >> 3);
      }
    }
  }
}

}  // namespace
}  // namespace qarto::test
