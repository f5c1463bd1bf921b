// The paint tools as edit scripts with the cells they must leave, each
// taken back by as many undo steps as it made; the preview; how gestures
// become undo steps; and the line a stroke covers between two mouse
// positions against a plain reference.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "edit/tools/stroke_path.h"
#include "edit/tools/stroke_plan.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

// Level (primary, active) over Walls (collision), 40 x 30, and the numbered
// page (id 2, 8 tiles a row) current; its collision set puts collision tile
// 2 under its tile 11 and tile 0 under the others.
struct PaintFixture : EngineFixture {
  MapLayer& walls = layer("Walls", 40, 30, LayerKind::Collision);
  MapLayer& level = layer("Level", 40, 30, LayerKind::Primary);
  Tileset& tiles = numberedPage();

  PaintFixture() {
    tiles.hasCollisionSet = true;
    tiles.collisionSet.assign(static_cast<std::size_t>(tiles.tileCount), 0);
    tiles.collisionSet[11] = 2;
    project().currentTilesetId = tiles.id;
  }
};

// The cells of a layer that are not blank, row by row: "x,y:T" for one cell,
// "x0-x1,y:T" for a run, T the tile with "h" and "v" for its flip bits and
// "/word" (hex) for a collision word.
std::string painted(const MapLayer& layer) {
  auto text = [](const MapCell& c) {
    if (c.tile == 0 && c.flags == 0 && c.collision == 0) return std::string();
    char word[8];
    std::snprintf(word, sizeof word, "/%x", c.collision);
    return std::to_string(c.tile) + (c.hflip() ? "h" : "") + (c.vflip() ? "v" : "") + (c.collision ? word : "");
  };
  std::string out;
  for (int y = 0; y < layer.height; ++y) {
    for (int x = 0; x < layer.width; ++x) {
      const std::string t = text(layer.cell(x, y));
      if (t.empty()) continue;
      int last = x;
      while (last + 1 < layer.width && text(layer.cell(last + 1, y)) == t) ++last;
      out += (out.empty() ? "" : " ") + std::to_string(x) + (last > x ? "-" + std::to_string(last) : "") + "," +
             std::to_string(y) + ":" + t;
      x = last;
    }
  }
  return out;
}

// Script lines at zoom 1: cell (x, y) under window pixel (8x + 4, 8y + 4);
// page tile (x, y) in the tile view 33 pixels lower.
std::string cell(int x, int y) { return std::to_string(x * 8 + 4) + " " + std::to_string(y * 8 + 4); }
std::string click(int x, int y, const std::string& modifiers = "") {
  return "press " + cell(x, y) + " " + modifiers + "\nrelease " + cell(x, y) + " " + modifiers + "\n";
}
std::string drag(const std::vector<CellPoint>& cells, const std::string& modifiers = "") {
  std::string script = "press " + cell(cells.front().x, cells.front().y) + " " + modifiers + "\n";
  for (const CellPoint& c : cells) script += "move " + cell(c.x, c.y) + " left " + modifiers + "\n";
  return script + "release " + cell(cells.back().x, cells.back().y) + " " + modifiers + "\n";
}
std::string pick(const std::vector<CellPoint>& tiles) {
  std::string script = "key Space\n";
  for (const CellPoint& t : tiles) {
    const std::string at = std::to_string(t.x * 8 + 4) + " " + std::to_string(33 + t.y * 8 + 4);
    script += "press " + at + (&t == &tiles.front() ? "" : " shift") + "\nrelease " + at + "\n";
  }
  return script + "key Space\n";
}
const std::string kTile11 = pick({{3, 1}});
const std::string kTenRight = "press 4 12\nmove 84 12 left\nrelease 84 12\n";  // cell (0, 1) to (10, 1) in one move

void nothing(PaintFixture&) {}
void collisionPage(PaintFixture& f) { f.project().currentTilesetId = 1; }  // tile 2 rises to the right, 8 falls

struct Scenario {
  const char* name;
  void (*setUp)(PaintFixture&);
  std::string script;
  const char* level;
  const char* walls;
  std::size_t steps;  // undo steps made
};

