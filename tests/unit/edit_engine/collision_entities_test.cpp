#include <gtest/gtest.h>

#include <random>

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

TEST(CollisionWord, FlagsBarSelectionsModesAndTheCursorTileReadOut) {
  FlagsBar bar;
  bar.selectMarker(2);
  EXPECT_EQ(bar.value, 2u << 6);
  bar.selectMarker(4);  // "Reserved 2" selects "None"
  bar.selectDamage(1);
  bar.selectDamage(3);
  EXPECT_EQ(std::tuple(bar.marker(), bar.damage()), std::tuple(0, 0));
  bar.selectDamage(1);
  bar.setSolid(true);
  bar.setJumpThrough(true);
  bar.setJumpThrough(false);
  EXPECT_EQ(bar.value, (1u << 14) | (1u << 12));
  EXPECT_EQ(std::string(markerName(7)) + damageName(-1), "") << "no names beyond the named ones";
  EXPECT_EQ(std::vector<int>({applyFlags(0xF0F0, 0x0000, FlagPaintMode::Replace),
                              applyFlags(0x3040, 0x1000, FlagPaintMode::Remove),
                              applyFlags(0x2000, 0x1040, FlagPaintMode::Add)}),
            std::vector<int>({0x0000, 0x2040, 0x3040}));

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

// Against a pixel-by-pixel count on random pages with random shapes; then
// the built-in shapes with and without the minimum match.
TEST(CollisionSetGeneration, AgreesWithAPixelByPixelCountAndFiltersWeakMatches) {
  EngineFixture f;
  std::mt19937 random(3);
  auto randomPage = [&](int w, int h) -> Tileset& {
    return f.page(w, h, [&random](int, int) { return static_cast<std::uint8_t>(random() % 3 == 0 ? 0x30 : random()); });
  };
  const Tileset& shapes = randomPage(32, 16);  // 8 candidate shapes
  const Tileset& page = randomPage(48, 24);
  const std::vector<std::uint8_t> set = generateCollisionSet(page, shapes, false);
  ASSERT_EQ(set.size(), 18u);
  auto drawn = [](const Tileset& p, int tile, int px) {
    const int columns = p.imageWidth / 8;
    const int x = (tile % columns) * 8 + px % 8;
    const int y = (tile / columns) * 8 + px / 8;
    return (p.pixels[static_cast<std::size_t>(y * p.imageWidth + x)] & 0x0F) != 0;
  };
  for (int t = 0; t < 18; ++t) {
    int best = 0;
    int bestCount = 0;
    for (int c = 0; c < 8; ++c) {
      int count = 0;
      for (int px = 0; px < 64; ++px) count += drawn(page, t, px) == drawn(shapes, c, px);
      if (count > bestCount) {
        bestCount = count;
        best = c;
      }
    }
    EXPECT_EQ(set[static_cast<std::size_t>(t)], best) << "tile " << t;
  }
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
  EXPECT_EQ(std::tuple(primary.nameText(), collision.nameText(), primary.width, primary.cell(3, 1).tile,
                       primary.cell(3, 1).palette),
            std::tuple("BMP_tilepage", "CLL_Layer", 4, 7, 3));
  EXPECT_EQ(std::tuple(collision.cell(0, 0).tile, collision.cell(3, 1).tile, collision.cell(3, 1).tileset),
            std::tuple(0, 1, p.collisionTileset->id));
  EXPECT_EQ(std::tuple(p.collisionSetEditing, p.modified, p.journal().canUndo(), title),
            std::tuple(true, true, false, "Qarto v0.99 - New .CLL"));

  // A .cll beside the page is taken as it is.
  writeBytes(folder.file("Level1.cll"), {4, 0, 0, 0, 2, 0, 0, 0, 10, 11, 12, 13, 14, 15, 16, 17});
  ASSERT_TRUE(runMakeCllWizard(f.engine->session(), MakeCllRequest{path, true, true, false}, hooks));
  EXPECT_EQ(f.project().findLayerOfKind(LayerKind::Collision)->cell(3, 1).tile, 17);

  // A page that cannot be read leaves an empty project and says why.
  EXPECT_FALSE(
      runMakeCllWizard(f.engine->session(), MakeCllRequest{folder.file("none.bmp"), true, true, false}, hooks));
  EXPECT_FALSE(f.project().hasLayers());
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Tile Load Error");
}

// A 64 x 40 primary layer and an entity layer, the entity tool chosen.
struct EntityFixture : EngineFixture {
  MapLayer& level = layer("Level", 64, 40, LayerKind::Primary);
  MapLayer& entities = layer("Entities", 0, 0, LayerKind::Entity);
  EntityFixture() { engine->mapTools().setTool(ToolKind::EntityPlacement); }
  EntityRecord at(int slot) { return readEntity(entities, slot).value(); }
};

TEST(Entities, TheSlotLayoutIsLittleEndianAndCloneFlipAndClearActOnTheSelection) {
  EntityFixture f;
  ASSERT_TRUE(writeEntity(f.entities, 3, EntityRecord{true, 0x0102, -1, -5, 0x01020304}));
  const std::uint8_t* slot = f.entities.entities.data() + 3 * 48;
  EXPECT_EQ(std::vector<int>({slot[0], slot[2], slot[3], slot[4], slot[8], slot[12], slot[15]}),
            std::vector<int>({1, 0x02, 0x01, 0xFF, 0xFB, 0x04, 0x01}));
  EXPECT_FALSE(writeEntity(f.entities, 32, EntityRecord{}));
  EXPECT_FALSE(readEntity(f.level, 0));
  // Clone, flip and clear act on the selection.
  f.project().setActiveLayer(&f.entities);
  writeEntity(f.entities, 0, EntityRecord{true, 3, 1, 40, 80});
  f.project().selectedEntity = 0;
  cloneSelectedEntity(f.state());
  EXPECT_EQ(std::tuple(f.at(1), f.project().selectedEntity), std::tuple(f.at(0), 0));
  f.key(Key::H);
  EXPECT_EQ(f.at(0).facing, -1);
  f.key(Key::H);
  EXPECT_EQ(f.at(0).facing, 1);
  f.key(Key::Escape);
  EXPECT_EQ(f.project().selectedEntity, -1);
  cloneSelectedEntity(f.state());  // nothing selected: nothing happens
  EXPECT_FALSE(f.at(2).inUse);
}

TEST(Entities, SpawnPlacesAtTheMouseReusesTheLowestFreeSlotAndAsksForALayer) {
  EntityFixture f;
  f.run(cmd::kZoom2);
  f.state().view.scrollX = 100;
  f.state().view.scrollY = 40;
  f.engine->mouseMove({50, 30}, {}, {});
  spawnEntity(f.state(), 4);
  EXPECT_EQ(f.at(0), (EntityRecord{true, 4, 1, 75, 45}));
  EXPECT_EQ(std::tuple(f.project().selectedEntity, f.state().entityDrag.dragging, f.project().modified),
            std::tuple(0, true, true));
  for (int i = 1; i < 32; ++i) spawnEntity(f.state(), 0);
  spawnEntity(f.state(), 0);
  EXPECT_EQ(f.services.messages, std::vector<Message>{shown("Darn, no free entities!", MessageIcon::None)});
  f.project().setActiveLayer(&f.entities);
  f.project().selectedEntity = 7;
  deleteSelectedEntity(f.state());
  spawnEntity(f.state(), 2);
  EXPECT_EQ(f.at(7).type, 2);

  for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
    EngineFixture g;
    g.layer("Level", 64, 40, LayerKind::Primary);
    g.services.answers.push_back(answer);
    spawnEntity(g.state(), 1);
    EXPECT_EQ(g.services.messages,
              std::vector<Message>{shown("No entity layer is present in your project, would you like to add one?",
                                         MessageIcon::Question, "", MessageButtons::YesNo)});
    const MapLayer* added = g.project().findLayerOfKind(LayerKind::Entity);
    ASSERT_EQ(added != nullptr, answer == MessageAnswer::Yes);
    if (added != nullptr) {
      EXPECT_EQ(std::tuple(added->nameText(), g.project().activeLayer, readEntity(*added, 0)->inUse),
                std::tuple("Entities", added, true));
    }
  }
}

