// The Flags and Entities bars driven by edit scripts, as `qarto-cli edit`
// runs them: each flag mode over cells, strokes and rectangles, the entity
// buttons and drags, checked against words and records written out here
// and taken back and done again step by step.

#include "edit/entities/entity_record.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

// Zoom 1, no scroll: cell (x, y) lies under window pixels 8x..8x+7, 8y..8y+7.
TEST(FlagsBarScript, AddReplaceAndRemoveOverCellsStrokesAndRectangles) {
  EngineFixture f;
  f.layer("Level", 5, 5, LayerKind::Primary);
  MapLayer& collision = f.layer("Collision", 5, 5, LayerKind::Collision);
  for (MapCell& cell : collision.cells) cell.collision = 0x2001;  // Jump Through and a bit the bar never sets
  const std::vector<MapCell> start = collision.cells;
  ASSERT_EQ(f.play("key F5\n"
                   "flags marker 2\nflags solid on        # 0x1080, added at cell (1, 1)\n"
                   "press 12 12\nrelease 12 12\n"
                   "flags mode replace\nflags marker 4\nflags damage 1   # \"Reserved 2\" is None: 0x5000\n"
                   "press 20 28 middle shift\nrelease 28 36 middle   # over cells (2, 3) to (3, 4)\n"
                   "flags mode remove\nflags solid off\nflags damage 3\nflags jump on   # 0x2000\n"
                   "press 4 4\nmove 12 4 left\nmove 20 4 left\nrelease 20 4   # along (0, 0) to (2, 0)\n"
                   "press 28 28 middle ctrl\nrelease 28 36 middle   # changes nothing: no undo step\n")
                .errorLine,
            0);
  const std::vector<std::uint16_t> painted = {0x0001, 0x0001, 0x0001, 0x2001, 0x2001,  //
                                              0x2001, 0x3081, 0x2001, 0x2001, 0x2001,  //
                                              0x2001, 0x2001, 0x2001, 0x2001, 0x2001,  //
                                              0x2001, 0x2001, 0x5000, 0x5000, 0x2001,  //
                                              0x2001, 0x2001, 0x5000, 0x5000, 0x2001};
  auto words = [&] {
    std::vector<std::uint16_t> out;
    for (const MapCell& cell : collision.cells) out.push_back(cell.collision);
    return out;
  };
  EXPECT_EQ(std::tuple(words(), f.journal().size(), f.project().modified), std::tuple(painted, 3u, true));
  for (int i = 0; i < 3; ++i) f.undo();
  EXPECT_TRUE(collision.cells == start);
  while (f.journal().redo(f.project())) {
  }
  EXPECT_EQ(words(), painted);
}

TEST(EntitiesBarScript, SpawnDragCloneFlipDeleteAndTheThirtyThirdSpawnEachUndoneAndRedone) {
  EngineFixture f;
  f.layer("Level", 64, 40, LayerKind::Primary);
  MapLayer& entities = f.layer("Entities", 0, 0, LayerKind::Entity);
  auto records = [&] {
    std::vector<EntityRecord> out;
    for (int slot = 0; slot < 3; ++slot) out.push_back(readEntity(entities, slot).value());
    return out;
  };
  using R = EntityRecord;
  const R none{false, 0, 0, 0, 0};
  ASSERT_EQ(f.play("key F6\nkey 2                     # zoom 2: a window pixel is half a map pixel\n"
                   "entity type 3\nmove 200 400\nentity spawn   # slot 0 at map (100, 200 + 10)\n"
                   "release 200 400           # dropped where it appeared\n"
                   "press 200 380\nmove 207 391 left\nrelease 207 391   # moved by (3.5, 5.5), truncated\n"
                   "entity clone              # slot 1; the selection stays on slot 0\n"
                   "key H\nentity delete\nentity type 0\nentity spawn   # the lowest free slot, at the mouse\n")
                .errorLine,
            0);
  const std::vector<std::vector<R>> history = {
      {none, none, none},
      {R{true, 3, 1, 100, 210}, none, none},
      {R{true, 3, 1, 103, 215}, none, none},
      {R{true, 3, 1, 103, 215}, R{true, 3, 1, 103, 215}, none},
      {R{true, 3, -1, 103, 215}, R{true, 3, 1, 103, 215}, none},
      {R{false, 3, -1, 103, 215}, R{true, 3, 1, 103, 215}, none},
      {R{true, 0, 1, 103, 205}, R{true, 3, 1, 103, 215}, none},
  };
  EXPECT_EQ(std::tuple(records(), f.journal().size()), std::tuple(history.back(), 6u));

  // 30 more fill the block; the 33rd is refused and changes nothing; a row the list lacks stops the script.
  std::string spawns = "release 207 391\n";
  for (int i = 0; i < 31; ++i) spawns += "entity spawn\nrelease 207 391\n";
  const ScriptRunResult run = f.play(spawns + "entity type 6\n");
  EXPECT_EQ(std::tuple(run.errorLine, run.error), std::tuple(64, "the entity list has no row 6 (it has 6)"));
  EXPECT_EQ(f.services.messages, std::vector<Message>{shown("Darn, no free entities!", MessageIcon::None)});
  EXPECT_EQ(f.journal().size(), 36u);
  for (int i = 0; i < 30; ++i) f.undo();
  for (std::size_t step = history.size() - 1; step > 0; --step) {
    EXPECT_EQ(records(), history[step]) << "before undo " << step;
    f.undo();
  }
  EXPECT_EQ(records(), history.front());
  for (std::size_t step = 1; step < history.size(); ++step) {
    ASSERT_TRUE(f.journal().redo(f.project()));
    EXPECT_EQ(records(), history[step]) << "redo " << step;
  }
}

}  // namespace
}  // namespace qarto::test
