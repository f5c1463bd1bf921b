#include <gtest/gtest.h>

#include <map>
#include <random>

#include "edit/brush/brush.h"
#include "edit/brush/brush_picking.h"
#include "edit/brush/brush_table.h"
#include "edit/brush/detail_shape.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

TEST(Brush, OriginIsTheTruncatedMeanAndBoundsSpanThePositions) {
  EngineFixture f;
  const Tileset& page = f.numberedPage();
  Brush brush;
  EXPECT_TRUE(brush.add(page, -3, 5, 1, false, false));
  EXPECT_TRUE(brush.add(page, 0, 2, 2, true, false));
  EXPECT_FALSE(brush.add(page, 0, 2, 3, false, false)) << "a position holds one placement";
  EXPECT_TRUE(brush.add(page, 2, -4, 9, false, true));
  EXPECT_EQ(brush.count(), 3);
  EXPECT_EQ(brush.origin(), (CellPoint{0, 1}));  // -1/3 -> 0, 3/3 -> 1
  EXPECT_EQ(brush.bounds().minX, -3);
  EXPECT_EQ(brush.bounds().maxY, 5);
  EXPECT_EQ(brush.placement(2).palette, 9) << "the palette row comes from the tile's top-left pixel";

  EXPECT_TRUE(brush.remove(-3, 5));
  EXPECT_EQ(brush.origin(), (CellPoint{1, -1}));
  EXPECT_FALSE(brush.remove(-3, 5));
  brush.clear();
  EXPECT_EQ(brush.origin(), (CellPoint{0, 0}));
}

TEST(Brush, RefusesTheThousandTwentyFifthAndTilesCellsCannotHold) {
  EngineFixture f;
  const Tileset& page = f.numberedPage();
  Brush brush;
  for (int i = 0; i < 1024; ++i) ASSERT_TRUE(brush.add(page, i % 40, i / 40, i % 32, false, false));
  EXPECT_FALSE(brush.add(page, 500, 500, 0, false, false));
  EXPECT_EQ(brush.count(), 1024);

  Brush other;
  EXPECT_FALSE(other.add(page, 0, 0, -1, false, false)) << "negative tile numbers are out of range";
  EXPECT_FALSE(other.add(page, 0, 0, 32768, false, false));
  Tileset highId = page;
  highId.id = 128;
  EXPECT_FALSE(other.add(highId, 0, 0, 0, false, false)) << "cells keep ids up to 127";
  EXPECT_TRUE(other.empty());
}

// The position index against a plain map, through random adds and removes.
TEST(Brush, PositionIndexAgreesWithAReferenceUnderRandomEdits) {
  EngineFixture f;
  const Tileset& page = f.numberedPage();
  const Tileset& collision = *f.project().collisionTileset;
  std::mt19937 random(7);
  Brush brush;
  std::map<std::pair<int, int>, bool> reference;  // position -> collision tile
  for (int step = 0; step < 20000; ++step) {
    const int x = static_cast<int>(random() % 50) - 25;
    const int y = static_cast<int>(random() % 50) - 25;
    const bool fromCollision = random() % 4 == 0;
    if (random() % 3 != 0) {
      const bool added = brush.add(fromCollision ? collision : page, x, y, 3, false, false);
      const bool fits = reference.size() < 1024 && reference.count({x, y}) == 0;
      ASSERT_EQ(added, fits);
      if (added) reference[{x, y}] = fromCollision;
    } else {
      ASSERT_EQ(brush.remove(x, y), reference.erase({x, y}) == 1);
    }
  }
  int collisionTiles = 0;
  for (const auto& [position, isCollision] : reference) {
    const int index = brush.find(position.first, position.second);
    ASSERT_GE(index, 0);
    EXPECT_EQ(brush.placement(index).x, position.first);
    collisionTiles += isCollision;
  }
  EXPECT_EQ(brush.count(), static_cast<int>(reference.size()));
  EXPECT_EQ(brush.collisionTiles(), collisionTiles);
  EXPECT_EQ(brush.normalTiles(), brush.count() - collisionTiles);
}

TEST(Brush, TrimRemovesEmptyTilesButKeepsPagesThatAreGone) {
  EngineFixture f;
  Tileset& page = f.numberedPage({2, 5});
  Brush brush;
  brush.add(page, 0, 0, 2, false, false);
  brush.add(page, 1, 0, 5, false, false);
  brush.trim(f.project().registry());
  EXPECT_TRUE(brush.empty());
  EXPECT_EQ(brush.origin(), (CellPoint{0, 0}));

  brush.add(page, 0, 0, 2, false, false);
  brush.add(page, 1, 0, 3, false, false);
  brush.add(page, 2, 0, 999, false, false);  // outside the page: empty
  brush.trim(f.project().registry());
  ASSERT_EQ(brush.count(), 1);
  EXPECT_EQ(brush.placement(0).tile, 3);

  // Counts follow each placement's own kind even after its page is removed.
  const std::int32_t id = page.id;
  f.project().registry().remove(id);
  brush.trim(f.project().registry());
  EXPECT_EQ(brush.count(), 1);
  brush.remove(1, 0);
  EXPECT_EQ(brush.normalTiles(), 0);
  EXPECT_EQ(brush.collisionTiles(), 0);
}

