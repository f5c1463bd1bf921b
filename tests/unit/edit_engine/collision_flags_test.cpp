#include <gtest/gtest.h>

#include <random>

#include "edit/collision/collision_flip_tables.h"
#include "edit/collision/collision_set_generation.h"
#include "edit/collision/collision_word.h"
#include "edit/collision/flag_paint.h"
#include "edit/collision/make_cll_wizard.h"
#include "engine_fixture.h"
#include "io/bmp_codec.h"
#include "support/page_files.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

TEST(CollisionWord, FlagsBarSelectionsAndModes) {
  FlagsBar bar;
  bar.selectMarker(2);
  EXPECT_EQ(bar.value, 2u << 6);
  bar.selectMarker(4);  // "Reserved 2" selects "None"
  EXPECT_EQ(bar.marker(), 0);
  bar.selectDamage(1);
  bar.selectDamage(3);
  EXPECT_EQ(bar.damage(), 0);
  bar.selectDamage(1);
  bar.setSolid(true);
  bar.setJumpThrough(true);
  bar.setJumpThrough(false);
  EXPECT_EQ(bar.value, (1u << 14) | (1u << 12));
  EXPECT_STREQ(markerName(7), "") << "beyond the named markers: no name";
  EXPECT_STREQ(damageName(-1), "");

  const struct {
    std::uint16_t flags, value;
    FlagPaintMode mode;
    std::uint16_t expected;
  } modes[] = {{0xF0F0, 0x0000, FlagPaintMode::Replace, 0x0000},
               {0x3040, 0x1000, FlagPaintMode::Remove, 0x2040},
               {0x2000, 0x1040, FlagPaintMode::Add, 0x3040}};
  for (const auto& m : modes) EXPECT_EQ(applyFlags(m.flags, m.value, m.mode), m.expected);
}

TEST(CollisionWord, CursorTilePropertiesReadOut) {
  MapLayer collision;
  collision.kind = LayerKind::Collision;
  collision.width = 4;
  collision.height = 2;
  collision.cells.resize(8);
  collision.cell(1, 1).tile = 5;
  collision.cell(1, 1).collision = (1u << 6) | (1u << 12);
  EXPECT_EQ(cursorTileProperties(&collision, {1, 1}), " Collision index: 05 (0x05)\n\n Do Not Enter\n Solid\n");
  collision.cell(2, 0).tile = 77;  // the index keeps the low six bits
  collision.cell(2, 0).collision = (1u << 14) | (1u << 13);
  EXPECT_EQ(cursorTileProperties(&collision, {2, 0}), " Collision index: 13 (0x0D)\n\n Fire\n Jump Through\n");
  EXPECT_EQ(cursorTileProperties(&collision, {4, 0}), " Out of bounds");
  MapLayer tiles;
  EXPECT_EQ(cursorTileProperties(&tiles, {0, 0}), " Collision layer not active");
  EXPECT_EQ(cursorTileProperties(nullptr, {0, 0}), " Collision layer not active");
}

TEST(FlagPaintTool, StrokesAndRectanglesApplyTheValueAsUndoSteps) {
  EngineFixture f;
  f.layer("Level", 20, 10, LayerKind::Primary);
  MapLayer& collision = f.layer("Collision", 20, 10, LayerKind::Collision);
  f.engine->mapTools().setTool(ToolKind::FlagPaint);  // the command itself stays disabled
  ASSERT_EQ(f.project().activeLayer, &collision);
  f.state().flags.setSolid(true);
  f.drag({EngineFixture::at(1, 1), EngineFixture::at(2, 1), EngineFixture::at(3, 1)});
  for (int x = 1; x <= 3; ++x) EXPECT_EQ(collision.cell(x, 1).collision, 1u << 12);
  EXPECT_EQ(f.project().journal().size(), 1u);
  EXPECT_TRUE(f.project().modified);
  EXPECT_EQ(f.state().cursorTileProperties, " Collision index: 00 (0x00)\n\n Solid\n");

  // A rectangle applies to every cell, whatever the modifiers at release.
  f.engine->mousePress(MouseButton::Middle, EngineFixture::at(5, 5), kShift);
  f.engine->mouseRelease(MouseButton::Middle, EngineFixture::at(7, 6), {});
  EXPECT_EQ(collision.cell(6, 6).collision, 1u << 12);
  EXPECT_EQ(f.project().journal().size(), 2u);
  f.key(Key::Z, "", kCtrl);
  EXPECT_EQ(collision.cell(6, 6).collision, 0u);
  EXPECT_EQ(collision.cell(1, 1).collision, 1u << 12);
  f.key(Key::Z, "", kCtrl);
  EXPECT_EQ(collision.cell(1, 1).collision, 0u);
}

