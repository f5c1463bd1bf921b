#include <gtest/gtest.h>

#include "edit/tileset_commands.h"
#include "session_fixture.h"

namespace qarto {
namespace {

using test::SessionFixture;

constexpr const char* kWidthText =
    "The new tileset must be of the same width as the old tileset and the new tileset must be of the same height OR "
    "greater.";

// A 30x20 primary painted from a 128x64 page (id 2) whose tiles 0 and 1 are
// blank: cells 0..4 use tiles 0, 1, 9, 10, 11 of the page.
struct PaintedMap : SessionFixture {
  MapLayer* layer = nullptr;
  Tileset* other = nullptr;

  PaintedMap() {
    EXPECT_NE(load(page("page.bmp", 128, 64, {0, 1})), nullptr);
    other = load(page("other.bmp", 16, 16));
    layer = &primary(30, 20);
    for (MapCell& cell : layer->cells) cell.tileset = static_cast<std::int8_t>(other->id);
    const int tiles[] = {0, 1, 9, 10, 11};
    for (int i = 0; i < 5; ++i) {
      layer->cells[static_cast<std::size_t>(i)].tileset = 2;
      layer->cells[static_cast<std::size_t>(i)].tile = static_cast<std::int16_t>(tiles[i]);
    }
    project().modified = false;
    project().currentTilesetId = 2;
  }
};

TEST(RemoveTileset, AsksWithTheCountsAndNoKeepsEverything) {
  PaintedMap f;
  const std::vector<MapCell> before = f.layer->cells;
  f.services.answers.push_back(MessageAnswer::No);
  removeCurrentTileset(f.session);
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastMessage().text,
            "5 map tiles are using this tileset.  Removing this tileset will cause those tiles to be be zeroed "
            "out.\n\n2 of these map tiles are using empty tiles from this tileset, leaving 3 tiles with "
            "(potentially) unique tile data\n\nContinue and remove this tileset?");
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Remove Tileset");
  EXPECT_EQ(f.services.lastMessage().buttons, MessageButtons::YesNo);
  EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Exclamation);
  EXPECT_EQ(f.layer->cells, before);
  EXPECT_NE(f.registry().find(2), nullptr);
  EXPECT_FALSE(f.project().modified);

  // Yes: the cells show collision tile 0, the next page becomes current.
  removeCurrentTileset(f.session);
  EXPECT_EQ(f.registry().find(2), nullptr);
  EXPECT_EQ(f.host.brushes.count(2), 0u);
  EXPECT_EQ(f.project().currentTilesetId, 3);
  for (int i = 0; i < 5; ++i) {
    const MapCell& cell = f.layer->cells[static_cast<std::size_t>(i)];
    EXPECT_EQ(cell.tile, 0);
    EXPECT_EQ(cell.tileset, 1);
    EXPECT_EQ(cell.palette, 0);
  }
  EXPECT_EQ(f.layer->cells[5], before[5]);
  EXPECT_TRUE(f.project().modified);
  EXPECT_TRUE(f.project().tilesetsLoaded);

  // The last page: current wraps to the lowest id, tilesetsLoaded clears.
  f.services.messages.clear();
  removeCurrentTileset(f.session);
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.project().currentTilesetId, 1);
  EXPECT_FALSE(f.project().tilesetsLoaded);
}

TEST(RemoveTileset, SingularTextsAndUnusedPagesGoWithoutAsking) {
  PaintedMap f;
  for (std::size_t i = 1; i < 5; ++i) f.layer->cells[i].tileset = 3;
  removeCurrentTileset(f.session);
  EXPECT_EQ(f.services.lastText(),
            "1 map tile is using this tileset.  Removing this tileset will cause that tile to be be zeroed out.\n\n"
            "1 of these map tiles is using an empty tile from this tileset, leaving 0 tiles with (potentially) "
            "unique tile data\n\nContinue and remove this tileset?");

  // A page no cell uses is removed at once; the highest id wraps to the lowest.
  Tileset* unused = f.load(f.page("unused.bmp", 8, 8));
  ASSERT_NE(unused, nullptr);
  const std::int32_t unusedId = unused->id;
  f.project().currentTilesetId = unusedId;
  f.services.messages.clear();
  removeCurrentTileset(f.session);
  EXPECT_TRUE(f.services.messages.empty());
  EXPECT_EQ(f.registry().find(unusedId), nullptr);
  EXPECT_EQ(f.project().currentTilesetId, 1);
}