// clang-format off
const Scenario kScenarios[] = {
    // A drag ten cells away paints eleven, whatever the tool.
    {"paint", nothing, kTile11 + kTenRight, "0-10,1:11", "0-10,1:2", 1},
    {"detail paint", nothing, kTile11 + "key F2\n" + kTenRight, "0-10,1:11", "0-10,1:2", 1},
    {"paint lock: the row of the press", nothing, kTile11 + "key Right\npress 4 20\nmove 84 60 left\nrelease 84 60\n",
     "0-10,2:11", "0-10,2:2", 1},
    {"paint lock: the column of the press", nothing, kTile11 + "key Up\n" + drag({{5, 5}, {9, 6}, {12, 8}}),
     "5,5:11 5,6:11 5,7:11 5,8:11", "5,5:2 5,6:2 5,7:2 5,8:2", 1},
    {"flag paint", nothing, "key F5\nflags solid on\n" + kTenRight, "", "0-10,1:0/1000", 1},
    // Tiles 11 and 12 anchored on cell (0, 1): the origin (tile 11) repeats on even columns.
    {"pattern mode stroke", nothing,
     pick({{3, 1}, {4, 1}}) + "move 4 12 ctrl shift\nkey Shift ctrl shift\n" +
         "press 4 12 ctrl shift\nmove 84 12 left ctrl shift\nrelease 84 12 ctrl shift\n",
     "0,1:11 1,1:12 2,1:11 3,1:12 4,1:11 5,1:12 6,1:11 7,1:12 8,1:11 9,1:12 10,1:11 11,1:12",
     "0,1:2 2,1:2 4,1:2 6,1:2 8,1:2 10,1:2", 1},
    // Tiles 10-12 over 18-20 (origin tile 11) anchored on cell (20, 15): each cell takes the tile whose
    // offset from the origin is congruent to its own offset from the anchor, on either side of it.
    {"pattern mode clicks", nothing,
     pick({{2, 1}, {3, 1}, {4, 1}, {2, 2}, {3, 2}, {4, 2}}) + "move " + cell(20, 15) + " ctrl shift\n" +
         "key Shift ctrl shift\n" + click(11, 4, "ctrl shift") + click(27, 24, "ctrl shift"),
     "10,4:18 11,4:19 12,4:20 10,5:10 11,5:11 12,5:12 26,24:19 27,24:20 28,24:18 26,25:11 27,25:12 28,25:10",
     "11,5:2 26,25:2", 2},
    // Tiles (1, 0), (2, 0) and (1, 1) of the page about the origin (1, 0); flipped, the brush mirrors.
    {"brush and its flips", nothing,
     pick({{1, 0}, {2, 0}, {1, 1}}) + click(10, 10) + "key H\n" + click(20, 20) + "key V\n" + click(30, 20),
     "10,10:1 11,10:2 10,11:9 30,19:9hv 19,20:2h 20,20:1h 29,20:2hv 30,20:1hv 20,21:9h", "", 3},
    {"detail ellipse: the cross of a 3 x 3 brush", nothing,
     pick({{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}}) + "key F2\n" + click(10, 10),
     "10,9:1 9,10:8 10,10:9 11,10:10 10,11:17", "", 1},
    {"auto-paint off", nothing, kTile11 + "key F9\n" + click(4, 4), "4,4:11", "", 1},
    // One gesture passing a cell three times is one step that undo takes back whole.
    {"a drag over one cell three times", nothing, kTile11 + drag({{5, 5}, {6, 5}, {5, 5}, {5, 6}, {5, 5}}),
     "5-6,5:11 5,6:11", "5-6,5:2 5,6:2", 1},
    {"a collision tile mirrored", collisionPage, "layer Walls\n" + pick({{2, 0}}) + "key H\n" + click(3, 3), "", "3,3:8", 1},
    {"a collision tile refused on a tile layer", collisionPage, pick({{2, 0}}) + click(3, 3), "", "", 0},
    {"a hidden layer", [](PaintFixture& f) { f.level.visible = false; }, kTile11 + click(1, 1), "", "", 0},
    {"a locked layer", [](PaintFixture& f) { f.level.locked = true; }, kTile11 + click(1, 1), "", "", 0},
    {"an entity layer", [](PaintFixture& f) { f.layer("Entities", 0, 0, LayerKind::Entity); }, kTile11 + click(1, 1),
     "", "", 0},
    {"outside the layer", nothing, kTile11 + "press -100 -100\nrelease -100 -100\n", "", "", 0},
    {"stamp picks write nothing", nothing, "key F3\n" + click(2, 2, "shift"), "", "", 0},
};
// clang-format on

