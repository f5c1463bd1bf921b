#include <gtest/gtest.h>

#include "model/texture_upload.h"
#include "model/tileset_host.h"
#include "model/tileset_registration.h"
#include "model_fixture.h"

namespace qarto::test {
namespace {

std::unique_ptr<Tileset> collisionPage() {
  auto page = inkedTileset(64, 32, {}, "collisionTiles.bmp");
  page->isCollisionTileset = true;
  return page;
}

TEST(TilesetRegistration, IdsNamesLabelsAndCurrentTileset) {
  ProjectFixture f;
  RecordingHost host;
  Tileset* collision = registerTileset(f.project, host, collisionPage(), makeDisplay(64, 32));
  EXPECT_EQ(collision->id, 1);
  EXPECT_EQ(f.project.currentTilesetId, 1);
  EXPECT_FALSE(f.project.tilesetsLoaded);  // the collision page does not count

  for (int i = 0; i < 3; ++i) registerTileset(f.project, host, inkedTileset(16, 16), makeDisplay(16, 16));
  f.registry.remove(3);
  Tileset* next =
      registerTileset(f.project, host, inkedTileset(16, 16, {}, "C:\\maps\\Cave.v2.pcx"), makeDisplay(16, 16));
  EXPECT_EQ(next->id, 5);  // ids are never handed out twice
  EXPECT_EQ(next->displayName, "Cave.v2");
  EXPECT_EQ(std::pair(next->labelWidth, next->labelHeight), std::pair(7 * 8, 13));
  EXPECT_TRUE(next->textureReady);
  EXPECT_EQ(f.project.currentTilesetId, 1);
  EXPECT_EQ(host.brushes, (std::set<std::int32_t>{1, 2, 3, 4, 5}));  // one brush each

  EXPECT_TRUE(f.services.messages.empty());
}

TEST(TilesetRegistration, AFailedTextureUploadDropsTheTileset) {
  ProjectFixture f;
  HeadlessTilesetHost host;
  host.headlessUploader() = HeadlessTextureUploader(64);
  MapLayer* primary = f.project.addLayer("ground", 32, 32, 1.0f, 1.0f, LayerKind::Primary, false);
  EXPECT_EQ(registerTileset(f.project, host, inkedTileset(128, 8), makeDisplay(128, 8)), nullptr);
  EXPECT_EQ(f.services.messages,
            std::vector{shown("Texture upload failed.  This can happen if your texture dimensions are not powers of 2 "
                              "or if your video card does not have enough memory to accomodate the texture you are "
                              "trying to load.\n\nMake sure your textures are valid sizes and/or close down other "
                              "applications which might be using video memory.",
                              MessageIcon::Warning, " - Tile Load Error")});
  EXPECT_TRUE(f.registry.empty());
  EXPECT_EQ(std::pair(f.project.lastTilesetId, f.project.currentTilesetId), std::pair(0, 0));
  EXPECT_FALSE(f.project.tilesetsLoaded);
  EXPECT_EQ(primary->cells, std::vector<MapCell>(1024, MapCell{}));
}

}  // namespace
}  // namespace qarto::test
