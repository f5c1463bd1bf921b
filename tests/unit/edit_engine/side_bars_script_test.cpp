// The Flags and Entities bars driven by edit scripts, as `qarto-cli edit`
// runs them: each flag mode over single cells, strokes and rectangles, and
// the entity buttons and drags, checked against words and records written
// out here, then taken back and done again step by step.

#include "edit/entities/entity_record.h"
#include "edit/script/edit_script.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

struct ScriptFixture : EngineFixture, ScriptAnswers {
  void queueAnswer(MessageAnswer answer) override { services.answers.push_back(answer); }
  void queueChoice(const std::string&) override {}
  ScriptRunResult play(const std::string& script) {
    const ScriptParseResult parsed = parseEditScript(script);
    EXPECT_EQ(parsed.error, "");
    return runEditScript(parsed.steps, *commands, *this);
  }
};

// Zoom 1, no scroll: cell (x, y) lies under window pixels 8x..8x+7, 8y..8y+7.
TEST(FlagsBarScript, AddReplaceAndRemoveOverCellsStrokesAndRectangles) {
  ScriptFixture f;
  f.layer("Level", 6, 6, LayerKind::Primary);
  MapLayer& collision = f.layer("Collision", 6, 6, LayerKind::Collision);
  for (MapCell& cell : collision.cells) cell.collision = 0x2001;  // Jump Through and a bit the bar never sets
  const std::vector<MapCell> start = collision.cells;
  ASSERT_EQ(f.play("key F5\n"
                   "flags marker 2          # Transition Zone: 0x0080\n"
                   "flags solid on          # 0x1080\n"
                   "press 12 12             # Add at cell (1, 1)\n"
                   "release 12 12\n"
                   "flags mode replace\n"
                   "flags marker 4          # \"Reserved 2\" picks None: 0x1000\n"
                   "flags damage 1          # Fire: 0x5000\n"
                   "press 20 28 middle shift\n"
                   "release 28 36 middle    # Replace over cells (2, 3) to (3, 4)\n"
                   "flags mode remove\n"
                   "flags solid off\n"
                   "flags damage 3          # \"Reserved 2\" picks None\n"
                   "flags jump on           # 0x2000\n"
                   "press 4 4\n"
                   "move 12 4 left\n"
                   "move 20 4 left\n"
                   "release 20 4            # Remove along cells (0, 0) to (2, 0)\n"
                   "press 28 28 middle ctrl\n"
                   "release 28 36 middle    # Remove over (3, 3) to (3, 4): nothing changes\n")
                .errorLine,
            0);
  const std::vector<std::uint16_t> painted = {0x0001, 0x0001, 0x0001, 0x2001, 0x2001, 0x2001,  //
                                              0x2001, 0x3081, 0x2001, 0x2001, 0x2001, 0x2001,  //
                                              0x2001, 0x2001, 0x2001, 0x2001, 0x2001, 0x2001,  //
                                              0x2001, 0x2001, 0x5000, 0x5000, 0x2001, 0x2001,  //
                                              0x2001, 0x2001, 0x5000, 0x5000, 0x2001, 0x2001,  //
                                              0x2001, 0x2001, 0x2001, 0x2001, 0x2001, 0x2001};
  auto words = [&] {
    std::vector<std::uint16_t> out;
    for (const MapCell& cell : collision.cells) out.push_back(cell.collision);
    return out;
  };
  EXPECT_EQ(words(), painted);
  EXPECT_EQ(std::tuple(f.journal().size(), f.project().modified), std::tuple(3u, true));
  f.project().modified = false;
  for (int i = 0; i < 3; ++i) f.undo();
  EXPECT_EQ(std::tuple(collision.cells == start, f.project().modified), std::tuple(true, true));
  while (f.journal().redo(f.project())) {
  }
  EXPECT_EQ(words(), painted);
}

TEST(EntitiesBarScript, SpawnDragCloneFlipDeleteAndTheThirtyThirdSpawnEachUndoneAndRedone) {
  ScriptFixture f;
  f.layer("Level", 64, 40, LayerKind::Primary);
  MapLayer& entities = f.layer("Entities", 0, 0, LayerKind::Entity);
  auto records = [&] {
    std::vector<EntityRecord> out;
    for (int slot = 0; slot < 3; ++slot) out.push_back(readEntity(entities, slot).value());
    return out;
  };
  using R = EntityRecord;
  const R none{false, 0, 0, 0, 0};
  // Zoom 2: a window pixel is half a map pixel.
  ASSERT_EQ(f.play("key F6\n"
                   "key 2\n"
                   "entity type 3             # the list's row 3\n"
                   "move 200 400\n"
                   "entity spawn              # slot 0 at map (100, 200 + 10)\n"
                   "release 200 400           # dropped where it appeared\n"
                   "press 200 380             # map (100, 190): inside its sprite\n"
                   "move 207 391 left\n"
                   "release 207 391           # moved by (3.5, 5.5), truncated\n"
                   "entity clone              # slot 1, the selection stays on slot 0\n"
                   "key H                     # slot 0 turns round\n"
                   "entity delete\n"
                   "entity type 0\n"
                   "entity spawn              # the lowest free slot again, at the mouse\n")
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
  EXPECT_EQ(records(), history.back());
  EXPECT_EQ(f.journal().size(), 6u);

  // 30 more fill the block; the 33rd is refused and changes nothing.
  std::string spawns = "release 207 391\n";
  for (int i = 0; i < 31; ++i) spawns += "entity spawn\nrelease 207 391\n";
  ASSERT_EQ(f.play(spawns).errorLine, 0);
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

TEST(EntitiesBarScript, ARowOutsideTheListStopsTheScriptAtItsLine) {
  ScriptFixture f;
  f.layer("Level", 64, 40, LayerKind::Primary);
  const ScriptRunResult result = f.play("entity type 5\nentity type 6\nentity spawn\n");
  EXPECT_EQ(std::tuple(result.errorLine, result.error, f.state().entityType),
            std::tuple(2, "the entity list has no row 6 (it has 6)", 5));
}

}  // namespace
}  // namespace qarto::test