TEST(RemoveTileset, CollisionTilesetIsRefused) {
  PaintedMap f;
  f.project().currentTilesetId = 1;
  removeCurrentTileset(f.session);
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastMessage().text, "Collision tilesets cannot be removed from a project.");
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Remove Tileset");
  EXPECT_NE(f.registry().find(1), nullptr);
  EXPECT_FALSE(f.project().modified);

  f.project().currentTilesetId = 0;
  removeCurrentTileset(f.session);  // no current tileset: nothing happens
  EXPECT_EQ(f.services.messages.size(), 1u);
}

TEST(UpdateTileset, SameWidthAndTallerKeepsTileNumbersAndRecomputesPalettes) {
  PaintedMap f;
  // Starts in the page's own file; that file still exists.
  f.services.openFileAnswers.push_back({f.page("taller.bmp", 128, 128, {}, 3)});
  updateCurrentTileset(f.session);
  ASSERT_EQ(f.services.openRequests.size(), 1u);
  const FileChooserRequest& request = f.services.openRequests[0];
  EXPECT_EQ(request.title, "Update Tileset");
  EXPECT_EQ(request.filter,
            "All Supported Tileset Formats|*.bmp;*.pcx|Bitmaps (*.bmp)|*.bmp|ZSoft PCX (*.pcx)|*.pcx||");
  EXPECT_EQ(request.defaultExtension, ".bmp");
  EXPECT_FALSE(request.multiple);
  EXPECT_EQ(request.initialFile, f.folder.file("page.bmp"));

  EXPECT_TRUE(f.services.messages.empty());
  const Tileset* updated = f.registry().find(2);
  ASSERT_NE(updated, nullptr);
  EXPECT_EQ(updated->imageHeight, 128);
  EXPECT_EQ(updated->displayName, "taller");
  EXPECT_EQ(f.host.brushes.count(2), 1u);
  const int tiles[] = {0, 1, 9, 10, 11};
  for (int i = 0; i < 5; ++i) {
    const MapCell& cell = f.layer->cells[static_cast<std::size_t>(i)];
    EXPECT_EQ(cell.tile, tiles[i]);
    EXPECT_EQ(cell.palette, (tiles[i] + 3) % 16) << i;  // the new page's rows
  }
  EXPECT_TRUE(f.project().modified);
}

TEST(UpdateTileset, OtherWidthOrShorterImageIsRefusedAndChangesNothing) {
  PaintedMap f;
  const Tileset* before = f.registry().find(2);
  const std::vector<MapCell> cells = f.layer->cells;
  f.services.openFileAnswers.push_back({f.page("narrow.bmp", 64, 128)});
  f.services.openFileAnswers.push_back({f.page("short.bmp", 128, 56)});
  f.services.openFileAnswers.push_back({f.folder.file("page.BMP")});
  updateCurrentTileset(f.session);
  updateCurrentTileset(f.session);
  updateCurrentTileset(f.session);
  ASSERT_EQ(f.services.messages.size(), 3u);
  EXPECT_EQ(f.services.messages[0].text, kWidthText);
  EXPECT_EQ(f.services.messages[0].caption, "Qarto v0.99 - Update Tileset");
  EXPECT_EQ(f.services.messages[1].text, kWidthText);
  EXPECT_EQ(f.services.messages[2].text, "Unknown file type.");
  EXPECT_EQ(f.services.messages[2].caption, "Qarto v0.99 - Update Tileset - Tile Load Error");
  EXPECT_EQ(f.registry().find(2), before);
  EXPECT_EQ(f.layer->cells, cells);
  EXPECT_FALSE(f.project().modified);
}

TEST(UpdateTileset, CollisionTilesetStaysTheCollisionTileset) {
  SessionFixture f;
  f.settings.writeInt("Settings", "UseDefTilesetPath", 0);
  f.settings.writeText("Settings", "LastTilesetPath", "/pages/last");
  f.services.openFileAnswers.push_back({f.page("coll.bmp", 64, 40)});
  updateCurrentTileset(f.session);  // current is the collision tileset, id 1
  // Its "collisionTiles.bmp" cannot be opened, so the chooser starts in the folder.
  EXPECT_EQ(f.services.openRequests[0].initialFile, "");
  EXPECT_EQ(f.services.openRequests[0].initialFolder, "/pages/last");
  Tileset* updated = f.registry().find(1);
  ASSERT_NE(updated, nullptr);
  EXPECT_EQ(updated->imageHeight, 40);
  EXPECT_TRUE(updated->isCollisionTileset);
  EXPECT_EQ(f.project().collisionTileset, updated);
  EXPECT_EQ(f.registry().countNonCollision(), 0);
}

}  // namespace
}  // namespace qarto
