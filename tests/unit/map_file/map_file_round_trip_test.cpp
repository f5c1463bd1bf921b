#include <gtest/gtest.h>

#include "edit/session/map_file_commands.h"
#include "io/files/recent_file_list.h"
#include "map_file_fixtures.h"

namespace qarto::test {
namespace {

// (bottom) Primary, Collision, Secondary, Entity (top), three tilesets, one
// of them beyond the ids cells can name, and every option off its default.
void buildRichMap(TestSession& f) {
  addTileset(f, 1, 64, 32, 1, true);
  addTileset(f, 2, 16, 16, 2);
  addTileset(f, 200, 8, 8, 3);
  f.project().currentTilesetId = 2;
  f.project().unoptimizedMode = f.project().showTileGrid = true;
  f.project().showMapGrid = f.project().autoPaintCollision = false;

  MapLayer& primary = f.addLayer(LayerKind::Primary, "Ground", 40, 30);
  primary.locked = primary.tileGrouping = true;
  for (std::size_t i = 0; i < primary.cells.size(); ++i) {
    primary.cells[i] = MapCell{static_cast<std::int16_t>(i % 4), 2, static_cast<std::uint8_t>(i % 16), 0,
                               static_cast<std::uint8_t>(i % 4), 0};
  }
  MapLayer& collision = f.addLayer(LayerKind::Collision, "Solid", 40, 30);
  collision.alpha = true;
  for (std::size_t i = 0; i < collision.cells.size(); ++i) {
    collision.cells[i] =
        MapCell{static_cast<std::int16_t>(i % 32), 1, 0, static_cast<std::uint16_t>(0x1000 | (i % 64) << 6)};
  }
  MapLayer& sky = f.addLayer(LayerKind::Secondary, "Sky", 35, 25, 0.5f, 0.25f);
  sky.visible = false;
  sky.cells[7] = MapCell{32767, -56};  // id 200 as the signed byte stores it
  MapLayer& things = f.addLayer(LayerKind::Entity, "Things", 40, 30);
  for (std::size_t i = 0; i < things.entities.size(); ++i) things.entities[i] = static_cast<std::uint8_t>(i * 13);
  f.project().activeLayer = &sky;
  f.project().modified = true;
}

TEST(MapFileRoundTrip, SavedMapLoadsBackWithEveryLayerTilesetAndOptionAndResavesIdentically) {
  TempFolder folder;
  const std::string path = folder.file("world.qrm");
  TestSession a;
  buildRichMap(a);
  a.services.saveFileAnswers.push_back(path);
  ASSERT_TRUE(saveMap(a.session, false));
  EXPECT_FALSE(a.project().modified);
  EXPECT_EQ(a.project().filePath, path);
  EXPECT_EQ(RecentFileList(a.settings).entries(), std::vector<std::string>{path});
  const std::vector<std::uint8_t> saved = readBytes(path);

  TestSession b;
  b.addLayer(LayerKind::Primary, "Old", 30, 20);
  addTileset(b, 9, 8, 8, 9);
  ASSERT_TRUE(loadMap(b.session, path));
  EXPECT_TRUE(b.services.messages.empty());
  const MapProject& p = b.project();
  ASSERT_EQ(p.layerCount(), 4);
  for (int i = 0; i < 4; ++i) {
    const MapLayer& x = *a.project().layerAt(i);
    const MapLayer& y = *p.layerAt(i);
    EXPECT_EQ(std::tie(y.kind, y.name, y.visible, y.alpha, y.locked, y.tileGrouping, y.width, y.height, y.parallaxX,
                       y.parallaxY, y.entities),
              std::tie(x.kind, x.name, x.visible, x.alpha, x.locked, x.tileGrouping, x.width, x.height, x.parallaxX,
                       x.parallaxY, x.entities))
        << i;
    EXPECT_TRUE(y.cells == x.cells) << i;
  }
  EXPECT_EQ(p.activeLayer, p.layerAt(0));  // the Primary layer, not the saved active one
  EXPECT_TRUE(p.unoptimizedMode && p.showTileGrid && p.tilesetsLoaded);
  EXPECT_FALSE(p.showMapGrid || p.autoPaintCollision || p.modified);
  EXPECT_EQ(std::pair(p.lastTilesetId, p.currentTilesetId), std::pair(200, 2));

  ASSERT_EQ(b.registry().size(), 3u);
  EXPECT_EQ(p.collisionTileset, b.registry().find(1));
  for (const auto& [id, original] : a.registry()) {
    const Tileset* loaded = b.registry().find(id);
    ASSERT_NE(loaded, nullptr) << id;
    EXPECT_EQ(std::tie(loaded->isCollisionTileset, loaded->collisionSet, loaded->imageWidth, loaded->pixels,
                       loaded->palette, loaded->sourcePath),
              std::tie(original->isCollisionTileset, original->collisionSet, original->imageWidth, original->pixels,
                       original->palette, original->sourcePath));
  }

  // Saving again, from either session, gives the same bytes.
  a.project().modified = true;
  ASSERT_TRUE(saveMap(a.session, false));
  EXPECT_EQ(readBytes(path), saved);
  ASSERT_TRUE(saveMap(b.session, false));
  EXPECT_EQ(readBytes(path), saved);
}

}  // namespace
}  // namespace qarto::test
