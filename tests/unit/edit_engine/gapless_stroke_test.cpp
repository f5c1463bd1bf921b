// Strokes cover every cell on the line between two successive mouse
// positions: scenario scripts with the cells they must write, and the line
// itself against a plain reference.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "edit/script/edit_script.h"
#include "edit/tools/stroke_path.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

struct NoAnswers : ScriptAnswers {
  void queueAnswer(MessageAnswer) override {}
  void queueChoice(const std::string&) override {}
};

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
  void play(const std::string& script) {
    const ScriptParseResult parsed = parseEditScript(script);
    ASSERT_EQ(parsed.errorLine, 0) << parsed.error;
    NoAnswers answers;
    ASSERT_EQ(runEditScript(parsed.steps, *commands, answers).errorLine, 0);
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
  Cells expected;      // every other cell of that layer keeps 0
};

int tileOf(const MapCell& cell) { return cell.tile; }
int collisionOf(const MapCell& cell) { return cell.collision; }
void nothing(StrokeFixture&) {}

const Scenario kScenarios[] = {
    {"paint, ten cells right in one move", nothing, "press 4 12\nmove 84 12 left\nrelease 84 12", false, tileOf,
     row(1, 0, 10, 11)},
    {"auto-painted collision along the same move", nothing, "press 4 12\nmove 84 12 left\nrelease 84 12", true, tileOf,
     row(1, 0, 10, 2)},
    // dx 3, dy 10: x = 2 + round(3i / 10), halves away from the start.
    {"steep diagonal", nothing, "press 20 12\nmove 44 92 left\nrelease 44 92", false, tileOf,
     {{2, 1, 11}, {2, 2, 11}, {3, 3, 11}, {3, 4, 11}, {3, 5, 11}, {4, 6, 11}, {4, 7, 11}, {4, 8, 11}, {4, 9, 11},
      {5, 10, 11}, {5, 11, 11}}},
    {"backwards, up and left", nothing, "press 84 92\nmove 4 12 left\nrelease 4 12", false, tileOf,
     {{10, 11, 11}, {9, 10, 11}, {8, 9, 11}, {7, 8, 11}, {6, 7, 11}, {5, 6, 11}, {4, 5, 11}, {3, 4, 11}, {2, 3, 11},
      {1, 2, 11}, {0, 1, 11}}},
    {"detail paint", nothing, "key F2\npress 4 12\nmove 84 12 left\nrelease 84 12", false, tileOf, row(1, 0, 10, 11)},
    {"stamp paste", [](StrokeFixture& f) { f.level.cell(30, 20).tile = 5; f.level.cell(30, 20).tileset = 2; },
     "key F3\npress 244 164 shift\nrelease 244 164 shift\npress 4 12\nmove 84 12 left\nrelease 84 12", false, tileOf,
     [] {
       Cells cells = row(1, 0, 10, 5);
       cells.emplace_back(30, 20, 5);  // the picked cell itself
       return cells;
     }()},
    {"paint lock: the row of the press", nothing, "key Right\npress 4 20\nmove 84 60 left\nrelease 84 60", false,
     tileOf, row(2, 0, 10, 11)},
    // Tiles 11 and 12 with the anchor on cell (0, 1): the origin (tile 11) repeats on even columns.
    {"pattern mode", [](StrokeFixture& f) { f.pickTiles({{3, 1}, {4, 1}}); },
     "move 4 12 ctrl shift\nkey Shift ctrl shift\npress 4 12 ctrl shift\nmove 84 12 left ctrl shift\n"
     "release 84 12 ctrl shift",
     false, tileOf, [] {
       Cells cells;
       for (int x = 0; x <= 11; ++x) cells.emplace_back(x, 1, x % 2 == 0 ? 11 : 12);
       return cells;
     }()},
    {"flag paint", [](StrokeFixture& f) {
       f.engine->mapTools().setTool(ToolKind::FlagPaint);
       f.state().flags.setSolid(true);
     },
     "press 4 12\nmove 84 12 left\nrelease 84 12", true, collisionOf, row(1, 0, 10, 1 << 12)},
};

TEST(GaplessStrokes, EveryCellBetweenTwoMousePositionsIsWrittenAsOneUndoStep) {
  for (const Scenario& s : kScenarios) {
    SCOPED_TRACE(s.name);
    StrokeFixture f;
    s.setUp(f);
    const std::vector<MapCell> levelBefore = f.level.cells;
    const std::vector<MapCell> wallsBefore = f.walls.cells;
    f.play(s.script);
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

// The reference: every cell of the walk is within half a cell of the ideal
// line on the shorter axis, the walk moves one cell along the longer axis a
// step, and a clipped line is the whole line with the cells outside dropped.
TEST(StrokePath, LinesAreEightConnectedCloseToTheIdealAndClipWithoutWalkingFar) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-40, 40);
  const CellRect everywhere{-1000, -1000, 1000, 1000};
  const CellRect window{-5, 3, 12, 9};
  for (int n = 0; n < 2000; ++n) {
    const CellPoint from{coordinate(random), coordinate(random)};
    const CellPoint to{coordinate(random), coordinate(random)};
    const std::vector<CellPoint> line = cellsOnLine(from, to, everywhere);
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    ASSERT_EQ(line.size(), static_cast<std::size_t>(steps + 1));
    ASSERT_TRUE(line.front() == from && line.back() == to);
    for (int i = 0; i < static_cast<int>(line.size()); ++i) {
      const CellPoint c = line[static_cast<std::size_t>(i)];
      if (i > 0) {
        const CellPoint p = line[static_cast<std::size_t>(i - 1)];
        ASSERT_EQ(std::max(std::abs(c.x - p.x), std::abs(c.y - p.y)), 1);
      }
      if (steps > 0) {
        ASSERT_LE(std::abs(c.x - (from.x + static_cast<double>(i) * dx / steps)), 0.5);
        ASSERT_LE(std::abs(c.y - (from.y + static_cast<double>(i) * dy / steps)), 0.5);
      }
    }
    std::vector<CellPoint> inside;
    for (const CellPoint c : line) {
      if (window.contains(c.x, c.y)) inside.push_back(c);
    }
    ASSERT_EQ(cellsOnLine(from, to, window), inside) << from.x << "," << from.y << " to " << to.x << "," << to.y;
  }
  // A mouse far outside the map: only the ten cells inside are listed.
  EXPECT_EQ(cellsOnLine({-2000000000, 4}, {2000000000, 4}, {0, 0, 9, 9}).size(), 10u);
  EXPECT_TRUE(cellsOnLine({-2000000000, -2000000000}, {-1999999000, 2000000000}, {0, 0, 9, 9}).empty());

  // The path lists the cells after the previous one; the same cell again is listed again.
  StrokePath path;
  EXPECT_EQ(path.advance({1, 1}, everywhere), (std::vector<CellPoint>{{1, 1}}));
  EXPECT_EQ(path.advance({4, 2}, everywhere), (std::vector<CellPoint>{{2, 1}, {3, 2}, {4, 2}}));
  EXPECT_EQ(path.advance({4, 2}, everywhere), (std::vector<CellPoint>{{4, 2}}));
  path.restart();
  EXPECT_EQ(path.advance({9, 9}, everywhere), (std::vector<CellPoint>{{9, 9}}));
}

}  // namespace
}  // namespace qarto::test