TEST(Brush, RectangleRemovalEndsAsRemovingEachCellInTurn) {
  EngineFixture f;
  const Tileset& page = f.numberedPage();
  Brush a;
  for (int i = 0; i < 30; ++i) a.add(page, (i * 7) % 11, (i * 5) % 9, i, false, false);
  Brush b = a;
  removeRectangle(a, CellRect::spanning({8, 6}, {2, 1}));
  for (int y = 1; y <= 6; ++y) {
    for (int x = 2; x <= 8; ++x) b.remove(x, y);
  }
  ASSERT_EQ(a.count(), b.count());
  for (int i = 0; i < a.count(); ++i) {
    EXPECT_EQ(a.placement(i).x, b.placement(i).x);
    EXPECT_EQ(a.placement(i).y, b.placement(i).y);
  }
}

TEST(DetailBrush, ShapesAdmitTheirOffsets) {
  DetailBrush ellipse;  // radii 2: dx^2 + dy^2 below 2
  std::vector<std::pair<int, int>> admitted;
  for (int dy = -3; dy <= 3; ++dy) {
    for (int dx = -3; dx <= 3; ++dx) {
      if (ellipse.admits(dx, dy)) admitted.emplace_back(dx, dy);
    }
  }
  EXPECT_EQ(admitted, (std::vector<std::pair<int, int>>{{0, -1}, {-1, 0}, {0, 0}, {1, 0}, {0, 1}}));

  DetailBrush rectangle{DetailShape::Rectangle, 2, 1, 2.0f, 2.0f};
  EXPECT_TRUE(rectangle.admits(1, 0));
  EXPECT_FALSE(rectangle.admits(2, 0));
  EXPECT_FALSE(rectangle.admits(0, 1));

  DetailBrush slash{DetailShape::DiagonalSlash, 1, 3, 2.0f, 2.0f};  // |dx + dy| <= 1, r^2 < 8
  EXPECT_TRUE(slash.admits(1, -1));
  EXPECT_TRUE(slash.admits(1, 0));
  EXPECT_FALSE(slash.admits(1, 1));
  EXPECT_FALSE(slash.admits(2, -2)) << "8 is not below 8";
  DetailBrush backslash{DetailShape::DiagonalBackslash, 1, 3, 2.0f, 2.0f};
  EXPECT_TRUE(backslash.admits(1, 1));
  EXPECT_FALSE(backslash.admits(1, -1));
}

TEST(DetailBrush, GrowAndShrinkStopAtTheirLimits) {
  DetailBrush d;
  d.widthLevel = 10;
  d.growWidth();
  EXPECT_EQ(d.widthLevel, 11);
  EXPECT_EQ(d.widthRadius, 4.0f);
  d.growWidth();
  EXPECT_EQ(d.widthLevel, 11);
  d.widthLevel = 1;
  d.shrinkWidth();
  EXPECT_EQ(d.widthLevel, 1);
  EXPECT_EQ(d.widthRadius, 4.0f);
  d.heightLevel = 2;
  d.shrinkHeight();
  EXPECT_EQ(d.heightLevel, 1);
  EXPECT_EQ(d.heightRadius, 1.0f);
  for (int i = 0; i < 5; ++i) d.shrinkUniform();
  EXPECT_EQ(d.widthLevel, 0);
  EXPECT_EQ(d.heightLevel, 0);
  EXPECT_EQ(d.widthRadius, 4.0f) << "uniform steps leave the radii";
}

TEST(BrushTable, StepsThroughPagesWithWrapAndSurvivesResets) {
  EngineFixture f;  // collision tileset id 1
  f.numberedPage();  // 2
  f.numberedPage();  // 3
  const TilesetRegistry& registry = f.project().registry();
  EXPECT_EQ(steppedTilesetId(registry, 3, true), 1);
  EXPECT_EQ(steppedTilesetId(registry, 1, false), 3);
  EXPECT_EQ(steppedTilesetId(registry, 2, true), 3);
  EXPECT_EQ(steppedTilesetId(registry, 9, true), 0) << "nothing to step from";

  f.project().currentTilesetId = 3;
  f.key(Key::Other, ".");
  EXPECT_EQ(f.project().currentTilesetId, 1);
  f.key(Key::Other, "<");
  EXPECT_EQ(f.project().currentTilesetId, 3);

  EXPECT_EQ(f.state().brushes.size(), 3u);
  f.state().brushes.stamp().add(*registry.find(2), 0, 0, 1, false, false);
  f.project().resetProject(false);
  EXPECT_EQ(f.state().brushes.size(), 1u) << "only the collision tileset's brush stays";
  EXPECT_NE(f.state().brushes.forTileset(1), nullptr);
  EXPECT_TRUE(f.state().brushes.stamp().empty());
}

}  // namespace
}  // namespace qarto::test
