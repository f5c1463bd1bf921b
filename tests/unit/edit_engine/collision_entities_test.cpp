#include <gtest/gtest.h>

#include "edit/collision/collision_flip_tables.h"
#include "edit/collision/collision_set_generation.h"
#include "edit/collision/collision_word.h"
#include "edit/collision/flag_paint.h"
#include "edit/collision/make_cll_wizard.h"
#include "edit/entities/entity_placement.h"
#include "edit/entities/entity_record.h"
#include "engine_fixture.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

// The bar's values and modes are played through scripts (side_bars_script_test).
TEST(CollisionWord, TheCursorTileReadOut) {
  MapLayer collision;
  collision.kind = LayerKind::Collision;
  collision.width = 4;
  collision.height = 2;
  collision.cells.resize(8);
  collision.cell(1, 1) = MapCell{5, 1, 0, (1u << 6) | (1u << 12), 0, 0};
  collision.cell(2, 0) = MapCell{77, 1, 0, (1u << 14) | (1u << 13), 0, 0};  // the index keeps the low six bits
  EXPECT_EQ(cursorTileProperties(&collision, {1, 1}), " Collision index: 05 (0x05)\n\n Do Not Enter\n Solid\n");
  EXPECT_EQ(cursorTileProperties(&collision, {2, 0}), " Collision index: 13 (0x0D)\n\n Fire\n Jump Through\n");
  EXPECT_EQ(cursorTileProperties(&collision, {4, 0}), " Out of bounds");
  EXPECT_EQ(cursorTileProperties(nullptr, {0, 0}), " Collision layer not active");
  collision.kind = LayerKind::Primary;
  EXPECT_EQ(cursorTileProperties(&collision, {0, 0}), " Collision layer not active");
}

// Half-filled tiles mirror into each other; a tile with no mirror image
// among the others maps to its closest match, the first of equals, so
// flipping twice need not come back.
TEST(CollisionFlipTables, MirroredCounterpartsOfADrawnPage) {
  EngineFixture f;
  // Tiles: 0 left half, 1 right half, 2 top half, 3 bottom half, 4 top-left corner, 5 right half again.
  const Tileset& page = f.page(48, 8, [](int x, int y) {
    const int tile = x / 8;
    const int px = x % 8;
    const bool on = tile == 0                ? px < 4
                    : tile == 1 || tile == 5 ? px >= 4
                    : tile == 2              ? y < 4
                    : tile == 3              ? y >= 4
                                             : px < 2 && y < 2;
    return static_cast<std::uint8_t>(on ? 1 : 0);
  });
  CollisionFlipTables tables;
  tables.build(page);
  // A left half is its own vertical mirror; no tile is a top-right corner, the corner itself agrees most;
  // tiles outside the tables are kept.
  EXPECT_EQ(std::vector<int>({tables.map(0, true, false), tables.map(1, true, false), tables.map(2, false, true),
                              tables.map(3, true, true), tables.map(0, false, true), tables.map(4, true, false),
                              tables.map(99, true, true), tables.map(-3, true, false)}),
            std::vector<int>({1, 0, 3, 2, 0, 4, 99, -3}));
}

// The closest shape of each tile is the MakeCll wizard's test; here, the
// built-in shapes with and without the minimum match.
TEST(CollisionSetGeneration, FiltersWeakMatches) {
  EngineFixture f;
  // Tile 0: transparent (colour 0 of row 1); tile 1: solid; tile 2: 58 of 64 pixels solid.
  Tileset& drawn58 = f.page(24, 8, [](int x, int y) {
    return static_cast<std::uint8_t>(x < 8 ? 0x10 : x < 16 || y * 8 + (x - 16) < 58 ? 0x21 : 0x20);
  });
  // The built-in collision page: tile 0 is empty, tile 1 is full.
  EXPECT_EQ(generateCollisionSet(drawn58, *f.project().collisionTileset, false), (std::vector<std::uint8_t>{0, 1, 1}));
  EXPECT_EQ(generateCollisionSet(drawn58, *f.project().collisionTileset, true), (std::vector<std::uint8_t>{0, 1, 0}))
      << "58 of 64 is below the filter";
}