TEST(PaintTools, ScenariosLeaveTheirCellsAndUndoTakesThemBack) {
  for (const Scenario& s : kScenarios) {
    SCOPED_TRACE(s.name);
    PaintFixture f;
    s.setUp(f);
    const std::vector<MapCell> level = f.level.cells;
    const std::vector<MapCell> walls = f.walls.cells;
    ASSERT_EQ(f.play(s.script).errorLine, 0);
    EXPECT_EQ(painted(f.level), s.level);
    EXPECT_EQ(painted(f.walls), s.walls);
    EXPECT_EQ(f.journal().size(), s.steps);
    EXPECT_TRUE(f.project().modified || s.steps == 0);
    for (std::size_t i = 0; i < s.steps; ++i) f.undo();
    EXPECT_TRUE(f.level.cells == level && f.walls.cells == walls);
  }
}

// Page cells at (2, 2) (flipped), (3, 2), (2, 3) and (3, 3), and one of a
// page that is not loaded at (4, 2), which a pick passes over.
TEST(RubberStamp, PicksRemovesAndPastes) {
  PaintFixture f;
  const auto page = static_cast<std::int8_t>(f.tiles.id);
  f.level.cell(2, 2) = MapCell{5, page, 0, 0, kCellVFlip, 0};
  f.level.cell(3, 2) = MapCell{6, page, 0, 0, 0, 0};
  f.level.cell(4, 2) = MapCell{7, 99, 0, 0, 0, 0};
  f.level.cell(2, 3) = MapCell{12, page, 0, 0, 0, 0};
  f.level.cell(3, 3) = MapCell{13, page, 0, 0, 0, 0};
  const std::string before = "2,2:5v 3,2:6 4,2:7 2,3:12 3,3:13";
  ASSERT_EQ(painted(f.level), before);
  // Shift adds the cells a drag passes; the origin is the truncated mean of their places.
  f.play("key F3\n" + drag({{2, 2}, {3, 2}, {4, 2}, {3, 2}}, "shift") + click(20, 20));
  EXPECT_EQ(painted(f.level), before + " 20,20:5v 21,20:6");
  // A middle rectangle with Shift adds, Ctrl takes out; (2, 2), (2, 3) and (3, 3) stay, origin (2, 2).
  f.play("key Escape\npress " + cell(3, 3) + " middle shift\nrelease " + cell(2, 2) + " middle shift\n" +
         click(3, 2, "ctrl") + click(20, 24) + "press " + cell(-5, -5) + " middle ctrl\nrelease " + cell(2, 3) +
         " middle ctrl\n" + click(30, 24));
  EXPECT_EQ(painted(f.level), before + " 20,20:5v 21,20:6 20,24:5v 30,24:13 20,25:12 21,25:13");
  EXPECT_EQ(f.journal().size(), 3u);
}

TEST(PaintTool, PreviewPlanIsWhatAClickWritesAndHoveringChangesNothing) {
  PaintFixture f;
  f.pickTiles({{1, 0}, {5, 2}, {2, 3}});
  f.key(Key::V);
  f.engine->mouseMove(EngineFixture::at(7, 8), {}, {});
  const std::vector<MapCell> before = f.level.cells;
  const StrokePlan plan = f.engine->previewPlan();
  EXPECT_EQ(std::tuple(f.level.cells, f.project().modified), std::tuple(before, false))
      << "the preview writes nothing, not even mask bits";
  f.click(EngineFixture::at(7, 8));
  ASSERT_EQ(plan.cells.size(), 3u);
  for (const PlannedCell& p : plan.cells) {
    EXPECT_EQ(std::tuple(f.level.cell(p.x, p.y).tile, f.level.cell(p.x, p.y).vflip(), p.x - plan.cursor.x),
              std::tuple(p.tile, p.vflip, p.dx));
  }
  // A collision tile on a tile layer: the preview warns.
  f.project().currentTilesetId = 1;
  f.pickTiles({{2, 0}});
  f.engine->mouseMove(EngineFixture::at(3, 3), {}, {});
  EXPECT_FALSE(f.engine->previewPlan().compatible);
}

