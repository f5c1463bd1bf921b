#include <gtest/gtest.h>
#include <pthread.h>

#include <functional>
#include <random>

#include "edit/brush/brush.h"
#include "edit/tools/flood_fill.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

// The fill as a plain recursive function: write the cell, fill above, left
// and below, then walk right; one visit counted per call and per step
// right, nothing more after 17000. Run on a thread with a large stack.
struct ReferenceFill {
  MapLayer& layer;
  MapCell target;
  MapCell replacement;
  std::function<bool(const MapCell&)> emptyTile;
  bool startEmpty = false;
  int visits = 0;
  bool stopped = false;

  bool same(int x, int y) {
    const MapCell& c = layer.cell(x, y);
    if (layer.kind == LayerKind::Collision && c.collision != target.collision) return false;
    return (c.tile == target.tile && c.tileset == target.tileset && c.palette == target.palette) ||
           (startEmpty && emptyTile(c));
  }
  void fill(int x, int y) {
    if (stopped || ++visits > kFillVisitLimit) {
      stopped = true;
      return;
    }
    for (;;) {
      MapCell& c = layer.cell(x, y);
      c.tile = replacement.tile;
      c.tileset = replacement.tileset;
      c.palette = replacement.palette;
      if (y > 0 && same(x, y - 1)) fill(x, y - 1);
      if (x > 0 && same(x - 1, y)) fill(x - 1, y);
      if (y + 1 < layer.height && same(x, y + 1)) fill(x, y + 1);
      if (stopped || x == layer.width - 1 || !same(x + 1, y)) return;
      if (++visits > kFillVisitLimit) {
        stopped = true;
        return;
      }
      ++x;
    }
  }
};

void runWithBigStack(const std::function<void()>& work) {
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, 512u << 20);
  pthread_t thread;
  auto body = [](void* arg) -> void* {
    (*static_cast<const std::function<void()>*>(arg))();
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attr, body, const_cast<std::function<void()>*>(&work)), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attr);
}

struct FillFixture : EngineFixture {
  Tileset* tiles = nullptr;
  Brush brush;

  FillFixture() {
    tiles = &numberedPage({0, 1});  // tiles 0 and 1 are empty
    brush.add(*tiles, 0, 0, 7, false, false);
  }

  // Random cells drawn from a few tiles so that regions form.
  void scatter(MapLayer& layer, std::mt19937& random, int kinds) {
    for (MapCell& c : layer.cells) {
      c.tile = static_cast<std::int16_t>(random() % kinds);
      c.tileset = static_cast<std::int8_t>(tiles->id);
      c.palette = static_cast<std::uint8_t>(c.tile % 2);
    }
  }

  void compareWithReference(MapLayer& layer, CellPoint start) {
    MapLayer expected = layer;
    ReferenceFill reference{expected, layer.cell(start.x, start.y), {}, {}};
    reference.replacement.tile = 7;
    reference.replacement.tileset = static_cast<std::int8_t>(tiles->id);
    reference.replacement.palette = 7;
    reference.emptyTile = [this](const MapCell& c) {
      const Tileset* page = project().registry().find(c.tileset);
      TilePixels pixels{};
      if (page == nullptr) return false;
      if (!readTile(*page, c.tile, false, false, pixels)) return true;  // outside the page
      for (std::uint8_t p : pixels) {
        if (p != 0) return false;
      }
      return true;
    };
    reference.startEmpty = reference.emptyTile(reference.target);
    runWithBigStack([&] { reference.fill(start.x, start.y); });

    UndoJournal& journal = project().journal();
    journal.beginCellEdit(&layer);
    const std::vector<MapCell> before = layer.cells;
    const FillResult result = floodFill(layer, start, brush, false, false, project().registry(), journal);
    journal.commitCellEdit();
    EXPECT_EQ(result.cutOff, reference.stopped);
    for (std::size_t i = 0; i < layer.cells.size(); ++i) {
      ASSERT_EQ(layer.cells[i].tile, expected.cells[i].tile) << "cell " << i % layer.width << "," << i / layer.width;
    }
    if (result.written > 0) {
      journal.undo(project());
      EXPECT_EQ(layer.cells, before);
    }
  }
};

TEST(FloodFill, MatchesTheRecursiveFillOnRandomLayers) {
  FillFixture f;
  MapLayer& layer = f.layer("Level", 37, 23, LayerKind::Primary);
  std::mt19937 random(11);
  for (int round = 0; round < 60; ++round) {
    f.scatter(layer, random, 2 + round % 4);
    f.compareWithReference(layer, {static_cast<int>(random() % 37), static_cast<int>(random() % 23)});
  }
}