TEST(MakeCllWizard, BuildsTheCollisionSetProjectWithNothingToUndo) {
  EngineFixture f;
  TempFolder folder;
  const std::string path = writePage(
      folder, "Level1.bmp", makePage(32, 16, [](int x, int) { return static_cast<std::uint8_t>(x < 16 ? 0 : 0x31); }));
  std::string title;
  MapFileHooks hooks;
  hooks.setWindowTitle = [&title](const std::string& t) { title = t; };
  ASSERT_TRUE(runMakeCllWizard(f.engine->session(), MakeCllRequest{path, true, true, false}, hooks));
  MapProject& p = f.project();
  ASSERT_EQ(p.layerCount(), 2);
  const MapLayer& primary = *p.findLayerOfKind(LayerKind::Primary);
  const MapLayer& collision = *p.findLayerOfKind(LayerKind::Collision);
  // The page's 4 x 2 tiles, the left half blank; the collision tiles the closest built-in shapes.
  EXPECT_EQ(std::tuple(primary.nameText(), collision.nameText(), primary.width, primary.cell(3, 1).tile,
                       primary.cell(3, 1).palette, collision.cell(0, 0).tile, collision.cell(3, 1).tile,
                       collision.cell(3, 1).tileset),
            std::tuple("BMP_tilepage", "CLL_Layer", 4, 7, 3, 0, 1, p.collisionTileset->id));
  EXPECT_EQ(std::tuple(p.collisionSetEditing, p.modified, p.journal().canUndo(), title),
            std::tuple(true, true, false, "Qarto v0.99 - New .CLL"));

  // A .cll beside the page is taken as it is.
  writeBytes(folder.file("Level1.cll"), {4, 0, 0, 0, 2, 0, 0, 0, 10, 11, 12, 13, 14, 15, 16, 17});
  ASSERT_TRUE(runMakeCllWizard(f.engine->session(), MakeCllRequest{path, true, true, false}, hooks));
  EXPECT_EQ(f.project().findLayerOfKind(LayerKind::Collision)->cell(3, 1).tile, 17);

  // A page that cannot be read leaves an empty project and says why.
  EXPECT_FALSE(
      runMakeCllWizard(f.engine->session(), MakeCllRequest{folder.file("none.bmp"), true, true, false}, hooks));
  EXPECT_EQ(std::tuple(f.project().hasLayers(), f.services.lastMessage()),
            std::tuple(false, shown("File <" + folder.file("none.bmp") + "> not found!", MessageIcon::Warning,
                                    " - Tile Load Error")));
}

// A 64 x 40 primary layer and an entity layer, the entity tool chosen.
// Spawning, dragging, cloning, flipping and deleting through the Entities
// bar are played as scripts (side_bars_script_test).
struct EntityFixture : EngineFixture {
  MapLayer& level = layer("Level", 64, 40, LayerKind::Primary);
  MapLayer& entities = layer("Entities", 0, 0, LayerKind::Entity);
  EntityFixture() { engine->mapTools().setTool(ToolKind::EntityPlacement); }
  EntityRecord at(int slot) { return readEntity(entities, slot).value(); }
};

// The new entity stands under the mouse, its foot 10 pixels below it.
TEST(Entities, SpawnWithoutAnEntityLayerAsksToAddOne) {
  for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
    EngineFixture f;
    f.layer("Level", 64, 40, LayerKind::Primary);
    f.run(cmd::kZoom2);
    f.state().view.scrollX = 100;
    f.state().view.scrollY = 40;
    f.engine->mouseMove({50, 30}, {}, {});
    f.services.answers.push_back(answer);
    spawnEntity(f.state(), 4);
    EXPECT_EQ(f.services.messages,
              std::vector<Message>{shown("No entity layer is present in your project, would you like to add one?",
                                         MessageIcon::Question, "", MessageButtons::YesNo)});
    const MapLayer* added = f.project().findLayerOfKind(LayerKind::Entity);
    ASSERT_EQ(added != nullptr, answer == MessageAnswer::Yes);
    if (added != nullptr) {
      EXPECT_EQ(std::tuple(added->nameText(), f.project().activeLayer, readEntity(*added, 0)),
                std::tuple("Entities", added, EntityRecord{true, 4, 1, 75, 45}));
    }
  }
}

TEST(Entities, PressesPickTheLowestSlotWithinTheSpriteAndAMissMovesNothing) {
  EntityFixture f;  // zoom 1, no scroll, no origin: window pixels are map pixels
  writeEntity(f.entities, 2, EntityRecord{true, 0, 1, 100, 200});
  writeEntity(f.entities, 5, EntityRecord{true, 0, 1, 120, 185});
  // The 32-pixel sprite, drawn one map pixel per sprite pixel, reaches 16
  // pixels either side of the foot and 32 above it, limits included; where
  // two overlap, the lower slot.
  const std::pair<CellPoint, int> presses[] = {
      {{100, 168}, 2}, {{100, 167}, -1}, {{84, 200}, 2},  {{83, 200}, -1},   // top, left
      {{116, 195}, 2}, {{117, 195}, -1}, {{100, 200}, 2}, {{100, 201}, -1},  // right, bottom
      {{120, 165}, 5}, {{105, 180}, 2},
  };
  for (const auto& [point, slot] : presses) EXPECT_EQ(entityAt(f.entities, point), slot) << point.x << "," << point.y;
  f.project().selectedEntity = 2;
  f.project().modified = false;
  f.drag({{0, 0}, {50, 50}});
  EXPECT_EQ(std::tuple(f.project().selectedEntity, f.at(2).x, f.project().modified), std::tuple(2, 100, false));
}

// A tile tool chosen while the entity layer is active goes back to the tile
// layer active before Entity Placement took over, else to the primary layer.
TEST(Entities, ATileToolAfterEntityPlacementMakesTheTileLayerOfBeforeActive) {
  for (const char* before : {"Back", "Level", ""}) {
    EngineFixture f;
    MapLayer& level = f.layer("Level", 64, 40, LayerKind::Primary);
    MapLayer& back = f.layer("Back", 64, 40, LayerKind::Secondary);
    MapLayer& entities = f.layer("Entities", 0, 0, LayerKind::Entity);
    if (*before != 0) {
      f.project().setActiveLayer(*before == 'B' ? &back : &level);
      f.run(cmd::kEntityPlacementMode);
      EXPECT_EQ(f.project().activeLayer, &entities);
    }
    f.run(cmd::kFloodFillMode);
    EXPECT_EQ(f.project().activeLayer, *before == 'B' ? &back : &level) << before;
  }
}

}  // namespace
}  // namespace qarto::test