TEST(StrokeUndo, TheUndoLevelsBoundTheJournal) {
  PaintFixture f;
  f.play("set Settings UndoLevels 1\n" + kTile11 + click(1, 1) + click(9, 9) + "key Z ctrl\nkey Z ctrl\n");
  EXPECT_EQ(std::tuple(painted(f.level), f.journal().size(), f.commands->enabled(cmd::kUndo)),
            std::tuple("1,1:11", 0u, false));
}

TEST(StrokeUndo, AGestureIsFiledUnderTheLayerItStartedOn) {
  PaintFixture f;
  MapLayer& other = f.layer("Other", 40, 30, LayerKind::Secondary);
  f.project().setActiveLayer(&f.level);
  f.pickTiles({{3, 1}});
  f.engine->mousePress(MouseButton::Left, EngineFixture::at(1, 1), {});
  f.commands->selectLayer(&other);  // a layer-bar click in mid-drag
  f.engine->mouseMove(EngineFixture::at(2, 2), {true, false, false}, {});
  f.engine->mouseRelease(MouseButton::Left, EngineFixture::at(2, 2), {});
  EXPECT_EQ(std::tuple(painted(f.level), painted(other), f.journal().size()), std::tuple("1,1:11", "2,2:11", 2u));
  f.undo();
  EXPECT_EQ(std::tuple(painted(f.level), painted(other)), std::tuple("1,1:11", ""));
  f.undo();
  EXPECT_EQ(painted(f.level), "");
}

TEST(StrokeUndo, CommandsViewSwitchesAndResetsCloseTheOpenStroke) {
  PaintFixture f;
  f.pickTiles({{3, 1}});
  const ButtonSet left{true, false, false};
  f.engine->mousePress(MouseButton::Left, EngineFixture::at(1, 1), {});
  f.key(Key::G);  // any command closes the gesture's entry
  EXPECT_EQ(std::tuple(f.journal().hasPending(), f.journal().size()), std::tuple(false, 1u));
  f.engine->mouseMove(EngineFixture::at(2, 1), left, {});  // a stroke with no open entry opens one
  EXPECT_TRUE(f.journal().hasPending());
  f.key(Key::Space, " ");
  EXPECT_FALSE(f.journal().hasPending());
  f.engine->mouseRelease(MouseButton::Left, {0, 0}, {});
  EXPECT_EQ(f.journal().size(), 2u);
  // A project reset in mid-gesture drops it without touching freed layers.
  f.key(Key::Space, " ");
  f.engine->mousePress(MouseButton::Left, EngineFixture::at(4, 4), {});
  f.project().resetProject(false);
  f.engine->mouseMove(EngineFixture::at(5, 4), left, {});
  f.engine->mouseRelease(MouseButton::Left, EngineFixture::at(5, 4), {});
  EXPECT_FALSE(f.journal().canUndo());
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
  // A slanted line from far outside keeps its slope: the cells inside are the whole line's.
  std::vector<CellPoint> walked = cellsOnLine({-3000000, -1000000}, {5, 7}, {-3000000, -1000000, 9, 9});
  std::erase_if(walked, [](CellPoint c) { return c.x < 0 || c.y < 0; });
  EXPECT_EQ(cellsOnLine({-3000000, -1000000}, {5, 7}, {0, 0, 9, 9}), walked);
  // The path lists the cells after the previous one; the same cell again is listed again.
  StrokePath path;
  const CellRect everywhere{-99, -99, 99, 99};
  EXPECT_EQ(path.advance({1, 1}, everywhere), (std::vector<CellPoint>{{1, 1}}));
  EXPECT_EQ(path.advance({4, 2}, everywhere), (std::vector<CellPoint>{{2, 1}, {3, 2}, {4, 2}}));
  EXPECT_EQ(path.advance({4, 2}, everywhere), (std::vector<CellPoint>{{4, 2}}));
}

}  // namespace
}  // namespace qarto::test
