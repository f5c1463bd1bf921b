#include "edit/tools/flood_fill.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <functional>
#include <random>

#include "edit/brush/brush.h"
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

// The numbered page with tiles 0 and 1 empty; the brush holds its tile 7.
struct FillFixture : EngineFixture {
  Tileset& tiles = numberedPage({0, 1});
  Brush brush;
  FillFixture() { brush.add(tiles, 0, 0, 7, false, false); }

  // Random cells drawn from a few tiles so that regions form.
  void scatter(MapLayer& layer, std::mt19937& random, int kinds) {
    for (MapCell& c : layer.cells) {
      c.tile = static_cast<std::int16_t>(random() % kinds);
      c.tileset = static_cast<std::int8_t>(tiles.id);
      c.palette = static_cast<std::uint8_t>(c.tile % 2);
    }
  }

  FillResult fill(MapLayer& layer, CellPoint start, const Brush& with, bool hflip = false) {
    journal().beginCellEdit(&layer);
    const FillResult result = floodFill(layer, start, with, hflip, false, project().registry(), journal());
    journal().commitCellEdit();
    return result;
  }

  // Fills as the reference does, compares, and undoes the fill.
  void compareWithReference(MapLayer& layer, CellPoint start) {
    MapLayer expected = layer;
    ReferenceFill reference{expected, layer.cell(start.x, start.y), {7, static_cast<std::int8_t>(tiles.id), 7}, {}};
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
    const std::vector<MapCell> before = layer.cells;
    const FillResult result = fill(layer, start, brush);
    EXPECT_EQ(result.cutOff, reference.stopped);
    for (std::size_t i = 0; i < layer.cells.size(); ++i) {
      ASSERT_EQ(layer.cells[i].tile, expected.cells[i].tile) << "cell " << i % layer.width << "," << i / layer.width;
    }
    if (result.written > 0) journal().undo(project());
    EXPECT_EQ(layer.cells, before);
  }
};

TEST(FloodFill, MatchesTheRecursiveFillOnRandomLayersAndStopsAfterSeventeenThousandVisits) {
  FillFixture f;
  MapLayer& layer = f.layer("Level", 37, 23, LayerKind::Primary);
  std::mt19937 random(11);
  for (int round = 0; round < 60; ++round) {
    f.scatter(layer, random, 2 + round % 4);
    f.compareWithReference(layer, {static_cast<int>(random() % 37), static_cast<int>(random() % 23)});
  }
  MapLayer& large = f.layer("Large", 300, 200, LayerKind::Secondary);
  f.scatter(large, random, 1);  // one region of 60000 cells
  f.compareWithReference(large, {150, 100});
}

TEST(FloodFill, EmptyTilesOfAnyPageAreOneRegion) {
  FillFixture f;
  MapLayer& layer = f.layer("Level", 6, 1, LayerKind::Primary);
  const std::int8_t a = static_cast<std::int8_t>(f.tiles.id);
  const std::int8_t b = static_cast<std::int8_t>(f.numberedPage({3}).id);
  layer.cells = {{0, a, 0, 0, 0, 0},   {1, a, 5, 0, 0, 0}, {3, b, 2, 0, 0, 0},
                 {500, a, 0, 0, 0, 0}, {4, a, 0, 0, 0, 0}, {0, a, 0, 0, 0, 0}};
  f.compareWithReference(layer, {0, 0});
  f.fill(layer, {0, 0}, f.brush, true);
  EXPECT_EQ(tilesOf(layer), (std::vector<int>{7, 7, 7, 7, 4, 0})) << "tile 500 is outside its page";
  EXPECT_TRUE(layer.cell(0, 0).hflip()) << "the brush flip, not the placement's";
}

TEST(FloodFill, AnEmptyReplacementOnEmptyCellsEndsAndCollisionLayersMatchFlagsAndWriteTileOne) {
  FillFixture f;
  MapLayer& layer = f.layer("Level", 10, 10, LayerKind::Primary);
  for (MapCell& c : layer.cells) c = MapCell{0, static_cast<std::int8_t>(f.tiles.id), 0, 0, 0, 0};
  Brush empty;
  empty.add(f.tiles, 0, 0, 1, false, false);
  // The empty start is "the same" as the empty replacement: the fill must not run to the visit limit.
  const FillResult result = f.fill(layer, {4, 4}, empty);
  EXPECT_EQ(std::tuple(result.cutOff, result.written), std::tuple(false, 100));
  EXPECT_LE(result.visits, 200);

  MapLayer& collision = f.layer("Collision", 4, 1, LayerKind::Collision);
  collision.cell(2, 0).collision = 0x1000;
  Brush solid;
  solid.add(*f.project().collisionTileset, 0, 0, 5, false, false);
  f.fill(collision, {0, 0}, solid);
  EXPECT_EQ(tilesOf(collision), (std::vector<int>{1, 1, 0, 0})) << "cell 2's flags differ";
}

}  // namespace
}  // namespace qarto::test