TEST(FloodFill, StopsPartWayAfterSeventeenThousandVisits) {
  FillFixture f;
  MapLayer& layer = f.layer("Level", 300, 200, LayerKind::Primary);
  std::mt19937 random(5);
  f.scatter(layer, random, 1);  // one region of 60000 cells
  f.compareWithReference(layer, {150, 100});
  int written = 0;
  for (const MapCell& c : layer.cells) written += c.tile == 7;
  EXPECT_EQ(written, 0) << "undone";
}

TEST(FloodFill, EmptyTilesOfAnyPageAreOneRegion) {
  FillFixture f;
  MapLayer& layer = f.layer("Level", 6, 1, LayerKind::Primary);
  Tileset& other = f.numberedPage({3});
  const std::int8_t a = static_cast<std::int8_t>(f.tiles->id);
  const std::int8_t b = static_cast<std::int8_t>(other.id);
  const MapCell row[6] = {{0, a, 0, 0, 0, 0}, {1, a, 5, 0, 0, 0}, {3, b, 2, 0, 0, 0},
                          {500, a, 0, 0, 0, 0}, {4, a, 0, 0, 0, 0}, {0, a, 0, 0, 0, 0}};
  for (int x = 0; x < 6; ++x) layer.cell(x, 0) = row[x];
  f.compareWithReference(layer, {0, 0});
  EXPECT_EQ(layer.cell(3, 0).tile, 500) << "undone after the comparison";

  f.project().journal().beginCellEdit(&layer);
  floodFill(layer, {0, 0}, f.brush, true, false, f.project().registry(), f.project().journal());
  f.project().journal().commitCellEdit();
  for (int x = 0; x < 4; ++x) EXPECT_EQ(layer.cell(x, 0).tile, 7) << x << ": tile 500 is outside its page";
  EXPECT_TRUE(layer.cell(0, 0).hflip()) << "the brush flip, not the placement's";
  EXPECT_EQ(layer.cell(4, 0).tile, 4);
}

// An empty replacement on an empty start still counts as "the same": the
// fill must not run back and forth until the visit limit.
TEST(FloodFill, AnEmptyReplacementOnEmptyCellsEnds) {
  FillFixture f;
  MapLayer& layer = f.layer("Level", 10, 10, LayerKind::Primary);
  for (MapCell& c : layer.cells) c = MapCell{0, static_cast<std::int8_t>(f.tiles->id), 0, 0, 0, 0};
  Brush empty;
  empty.add(*f.tiles, 0, 0, 1, false, false);
  f.project().journal().beginCellEdit(&layer);
  const FillResult result = floodFill(layer, {4, 4}, empty, false, false, f.project().registry(), f.project().journal());
  EXPECT_FALSE(result.cutOff);
  EXPECT_EQ(result.written, 100);
  EXPECT_LE(result.visits, 200);
}

TEST(FloodFill, CollisionLayersMatchFlagsAndWriteTileOne) {
  FillFixture f;
  MapLayer& layer = f.layer("Collision", 4, 1, LayerKind::Collision);
  layer.cell(2, 0).collision = 0x1000;
  Brush brush;
  brush.add(*f.project().collisionTileset, 0, 0, 5, false, false);
  f.project().journal().beginCellEdit(&layer);
  floodFill(layer, {0, 0}, brush, false, false, f.project().registry(), f.project().journal());
  EXPECT_EQ(layer.cell(0, 0).tile, 1);
  EXPECT_EQ(layer.cell(1, 0).tile, 1);
  EXPECT_EQ(layer.cell(2, 0).tile, 0) << "its flags differ";
}

TEST(FloodFillTool, FillsAtThePressAsOneUndoStepAndMarksTheMap) {
  FillFixture f;
  MapLayer& layer = f.layer("Level", 8, 8, LayerKind::Primary);
  f.project().currentTilesetId = f.tiles->id;
  f.pickTiles({{5, 0}});
  f.key(Key::F4);
  f.drag({EngineFixture::at(2, 2), EngineFixture::at(3, 3)});
  for (const MapCell& c : layer.cells) EXPECT_EQ(c.tile, 5);
  EXPECT_TRUE(f.project().modified);
  EXPECT_EQ(f.project().journal().size(), 1u);
  EXPECT_GT(f.services.busyCalls, 0);
  EXPECT_EQ(f.services.busyDepth, 0);
}

}  // namespace
}  // namespace qarto::test
