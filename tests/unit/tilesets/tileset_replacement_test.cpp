#include <gtest/gtest.h>

#include "edit/session/tileset_commands.h"
#include "session_fixture.h"

namespace qarto {
namespace {

using test::SessionFixture;
using test::shown;

const std::string kWidthText =
    "The new tileset must be of the same width as the old tileset and the new tileset must be of the same height OR "
    "greater.";

// A 30x20 primary painted from a 128x64 page (id 2) whose tiles 0 and 1 are
// blank: cells 0..4 use tiles 0, 1, 9, 10, 11 of the page, the rest page 3.
struct PaintedMap : SessionFixture {
  MapLayer* layer = nullptr;

  PaintedMap() {
    EXPECT_NE(load(page("page.bmp", 128, 64, {0, 1})), nullptr);
    const Tileset* other = load(page("other.bmp", 16, 16));
    layer = &primary(30, 20);
    for (MapCell& cell : layer->cells) cell.tileset = static_cast<std::int8_t>(other->id);
    const int tiles[] = {0, 1, 9, 10, 11};
    for (std::size_t i = 0; i < 5; ++i) layer->cells[i] = MapCell{static_cast<std::int16_t>(tiles[i]), 2};
    project().modified = false;
    project().currentTilesetId = 2;
  }
};

TEST(RemoveTileset, AsksWithTheCountsAndNoKeepsEverything) {
  PaintedMap f;
  const std::vector<MapCell> before = f.layer->cells;
  f.services.answers.push_back(MessageAnswer::No);
  removeCurrentTileset(f.session);
  EXPECT_EQ(
      f.services.messages,
      std::vector{shown("5 map tiles are using this tileset.  Removing this tileset will cause those tiles to be "
                        "be zeroed out.\n\n2 of these map tiles are using empty tiles from this tileset, leaving 3 "
                        "tiles with (potentially) unique tile data\n\nContinue and remove this tileset?",
                        MessageIcon::Exclamation, " - Remove Tileset", MessageButtons::YesNo)});
  EXPECT_EQ(f.layer->cells, before);
  EXPECT_NE(f.registry().find(2), nullptr);
  EXPECT_FALSE(f.project().modified);

  // Yes: the cells show collision tile 0, the next page becomes current.
  removeCurrentTileset(f.session);
  EXPECT_EQ(f.registry().find(2), nullptr);
  EXPECT_EQ(f.host.brushes.count(2), 0u);
  EXPECT_EQ(f.project().currentTilesetId, 3);
  EXPECT_EQ(std::vector<MapCell>(f.layer->cells.begin(), f.layer->cells.begin() + 5),
            std::vector<MapCell>(5, MapCell{0, 1}));
  EXPECT_EQ(f.layer->cells[5], before[5]);
  EXPECT_TRUE(f.project().modified && f.project().tilesetsLoaded);

  // The last page: current wraps to the lowest id, tilesetsLoaded clears.
  removeCurrentTileset(f.session);
  EXPECT_EQ(f.services.messages.size(), 3u);  // asked each time
  EXPECT_EQ(f.project().currentTilesetId, 1);
  EXPECT_FALSE(f.project().tilesetsLoaded);
}

TEST(RemoveTileset, SingularTextsUnusedPagesAndTheCollisionTileset) {
  PaintedMap f;
  for (std::size_t i = 1; i < 5; ++i) f.layer->cells[i].tileset = 3;
  removeCurrentTileset(f.session);
  EXPECT_EQ(f.services.lastText(),
            "1 map tile is using this tileset.  Removing this tileset will cause that tile to be be zeroed out.\n\n"
            "1 of these map tiles is using an empty tile from this tileset, leaving 0 tiles with (potentially) "
            "unique tile data\n\nContinue and remove this tileset?");

  // A page no cell uses is removed at once; the highest id wraps to the lowest.
  const std::int32_t unused = f.load(f.page("unused.bmp", 8, 8))->id;
  f.project().currentTilesetId = unused;
  f.services.messages.clear();
  removeCurrentTileset(f.session);
  EXPECT_EQ(f.registry().find(unused), nullptr);
  EXPECT_EQ(f.project().currentTilesetId, 1);

  f.project().modified = false;
  removeCurrentTileset(f.session);  // the collision tileset
  f.project().currentTilesetId = 0;
  removeCurrentTileset(f.session);  // no current tileset: nothing happens
  EXPECT_EQ(f.services.messages, std::vector{shown("Collision tilesets cannot be removed from a project.",
                                                   MessageIcon::Warning, " - Remove Tileset")});
  EXPECT_NE(f.registry().find(1), nullptr);
  EXPECT_FALSE(f.project().modified);
}

TEST(UpdateTileset, SameWidthAndTallerKeepsTileNumbersAndRecomputesPalettes) {
  PaintedMap f;
  // Starts in the page's own file; that file still exists.
  f.services.openFileAnswers.push_back({f.page("taller.bmp", 128, 128, {}, 3)});
  updateCurrentTileset(f.session);
  EXPECT_EQ(f.services.openRequests.at(0).title, "Update Tileset");
  EXPECT_EQ(f.services.openRequests.at(0).initialFile, f.folder.file("page.bmp"));
  EXPECT_TRUE(f.services.messages.empty());
  const Tileset* updated = f.registry().find(2);
  ASSERT_NE(updated, nullptr);
  EXPECT_EQ(updated->imageHeight, 128);
  EXPECT_EQ(updated->displayName, "taller");
  EXPECT_EQ(f.host.brushes.count(2), 1u);
  const int tiles[] = {0, 1, 9, 10, 11};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(f.layer->cells[i].tile, tiles[i]);
    EXPECT_EQ(f.layer->cells[i].palette, (tiles[i] + 3) % 16) << i;  // the new page's rows
  }
  EXPECT_TRUE(f.project().modified);
}

TEST(UpdateTileset, OtherWidthOrShorterImageIsRefusedAndChangesNothing) {
  PaintedMap f;
  const Tileset* before = f.registry().find(2);
  const std::vector<MapCell> cells = f.layer->cells;
  f.services.openFileAnswers = {
      {f.page("narrow.bmp", 64, 128)}, {f.page("short.bmp", 128, 56)}, {f.folder.file("page.BMP")}};
  for (int i = 0; i < 3; ++i) updateCurrentTileset(f.session);
  EXPECT_EQ(f.services.messages,
            (std::vector{shown(kWidthText, MessageIcon::Warning, " - Update Tileset"),
                         shown(kWidthText, MessageIcon::Warning, " - Update Tileset"),
                         shown("Unknown file type.", MessageIcon::Warning, " - Update Tileset - Tile Load Error")}));
  EXPECT_EQ(f.registry().find(2), before);
  EXPECT_EQ(f.layer->cells, cells);
  EXPECT_FALSE(f.project().modified);
}

}  // namespace
}  // namespace qarto
