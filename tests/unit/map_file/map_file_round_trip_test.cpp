#include <gtest/gtest.h>

#include <cstring>

#include "edit/map_file_commands.h"
#include "io/map_file_reader.h"
#include "io/map_file_writer.h"
#include "io/recent_file_list.h"
#include "map_file_fixtures.h"
#include "model/settings_keys.h"

namespace qarto::test {
namespace {

// (bottom) Primary, Collision, Secondary, Entity (top), three tilesets, one
// of them beyond the ids cells can name, and every option off its default.
void buildRichMap(SessionFixture& f) {
  f.addTileset(1, 64, 32, 1, true);
  f.addTileset(2, 16, 16, 2);
  f.addTileset(200, 8, 8, 3);
  f.project.currentTilesetId = 2;
  f.project.unoptimizedMode = true;
  f.project.showMapGrid = false;
  f.project.showTileGrid = true;
  f.project.autoPaintCollision = false;

  MapLayer& primary = f.pushLayer(LayerKind::Primary, "Ground", 40, 30);
  primary.locked = true;
  primary.tileGrouping = true;
  for (std::size_t i = 0; i < primary.cells.size(); ++i) {
    MapCell& c = primary.cells[i];
    c.tile = static_cast<std::int16_t>(i % 4);
    c.tileset = 2;
    c.palette = static_cast<std::uint8_t>(i % 16);
    c.flags = static_cast<std::uint8_t>(i % 4);
  }
  MapLayer& collision = f.pushLayer(LayerKind::Collision, "Solid", 40, 30);
  collision.alpha = true;
  for (std::size_t i = 0; i < collision.cells.size(); ++i) {
    collision.cells[i].tile = static_cast<std::int16_t>(i % 32);
    collision.cells[i].tileset = 1;
    collision.cells[i].collision = static_cast<std::uint16_t>(0x1000 | (i % 64) << 6);
  }
  MapLayer& sky = f.pushLayer(LayerKind::Secondary, "Sky", 35, 25);
  sky.visible = false;
  sky.parallaxX = 0.5f;
  sky.parallaxY = 0.25f;
  sky.cells[7].tile = 32767;
  sky.cells[7].tileset = -56;  // id 200 as the signed byte stores it
  MapLayer& things = f.pushLayer(LayerKind::Entity, "Things", 40, 30);
  for (std::size_t i = 0; i < things.entities.size(); ++i) things.entities[i] = static_cast<std::uint8_t>(i * 13);
  f.project.activeLayer = &sky;
  f.project.modified = true;
}

void expectSameLayers(const MapProject& a, const MapProject& b) {
  ASSERT_EQ(a.layerCount(), b.layerCount());
  for (int i = 0; i < a.layerCount(); ++i) {
    const MapLayer& x = *a.layerAt(i);
    const MapLayer& y = *b.layerAt(i);
    SCOPED_TRACE(x.nameText());
    EXPECT_EQ(x.kind, y.kind);
    EXPECT_EQ(x.nameText(), y.nameText());
    EXPECT_EQ(x.visible, y.visible);
    EXPECT_EQ(x.alpha, y.alpha);
    EXPECT_EQ(x.locked, y.locked);
    EXPECT_EQ(x.width, y.width);
    EXPECT_EQ(x.height, y.height);
    EXPECT_EQ(x.parallaxX, y.parallaxX);
    EXPECT_EQ(x.parallaxY, y.parallaxY);
    EXPECT_EQ(x.tileGrouping, y.tileGrouping);
    EXPECT_TRUE(x.cells == y.cells);
    EXPECT_EQ(x.entities, y.entities);
  }
}

TEST(MapFileRoundTrip, SavedMapLoadsBackWithEveryLayerTilesetAndOptionAndResavesIdentically) {
  TempFolder folder;
  const std::string path = folder.file("world.qrm");
  SessionFixture a;
  buildRichMap(a);
  std::vector<std::string> titles;
  MapFileHooks hooks;
  hooks.setWindowTitle = [&titles](const std::string& title) { titles.push_back(title); };

  a.services.saveFileAnswers.push_back(path);
  ASSERT_TRUE(saveMap(a.session, false, hooks));
  EXPECT_FALSE(a.project.modified);
  EXPECT_EQ(a.project.filePath, path);
  EXPECT_EQ(a.settings.readText("Settings", "LastMapPath", "?"), folder.path());
  EXPECT_EQ(RecentFileList(a.settings).entries(), std::vector<std::string>{path});
  ASSERT_EQ(titles.size(), 1u);
  EXPECT_EQ(titles.back(), "Qarto v0.99 - " + path + "  (Un-opt. mode)");
  const std::vector<std::uint8_t> saved = readAll(path);

  SessionFixture b;
  b.pushLayer(LayerKind::Primary, "Old", 30, 20);
  b.addTileset(9, 8, 8, 9);
  ASSERT_TRUE(loadMap(b.session, path, hooks));
  EXPECT_TRUE(b.services.messages.empty());
  expectSameLayers(a.project, b.project);
  EXPECT_EQ(b.project.activeLayer, b.project.layerAt(0));  // the Primary layer, not the saved active one
  EXPECT_TRUE(b.project.unoptimizedMode);
  EXPECT_FALSE(b.project.showMapGrid);
  EXPECT_TRUE(b.project.showTileGrid);
  EXPECT_FALSE(b.project.autoPaintCollision);
  EXPECT_EQ(b.project.lastTilesetId, 200);
  EXPECT_EQ(b.project.currentTilesetId, 2);
  EXPECT_EQ(b.project.selectedEntity, -1);
  EXPECT_FALSE(b.project.modified);
  EXPECT_TRUE(b.project.tilesetsLoaded);
  EXPECT_EQ(titles.back(), "Qarto v0.99 - " + path + "  (Un-opt. mode)");

  ASSERT_EQ(b.session.registry().size(), 3u);
  EXPECT_EQ(b.session.registry().find(9), nullptr);
  EXPECT_EQ(b.project.collisionTileset, b.session.registry().find(1));
  for (const auto& [id, original] : a.session.registry()) {
    const Tileset* loaded = b.session.registry().find(id);
    ASSERT_NE(loaded, nullptr) << id;
    EXPECT_EQ(loaded->isCollisionTileset, original->isCollisionTileset);
    EXPECT_EQ(loaded->hasCollisionSet, original->hasCollisionSet);
    EXPECT_EQ(loaded->collisionSet, original->collisionSet);
    EXPECT_EQ(loaded->imageWidth, original->imageWidth);
    EXPECT_EQ(loaded->imageHeight, original->imageHeight);
    EXPECT_EQ(loaded->tileCount, original->tileCount);
    EXPECT_EQ(loaded->pixels, original->pixels);
    EXPECT_EQ(loaded->palette, original->palette);
    EXPECT_EQ(loaded->sourcePath, original->sourcePath);
    EXPECT_EQ(loaded->displayName, original->displayName);
  }

  // Saving again, from either session, gives the same bytes.
  a.project.modified = true;
  ASSERT_TRUE(saveMap(a.session, false, hooks));
  EXPECT_EQ(readAll(path), saved);
  ASSERT_TRUE(saveMap(b.session, false, hooks));
  EXPECT_EQ(readAll(path), saved);
}

TEST(MapFileRoundTrip, SmallestMapHasTheDocumentedSizeAndLayout) {
  SessionFixture f;
  MapLayer& layer = f.pushLayer(LayerKind::Primary, "Main", 32, 32);
  layer.cells[1] = MapCell{0x1234, 5, 6, 0xABCD, 3, 0};
  f.project.filePath = "/maps/a.qrm";
  f.project.lastTilesetId = 4;
  f.project.currentTilesetId = 3;

  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(encodeMapFile(f.project, f.session.registry(), bytes));
  ASSERT_EQ(bytes.size(), 8573u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 9), "Qarto_v7\n");
  EXPECT_EQ(bytes[9], 0);              // unoptimizedMode
  EXPECT_EQ(loadI32(&bytes[10]), 4);   // lastTilesetId
  EXPECT_EQ(loadI32(&bytes[14]), 3);   // currentTilesetId
  EXPECT_EQ(bytes[18], 1);             // showMapGrid
  EXPECT_EQ(bytes[19], 0);             // showTileGrid
  EXPECT_EQ(bytes[20], 1);             // autoPaintCollision
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[21])), "/maps/a.qrm");
  for (std::size_t i = 21 + 11; i < 277; ++i) ASSERT_EQ(bytes[i], 0) << i;
  EXPECT_EQ(loadI32(&bytes[277]), 1);

  const std::uint8_t* h = &bytes[281];
  EXPECT_EQ(loadI32(h + 8), 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(h + 12)), "Main");
  EXPECT_EQ(h[44], 1);
  EXPECT_EQ(h[45], 0);
  EXPECT_EQ(h[46], 0);
  EXPECT_EQ(loadU16(h + 48), 32);
  EXPECT_EQ(loadU16(h + 50), 32);
  EXPECT_EQ(loadF32(h + 52), 1.0f);
  EXPECT_EQ(loadF32(h + 56), 1.0f);
  for (std::size_t i : {0, 1, 2, 3, 4, 5, 6, 7, 47, 60, 61, 62, 63}) EXPECT_EQ(h[i], 0) << i;
  for (std::size_t i = 64; i < 96; ++i) EXPECT_EQ(h[i], 0) << i;
  const std::uint8_t expectedCell[8] = {0x34, 0x12, 5, 6, 0xCD, 0xAB, 3, 0};
  EXPECT_EQ(std::memcmp(h + 96 + 8, expectedCell, 8), 0);
  EXPECT_EQ(loadI32(&bytes[8569]), 0);  // tileset count
}

