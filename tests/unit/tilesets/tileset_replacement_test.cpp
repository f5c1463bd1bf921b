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
  EXPECT_EQ(std::tuple(f.layer->cells == before, f.registry().find(2) != nullptr, f.project().modified),
            std::tuple(true, true, false));

  // Yes: the cells show collision tile 0, the next page becomes current.
  removeCurrentTileset(f.session);
  EXPECT_EQ(std::tuple(f.registry().find(2), f.host.brushes.count(2), f.project().currentTilesetId, f.layer->cells[5],
                       f.project().modified, f.project().tilesetsLoaded),
            std::tuple(nullptr, 0u, 3, before[5], true, true));
  EXPECT_EQ(std::vector<MapCell>(f.layer->cells.begin(), f.layer->cells.begin() + 5),
            std::vector<MapCell>(5, MapCell{0, 1}));

  // The last page: current wraps to the lowest id, tilesetsLoaded clears.
  removeCurrentTileset(f.session);
  EXPECT_EQ(std::tuple(f.services.messages.size(), f.project().currentTilesetId, f.project().tilesetsLoaded),
            std::tuple(3u, 1, false));  // asked each time
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
  EXPECT_EQ(std::tuple(f.registry().find(unused), f.project().currentTilesetId), std::tuple(nullptr, 1));

  f.project().modified = false;
  removeCurrentTileset(f.session);  // the collision tileset
  f.project().currentTilesetId = 0;
  removeCurrentTileset(f.session);  // no current tileset: nothing happens
  EXPECT_EQ(f.services.messages, std::vector{shown("Collision tilesets cannot be removed from a project.",
                                                   MessageIcon::Warning, " - Remove Tileset")});
  EXPECT_EQ(std::tuple(f.registry().find(1) != nullptr, f.project().modified), std::tuple(true, false));
}

TEST(UpdateTileset, SameWidthAndTallerKeepsTileNumbersAndRecomputesPalettes) {
  PaintedMap f;
  // Starts in the page's own file; that file still exists.
  f.services.openFileAnswers.push_back({f.page("taller.bmp", 128, 128, {}, 3)});
  updateCurrentTileset(f.session);
  EXPECT_EQ(std::tuple(f.services.openRequests.at(0).title, f.services.openRequests.at(0).initialFile,
                       f.services.messages.size()),
            std::tuple("Update Tileset", f.folder.file("page.bmp"), 0u));
  const Tileset* updated = f.registry().find(2);
  ASSERT_NE(updated, nullptr);
  EXPECT_EQ(std::tuple(updated->imageHeight, updated->displayName, f.host.brushes.count(2), f.project().modified),
            std::tuple(128, "taller", 1u, true));
  const int tiles[] = {0, 1, 9, 10, 11};
  for (std::size_t i = 0; i < 5; ++i) {  // the tile numbers kept, the palette rows the new page's
    EXPECT_EQ(std::tuple(f.layer->cells[i].tile, f.layer->cells[i].palette), std::tuple(tiles[i], (tiles[i] + 3) % 16));
  }
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
  EXPECT_EQ(std::tuple(f.registry().find(2), f.layer->cells, f.project().modified), std::tuple(before, cells, false));
}

}  // namespace
}  // namespace qarto
