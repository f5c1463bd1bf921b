// Qarto -> TMX -> Qarto gives back the same map, in every cell encoding,
// with external tile set files, and after Tiled itself has rewritten it.
#include <fstream>
#include <tuple>

#include "io/tmx/tmx_writer.h"
#include "edit/tmx/tmx_export.h"
#include "tmx_fixtures.h"

namespace qarto::test {
namespace {

// Tile t of a page shows row (t % 4) + 1 in its top-left pixel; tile 0 is blank.
std::uint8_t pagePixel(int width, int x, int y) {
  const int tile = tileAt(width, x, y);
  return tile == 0 ? 0 : static_cast<std::uint8_t>(((tile % 4 + 1) << 4) | (1 + (x + 2 * y) % 15));
}

// Two pages, flips, a tile shown in two palette rows, a smaller hidden
// parallax layer, collision words and entities (one facing left, one of a
// type the catalogue has no row for).
void buildMap(TmxSession& f) {
  Tileset& a = registerPage(f.project(), f.host, 32, 16, [](int x, int y) { return pagePixel(32, x, y); }, "rocks");
  Tileset& b = registerPage(f.project(), f.host, 16, 16, [](int x, int y) { return pagePixel(16, y, x); }, "sky");
  MapLayer& far = f.addLayer(LayerKind::Secondary, "Far", 35, 22, 0.5f, 0.25f);
  far.visible = false;
  MapLayer& ground = f.addLayer(LayerKind::Primary, "Ground", 40, 24);
  ground.locked = true;
  ground.tileGrouping = true;
  MapLayer& walls = f.addLayer(LayerKind::Collision, "Walls", 40, 24);
  MapLayer& enemies = f.addLayer(LayerKind::Entity, "Enemies", 40, 24);
  for (MapLayer* layer : {&far, &ground}) {
    for (int y = 0; y < layer->height; ++y) {
      for (int x = 0; x < layer->width; ++x) {
        MapCell& cell = layer->cell(x, y);
        const Tileset& page = (x + y) % 3 == 0 ? b : a;
        cell.tileset = static_cast<std::int8_t>(page.id);
        cell.tile = static_cast<std::int16_t>((x * 7 + y * 3) % page.tileCount);
        cell.palette = x % 5 == 0 ? 9 : tilePaletteRow(page, cell.tile);
        cell.flags = static_cast<std::uint8_t>((x + y) % 4);
      }
    }
  }
  for (std::size_t i = 0; i < walls.cells.size(); ++i) {
    walls.cells[i] = {static_cast<std::int16_t>(i % 32), static_cast<std::int8_t>(f.project().collisionTileset->id), 0,
                      static_cast<std::uint16_t>(i * 37), 0, 0};
  }
  writeEntity(enemies, 0, {true, 2, 1, 10, 20});
  writeEntity(enemies, 3, {true, 1, -1, 100, 64});
  writeEntity(enemies, 5, {true, 77, 1, 5, 5});
}

struct CellFormat {
  const char* name;
  TmxCellFormat format;
};

TEST(TmxRoundTrip, EveryCellEncodingGivesBackTheSameMap) {
  TempFolder folder;
  TmxSession original;
  buildMap(original);
  const EntityCatalogue catalogue;
  const CellFormat formats[] = {{"csv", {TmxEncoding::Csv, TmxCompression::None}},
                                {"xml", {TmxEncoding::Xml, TmxCompression::None}},
                                {"base64", {TmxEncoding::Base64, TmxCompression::None}},
                                {"zlib", {TmxEncoding::Base64, TmxCompression::Zlib}},
                                {"gzip", {TmxEncoding::Base64, TmxCompression::Gzip}},
                                {"zstd", {TmxEncoding::Base64, TmxCompression::Zstd}}};
  for (const CellFormat& format : formats) {
    SCOPED_TRACE(format.name);
    const std::string path = folder.file(std::string(format.name) + ".tmx");
    std::string message;
    ASSERT_TRUE(writeTiledMap(original.session, catalogue, path, format.format, message)) << message;
    TmxSession imported;
    const TmxImport result = importInto(imported, path);
    ASSERT_TRUE(result.ok) << result.message;
    expectSameMap(original, imported);
  }
}

TEST(TmxRoundTrip, ExternalTileSetFilesAndTiledsOwnRewrite) {
  TempFolder folder;
  TmxSession original;
  buildMap(original);
  const EntityCatalogue catalogue;
  std::string message;
  const std::string path = folder.file("level.tmx");
  ASSERT_TRUE(writeTiledMap(original.session, catalogue, path, {}, message)) << message;

  // The same map with every tile set in a .tsx file of its own, cells gzipped.
  TmxExport exported = exportTmx(original.project(), original.registry(), catalogue, path);
  for (std::size_t i = 0; i < exported.map.tilesets.size(); ++i) {
    TmxTileset& set = exported.map.tilesets[i];
    set.source = "set" + std::to_string(i) + ".tsx";
    std::ofstream(folder.file(set.source)) << tsxText(set);
  }
  const std::string external = folder.file("external.tmx");
  std::ofstream(external) << tmxText(exported.map, {TmxEncoding::Base64, TmxCompression::Gzip});
  TmxSession fromTsx;
  ASSERT_TRUE(importInto(fromTsx, external).ok);
  expectSameMap(original, fromTsx);

  if (!tiledInstalled()) GTEST_SKIP() << "Tiled is not installed";
  for (const std::string& source : {path, external}) {
    const std::string rewritten = source + ".tiled.tmx";
    ASSERT_TRUE(tiledConverts(source, rewritten));
    TmxSession fromTiled;
    const TmxImport result = importInto(fromTiled, rewritten);
    ASSERT_TRUE(result.ok) << result.message;
    expectSameMap(original, fromTiled);
  }
}

}  // namespace
}  // namespace qarto::test
