#include <gtest/gtest.h>

#include "edit/session/collision_set_commands.h"
#include "io/collision_set_file.h"
#include "session_fixture.h"

namespace qarto {
namespace {

using test::SessionFixture;

TEST(CollisionSetExport, WritesLayerSizeAndLowTileBytesThenClearsModified) {
  SessionFixture f;
  ASSERT_NE(f.load(f.page("Level1.bmp", 16, 16)), nullptr);
  f.primary(32, 20);
  MapLayer* layer = f.project().addLayer("Coll", 32, 20, 1.0f, 1.0f, LayerKind::Collision, false);
  ASSERT_NE(layer, nullptr);
  for (std::size_t i = 0; i < layer->cells.size(); ++i) layer->cells[i].tile = static_cast<std::int16_t>(i % 300);
  f.project().modified = true;

  ASSERT_TRUE(exportCollisionSet(f.session));
  EXPECT_EQ(std::tuple(f.services.messages.size(), f.project().modified), std::tuple(0u, false));
  CollisionSetFile written;
  ASSERT_TRUE(readCollisionSet(f.folder.file("level1.cll"), written));
  EXPECT_EQ(std::tuple(written.width, written.height, written.tiles.size(), written.tiles[299], written.tiles[300]),
            std::tuple(32u, 20u, 640u, 43, 0));  // the low byte of each tile
}

TEST(CollisionSetExport, RefusalsAndWriteFailuresKeepModified) {
  SessionFixture f;
  f.primary(30, 20);
  f.project().modified = true;
  // Only the collision tileset: no page to name the file after.
  EXPECT_FALSE(exportCollisionSet(f.session));
  Tileset* loaded = f.load(f.page("tiles.bmp", 16, 16));
  ASSERT_NE(loaded, nullptr);
  EXPECT_FALSE(exportCollisionSet(f.session));
  ASSERT_NE(f.project().addLayer("Coll", 0, 0, 1.0f, 1.0f, LayerKind::Collision, false), nullptr);
  loaded->sourcePath = f.folder.file("gone/tiles.bmp");
  EXPECT_FALSE(exportCollisionSet(f.session));
  EXPECT_EQ(f.services.messages,
            (std::vector{test::shown("Supposedly a tileset is loaded, but couldn't find one. Auto-generation of "
                                     "collision layer aborted.",
                                     MessageIcon::Stop),
                         test::shown("Supposedly a collision layer is present, but none was found.", MessageIcon::Stop),
                         test::shown("Could not write out .cll file", MessageIcon::Warning)}));
  EXPECT_TRUE(f.project().modified);
}

}  // namespace
}  // namespace qarto