// Half-filled tiles mirror into each other; a tile with no mirror image
// among the others maps to its closest match, so flipping twice need not
// come back (which is why a collision layer's flip is undone from a copy).
TEST(CollisionFlipTables, MirroredCounterpartsOfADrawnPage) {
  EngineFixture f;
  // Tiles: 0 left half, 1 right half, 2 top half, 3 bottom half, 4 top-left corner.
  const Tileset& page = f.page(40, 8, [](int x, int y) {
    const int tile = x / 8;
    const int px = x % 8;
    const bool on = tile == 0 ? px < 4 : tile == 1 ? px >= 4 : tile == 2 ? y < 4 : tile == 3 ? y >= 4 : (px < 2 && y < 2);
    return static_cast<std::uint8_t>(on ? 1 : 0);
  });
  CollisionFlipTables tables;
  tables.build(page);
  EXPECT_EQ(tables.map(0, true, false), 1);
  EXPECT_EQ(tables.map(1, true, false), 0);
  EXPECT_EQ(tables.map(2, false, true), 3);
  EXPECT_EQ(tables.map(3, true, true), 2);
  EXPECT_EQ(tables.map(0, false, true), 0) << "a left half is its own vertical mirror";
  EXPECT_EQ(tables.map(4, true, false), 4) << "no top-right corner: the corner itself agrees most";
  EXPECT_EQ(tables.map(99, true, true), 99) << "outside the tables: kept";
  EXPECT_EQ(tables.map(-3, true, false), -3);
}

TEST(CollisionSetGeneration, PicksTheBestShapeAndFiltersWeakMatches) {
  EngineFixture f;
  const Tileset& collisionTiles = *f.project().collisionTileset;
  // Tile 0: transparent; tile 1: solid; tile 2: 58 of 64 pixels solid.
  Tileset& page = f.page(24, 8, [](int x, int y) {
    if (x < 8) return std::uint8_t{0x10};          // colour 0 of row 1: transparent
    if (x < 16) return std::uint8_t{0x21};         // drawn
    return static_cast<std::uint8_t>(y * 8 + (x - 16) < 58 ? 0x21 : 0x20);
  });
  const std::vector<std::uint8_t> plain = generateCollisionSet(page, collisionTiles, false);
  const std::vector<std::uint8_t> filtered = generateCollisionSet(page, collisionTiles, true);
  ASSERT_EQ(plain.size(), 3u);
  // The built-in collision page: tile 0 is empty, tile 1 is full.
  EXPECT_EQ(plain[0], 0);
  EXPECT_EQ(plain[1], 1);
  EXPECT_EQ(filtered[1], 1);
  EXPECT_EQ(plain[2], 1);
  EXPECT_EQ(filtered[2], 0) << "58 of 64 is below the filter";
}

// Against a pixel-by-pixel count on random pages with random shapes.
TEST(CollisionSetGeneration, AgreesWithAPixelByPixelCount) {
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
}

TEST(MakeCllWizard, BuildsTheCollisionSetProjectWithNothingToUndo) {
  EngineFixture f;
  TempFolder folder;
  const std::string path = writePage(folder, "Level1.bmp", makePage(32, 16, [](int x, int) {
                                       return static_cast<std::uint8_t>(x < 16 ? 0 : 0x31);
                                     }));
  std::string title;
  MapFileHooks hooks;
  hooks.setWindowTitle = [&title](const std::string& t) { title = t; };
  ASSERT_TRUE(runMakeCllWizard(f.engine->session(), MakeCllRequest{path, true, true, false}, hooks));
  MapProject& p = f.project();
  ASSERT_EQ(p.layerCount(), 2);
  const MapLayer& primary = *p.findLayerOfKind(LayerKind::Primary);
  const MapLayer& collision = *p.findLayerOfKind(LayerKind::Collision);
  EXPECT_EQ(primary.nameText(), "BMP_tilepage");
  EXPECT_EQ(collision.nameText(), "CLL_Layer");
  EXPECT_EQ(primary.width, 4);
  EXPECT_EQ(primary.cell(3, 1).tile, 7);
  EXPECT_EQ(primary.cell(3, 1).palette, 3);
  EXPECT_EQ(collision.cell(0, 0).tile, 0);
  EXPECT_EQ(collision.cell(3, 1).tile, 1);
  EXPECT_EQ(collision.cell(3, 1).tileset, p.collisionTileset->id);
  EXPECT_TRUE(p.collisionSetEditing);
  EXPECT_TRUE(p.modified);
  EXPECT_FALSE(p.journal().canUndo());
  EXPECT_EQ(title, "Qarto v0.99 - New .CLL");

  // A .cll beside the page is taken as it is.
  std::vector<std::uint8_t> cll = {4, 0, 0, 0, 2, 0, 0, 0};
  for (int i = 0; i < 8; ++i) cll.push_back(static_cast<std::uint8_t>(10 + i));
  writeBytes(folder.file("Level1.cll"), cll);
  ASSERT_TRUE(runMakeCllWizard(f.engine->session(), MakeCllRequest{path, true, true, false}, hooks));
  EXPECT_EQ(f.project().findLayerOfKind(LayerKind::Collision)->cell(3, 1).tile, 17);

  // A page that cannot be read leaves an empty project and says why.
  EXPECT_FALSE(runMakeCllWizard(f.engine->session(), MakeCllRequest{folder.file("none.bmp"), true, true, false}, hooks));
  EXPECT_FALSE(f.project().hasLayers());
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Tile Load Error");
}

}  // namespace
}  // namespace qarto::test