TEST(MapFileRoundTrip, LayersWithoutCellsSurviveAsLayersWithoutCells) {
  SessionFixture f;
  f.pushLayer(LayerKind::Secondary, "Empty", 0, 7);
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(encodeMapFile(f.project, f.session.registry(), bytes));
  const LoadedMap map = decodeMapFile(bytes.data(), bytes.size());
  ASSERT_TRUE(map.succeeded());
  ASSERT_EQ(map.layers.size(), 1u);
  EXPECT_EQ(map.layers[0]->width, 0);
  EXPECT_EQ(map.layers[0]->height, 7);
  EXPECT_TRUE(map.layers[0]->cells.empty());
}

TEST(MapFileRoundTrip, RecentFileListKeepsNineDistinctPathsMostRecentFirst) {
  MemorySettingsStore settings;
  RecentFileList list(settings);
  for (int i = 1; i <= 11; ++i) list.add("/maps/" + std::to_string(i) + ".qrm");
  list.add("/maps/5.qrm");
  const std::vector<std::string> expected = {"/maps/5.qrm", "/maps/11.qrm", "/maps/10.qrm", "/maps/9.qrm",
                                             "/maps/8.qrm", "/maps/7.qrm",  "/maps/6.qrm",  "/maps/4.qrm",
                                             "/maps/3.qrm"};
  EXPECT_EQ(list.entries(), expected);
  EXPECT_EQ(settings.readText("Recent File List", "File1", ""), "/maps/5.qrm");
  EXPECT_EQ(settings.readText("Recent File List", "File9", ""), "/maps/3.qrm");
  EXPECT_FALSE(settings.contains("Recent File List", "File10"));
}

}  // namespace
}  // namespace qarto::test
