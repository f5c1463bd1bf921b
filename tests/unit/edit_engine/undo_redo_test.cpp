// Redo of every undoable action through the engine's commands and keys.

#include <gtest/gtest.h>

#include "edit/dialogs/resize_layer_model.h"
#include "edit/dialogs/shift_layer_model.h"
#include "engine_fixture.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

// From the bottom: Back (secondary), Level (primary, active), Walls
// (collision), all 32 x 24, every cell on a page; tile 0 of the numbered
// page is blank, so merge and eat have work to do.
struct RedoFixture : EngineFixture {
  MapLayer& walls = layer("Walls", 32, 24, LayerKind::Collision);
  MapLayer& level = layer("Level", 32, 24, LayerKind::Primary);
  MapLayer& back = layer("Back", 32, 24, LayerKind::Secondary);
  Tileset& tiles = numberedPage({0});

  RedoFixture() {
    for (int i = 0; i < 32 * 24; ++i) {
      level.cells[i] = MapCell{static_cast<std::int16_t>(i % 5), static_cast<std::int8_t>(tiles.id), 0, 0, 0, 0};
      back.cells[i] = MapCell{static_cast<std::int16_t>(i % 7 + 1), static_cast<std::int8_t>(tiles.id), 2, 0, 0, 0};
      walls.cells[i] = MapCell{static_cast<std::int16_t>(i % 3), 1, 0, 0, 0, 0};
    }
    project().currentTilesetId = tiles.id;
    project().setActiveLayer(&level);
  }

  // Everything an undo or a redo may change, byte for byte.
  auto everything() {
    std::vector<std::tuple<MapLayer*, std::string, LayerKind, int, int, float, float, bool, std::vector<MapCell>,
                           std::vector<std::uint8_t>>>
        layers;
    for (const auto& l : project().layers()) {
      layers.emplace_back(l.get(), l->nameText(), l->kind, l->width, l->height, l->parallaxX, l->parallaxY, l->visible,
                          l->cells, l->entities);
    }
    return std::tuple(layers, project().activeLayer);
  }
};

using Action = void (*)(RedoFixture&);

// Resize Layer confirmed with a new size (or, on a secondary layer, a new parallax).
void resize(RedoFixture& f, int width, int height, double parallax) {
  ResizeLayerModel model(f.engine->session());
  ASSERT_TRUE(model.begin());
  model.setNewSize(width, height);
  model.setNewParallax(parallax);
  EXPECT_EQ(model.confirm(), ResizeOutcome::Closed);
}

// clang-format off
const std::pair<const char*, Action> kActions[] = {
    {"paint", [](RedoFixture& f) { f.pickTiles({{3, 1}}); f.drag({RedoFixture::at(1, 1), RedoFixture::at(9, 4)}); }},
    {"stamp", [](RedoFixture& f) { f.key(Key::F3); f.click(RedoFixture::at(2, 2), kShift); f.click(RedoFixture::at(9, 9)); }},
    {"fill", [](RedoFixture& f) { f.pickTiles({{6, 0}}); f.key(Key::F4); f.click(RedoFixture::at(0, 0)); }},
    {"flag paint", [](RedoFixture& f) {
       f.engine->mapTools().setTool(ToolKind::FlagPaint);
       f.state().flags.setSolid(true);
       f.drag({RedoFixture::at(0, 0), RedoFixture::at(20, 9)});
     }},
    {"merge down", [](RedoFixture& f) { f.run(cmd::kMergeDown); }},
    {"eat hidden tiles", [](RedoFixture& f) { f.project().setActiveLayer(&f.back); f.run(cmd::kEatHiddenTiles); }},
    {"shuffle up", [](RedoFixture& f) { f.key(Key::PageUp, "", kShift); }},
    {"flip collision layer", [](RedoFixture& f) { f.project().setActiveLayer(&f.walls); f.run(cmd::kFlipLayerVertically); }},
    {"shift", [](RedoFixture& f) {
       ShiftLayerModel shift(f.engine->session());
       ASSERT_TRUE(shift.begin());
       shift.setHorizontalPosition(shift.horizontalPosition() + 5);
       shift.confirm();
     }},
    {"clone", [](RedoFixture& f) { f.run(cmd::kCloneLayer); }},
    {"import image", [](RedoFixture& f) {
       static TempFolder folder;
       f.services.openFileAnswers.push_back({writePage(folder, "i.bmp", makePage(32, 16, [](int x, int) { return std::uint8_t(x); }))});
       f.run(cmd::kImportBmpLayer);
     }},
    {"secondary layer resized to a new parallax", [](RedoFixture& f) { f.project().setActiveLayer(&f.back); resize(f, 0, 0, 1.25); }},
};
// clang-format on

TEST(Redo, AfterEveryKindOfEntryGivesBackTheStateBeforeTheUndoByteForByte) {
  const KeyEvent ctrlZ{Key::Z, "", kCtrl};
  const KeyEvent ctrlY{Key::Y, "", kCtrl};
  for (const auto& [name, action] : kActions) {
    SCOPED_TRACE(name);
    RedoFixture f;
    const auto before = f.everything();
    action(f);
    f.engine->endStroke();
    const auto after = f.everything();
    ASSERT_FALSE(std::get<0>(after) == std::get<0>(before)) << "the action changed no layer";
    ASSERT_EQ(std::tuple(f.journal().size(), f.commands->enabled(cmd::kRedo)), std::tuple(1u, false));

    // Choosing the layer to act on is no step of its own: undo gives back
    // the layers, not the choice.
    f.commands->handleKey(ctrlZ);
    EXPECT_TRUE(std::get<0>(f.everything()) == std::get<0>(before));
    EXPECT_TRUE(f.commands->enabled(cmd::kRedo));
    f.project().modified = false;
    f.commands->handleKey(ctrlY);
    EXPECT_TRUE(f.everything() == after);
    EXPECT_EQ(std::tuple(f.commands->enabled(cmd::kRedo), f.project().modified), std::tuple(false, true));
  }
}

}  // namespace
}  // namespace qarto::test
