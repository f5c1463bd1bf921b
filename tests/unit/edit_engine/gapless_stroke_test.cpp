// Strokes cover every cell on the line between two successive mouse
// positions: scenario scripts with the cells they must write, and the line
// itself against a plain reference.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "edit/tools/stroke_path.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

// Level (primary) over Walls (collision), 40 x 30; tile 11 of the page is
// picked, and its collision set auto-paints collision tile 2.
struct StrokeFixture : EngineFixture {
  MapLayer& walls = layer("Walls", 40, 30, LayerKind::Collision);
  MapLayer& level = layer("Level", 40, 30, LayerKind::Primary);
  Tileset& tiles = numberedPage();

  StrokeFixture() {
    tiles.hasCollisionSet = true;
    tiles.collisionSet.assign(static_cast<std::size_t>(tiles.tileCount), 2);
    project().currentTilesetId = tiles.id;
    pickTiles({{3, 1}});
  }
};

using Cells = std::vector<std::tuple<int, int, int>>;  // x, y, value

Cells row(int y, int from, int to, int value) {
  Cells cells;
  for (int x = from; x <= to; ++x) cells.emplace_back(x, y, value);
  return cells;
}

struct Scenario {
  const char* name;
  void (*setUp)(StrokeFixture&);
  const char* script;  // zoom 1: cell (x, y) under pixels 8x..8x+7, 8y..8y+7
  bool onWalls;        // the cells checked: Walls (else Level)
  int (*value)(const MapCell&);
  Cells expected;  // every other cell of that layer keeps 0
};

int tileOf(const MapCell& cell) { return cell.tile; }
int collisionOf(const MapCell& cell) { return cell.collision; }
void nothing(StrokeFixture&) {}

const char* const kTenRight = "press 4 12\nmove 84 12 left\nrelease 84 12";  // cell (0, 1) to (10, 1) in one move

// clang-format off
const Scenario kScenarios[] = {
    {"paint", nothing, kTenRight, false, tileOf, row(1, 0, 10, 11)},
    {"auto-painted collision", nothing, kTenRight, true, tileOf, row(1, 0, 10, 2)},
    {"detail paint", [](StrokeFixture& f) { f.key(Key::F2); }, kTenRight, false, tileOf, row(1, 0, 10, 11)},
    {"paint lock: the row of the press", [](StrokeFixture& f) { f.key(Key::Right); },
     "press 4 20\nmove 84 60 left\nrelease 84 60", false, tileOf, row(2, 0, 10, 11)},
    // Tiles 11 and 12 anchored on cell (0, 1): the origin (tile 11) repeats on even columns.
    {"pattern mode", [](StrokeFixture& f) { f.pickTiles({{3, 1}, {4, 1}}); },
     "move 4 12 ctrl shift\nkey Shift ctrl shift\npress 4 12 ctrl shift\nmove 84 12 left ctrl shift\nrelease 84 12 ctrl shift",
     false, tileOf, [] { Cells c = row(1, 0, 10, 11); for (int x = 1; x <= 11; x += 2) c.emplace_back(x, 1, 12); return c; }()},
    {"flag paint", [](StrokeFixture& f) { f.engine->mapTools().setTool(ToolKind::FlagPaint); f.state().flags.setSolid(true); },
     kTenRight, true, collisionOf, row(1, 0, 10, 1 << 12)},
};
// clang-format on

TEST(GaplessStrokes, EveryCellBetweenTwoMousePositionsIsWrittenAsOneUndoStep) {
  for (const Scenario& s : kScenarios) {
    SCOPED_TRACE(s.name);
    StrokeFixture f;
    s.setUp(f);
    const std::vector<MapCell> levelBefore = f.level.cells;
    const std::vector<MapCell> wallsBefore = f.walls.cells;
    ASSERT_EQ(f.play(s.script).errorLine, 0);
    const MapLayer& layer = s.onWalls ? f.walls : f.level;
    std::vector<int> expected(layer.cells.size(), 0);
    for (const auto& [x, y, value] : s.expected) expected[static_cast<std::size_t>(x + y * 40)] = value;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      ASSERT_EQ(s.value(layer.cells[i]), expected[i]) << "cell " << i % 40 << ", " << i / 40;
    }
    EXPECT_EQ(f.journal().size(), 1u);
    f.undo();
    EXPECT_TRUE(f.level.cells == levelBefore && f.walls.cells == wallsBefore);
  }
}

// The reference: each step moves one cell along the longer axis, every cell
// lies within half a cell of the ideal line, and a clipped line is the whole
// line with the cells outside dropped.
TEST(StrokePath, LinesAreEightConnectedCloseToTheIdealAndClipWithoutWalkingFar) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-40, 40);
  const CellRect window{-5, 3, 12, 9};
  for (int n = 0; n < 2000; ++n) {
    const CellPoint from{coordinate(random), coordinate(random)};
    const CellPoint to{coordinate(random), coordinate(random)};
    const std::vector<CellPoint> line = cellsOnLine(from, to, {-99, -99, 99, 99});
    const int steps = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    ASSERT_TRUE(line.size() == static_cast<std::size_t>(steps + 1) && line.front() == from && line.back() == to);
    std::vector<CellPoint> inside;
    for (int i = 0; i <= steps; ++i) {
      const CellPoint c = line[static_cast<std::size_t>(i)];
      const auto ideal = [&](int a, int b) { return steps == 0 ? a : a + static_cast<double>(i * (b - a)) / steps; };
      ASSERT_LE(std::max(std::abs(c.x - ideal(from.x, to.x)), std::abs(c.y - ideal(from.y, to.y))), 0.5);
      if (i > 0) {
        ASSERT_EQ(std::max(std::abs(c.x - line[i - 1].x), std::abs(c.y - line[i - 1].y)), 1);
      }
      if (window.contains(c.x, c.y)) inside.push_back(c);
    }
    ASSERT_EQ(cellsOnLine(from, to, window), inside);
  }
  // A mouse far outside the map: only the ten cells inside are listed.
  EXPECT_EQ(cellsOnLine({-2000000000, 4}, {2000000000, 4}, {0, 0, 9, 9}).size(), 10u);
  // The path lists the cells after the previous one; the same cell again is listed again.
  StrokePath path;
  const CellRect everywhere{-99, -99, 99, 99};
  EXPECT_EQ(path.advance({1, 1}, everywhere), (std::vector<CellPoint>{{1, 1}}));
  EXPECT_EQ(path.advance({4, 2}, everywhere), (std::vector<CellPoint>{{2, 1}, {3, 2}, {4, 2}}));
  EXPECT_EQ(path.advance({4, 2}, everywhere), (std::vector<CellPoint>{{4, 2}}));
}

}  // namespace
}  // namespace qarto::test