TEST(Entities, PressesPickTheLowestSlotWithinTheSpriteAndDragsMoveBySteps) {
  EntityFixture f;  // zoom 1, no scroll, no origin: window pixels are map pixels
  writeEntity(f.entities, 2, EntityRecord{true, 0, 1, 100, 200});
  writeEntity(f.entities, 5, EntityRecord{true, 0, 1, 160, 190});
  // 64 pixels above the foot and 32 to the left are inside, 65 and 33 not;
  // where two overlap, the lower slot.
  EXPECT_EQ(std::vector<int>({entityAt(f.entities, {100, 136}), entityAt(f.entities, {100, 135}),
                              entityAt(f.entities, {68, 200}), entityAt(f.entities, {67, 200}),
                              entityAt(f.entities, {150, 150}), entityAt(f.entities, {130, 180})}),
            std::vector<int>({2, -1, 2, -1, 5, 2}));
  f.run(cmd::kZoom2);
  f.project().modified = false;
  f.drag({{200, 380}, {207, 390}});  // map (100, 190): slot 2; moved by (3.5, 5)
  EXPECT_EQ(std::tuple(f.project().selectedEntity, f.at(2).x, f.at(2).y, f.project().modified),
            std::tuple(2, 103, 205, true));
  f.drag({{0, 0}, {50, 50}});  // a miss keeps the selection and moves nothing
  EXPECT_EQ(std::tuple(f.project().selectedEntity, f.at(2).x), std::tuple(2, 103));
}

}  // namespace
}  // namespace qarto::test
