// Redo of every undoable action through the engine's commands and keys,
// the undo levels in effect, and the window title's unsaved-changes mark.

#include <gtest/gtest.h>

#include "edit/dialogs/resize_layer_model.h"
#include "edit/dialogs/shift_layer_model.h"
#include "edit/session/map_file_commands.h"
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
      layers.emplace_back(l.get(), l->nameText(), l->kind, l->width, l->height, l->parallaxX, l->parallaxY,
                          l->visible, l->cells, l->entities);
    }
    return std::tuple(layers, project().activeLayer);
  }
};

using Action = void (*)(RedoFixture&);

const std::pair<const char*, Action> kActions[] = {
    {"paint", [](RedoFixture& f) {
       f.pickTiles({{3, 1}});
       f.drag({EngineFixture::at(1, 1), EngineFixture::at(9, 4), EngineFixture::at(2, 7)});
     }},
    {"auto-painted collision", [](RedoFixture& f) {
       f.tiles.hasCollisionSet = true;
       f.tiles.collisionSet.assign(static_cast<std::size_t>(f.tiles.tileCount), 2);
       f.pickTiles({{4, 0}});
       f.drag({EngineFixture::at(0, 0), EngineFixture::at(12, 3)});
     }},
    {"detail paint", [](RedoFixture& f) {
       f.pickTiles({{0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}});
       f.key(Key::F2);
       f.drag({EngineFixture::at(5, 5), EngineFixture::at(15, 9)});
     }},
    {"stamp", [](RedoFixture& f) {
       f.key(Key::F3);
       f.click(EngineFixture::at(2, 2), kShift);
       f.click(EngineFixture::at(3, 2), kShift);
       f.drag({EngineFixture::at(10, 10), EngineFixture::at(14, 12)});
     }},
    {"fill", [](RedoFixture& f) {
       f.pickTiles({{6, 0}});
       f.key(Key::F4);
       f.click(EngineFixture::at(0, 0));
     }},
    {"flag paint", [](RedoFixture& f) {
       f.engine->mapTools().setTool(ToolKind::FlagPaint);
       f.state().flags.setSolid(true);
       f.drag({EngineFixture::at(0, 0), EngineFixture::at(20, 9)});
     }},
    {"merge down", [](RedoFixture& f) { f.run(cmd::kMergeDown); }},
    {"eat hidden tiles", [](RedoFixture& f) {
       f.project().setActiveLayer(&f.back);
       f.run(cmd::kEatHiddenTiles);
     }},
    {"add layer", [](RedoFixture& f) {
       f.project().addLayer("Added", 20, 20, 0.5f, 0.5f, LayerKind::Secondary, true);
     }},
    {"delete layer", [](RedoFixture& f) {
       f.project().setActiveLayer(&f.back);
       f.run(cmd::kDeleteLayer);
     }},
    {"shuffle up", [](RedoFixture& f) { f.key(Key::PageUp, "", kShift); }},
    {"shuffle down", [](RedoFixture& f) { f.key(Key::PageDown, "", kShift); }},
    {"flip tile layer", [](RedoFixture& f) { f.run(cmd::kFlipLayerHorizontally); }},
    {"flip collision layer", [](RedoFixture& f) {
       f.project().setActiveLayer(&f.walls);
       f.run(cmd::kFlipLayerVertically);
     }},
    {"shift", [](RedoFixture& f) {
       ShiftLayerModel shift(f.engine->session());
       ASSERT_TRUE(shift.begin());
       shift.setHorizontalPosition(shift.horizontalPosition() + 5);
       shift.setVerticalPosition(shift.verticalPosition() - 2);
       shift.confirm();
     }},
    {"clone", [](RedoFixture& f) { f.run(cmd::kCloneLayer); }},
    {"import image", [](RedoFixture& f) {
       static TempFolder folder;
       f.services.openFileAnswers.push_back(
           {writePage(folder, "imported.bmp", makePage(32, 16, [](int x, int y) { return std::uint8_t(x ^ y); }))});
       f.run(cmd::kImportBmpLayer);
     }},
    {"shrinking resize", [](RedoFixture& f) {
       ResizeLayerModel resize(f.engine->session());
       ASSERT_TRUE(resize.begin());
       resize.setNewSize(30, 20);
       EXPECT_EQ(resize.confirm(), ResizeOutcome::Closed);
     }},
    {"growing resize of a secondary layer", [](RedoFixture& f) {
       f.project().setActiveLayer(&f.back);
       ResizeLayerModel resize(f.engine->session());
       ASSERT_TRUE(resize.begin());
       resize.setNewParallax(1.25);
       EXPECT_EQ(resize.confirm(), ResizeOutcome::Closed);
     }},
};

TEST(Redo, AfterEveryKindOfEntryGivesBackTheStateBeforeTheUndoByteForByte) {
  const KeyEvent ctrlZ{Key::Z, "", kCtrl};
  const KeyEvent ctrlY{Key::Y, "", kCtrl};
  const KeyEvent ctrlShiftZ{Key::Z, "", kCtrlShift};
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
    f.run(cmd::kUndo);
    f.commands->handleKey(ctrlShiftZ);
    EXPECT_TRUE(f.everything() == after);
  }
}

TEST(Redo, ANewActionEmptiesTheRedoListAndTheLevelsCountBothLists) {
  RedoFixture f;
  f.pickTiles({{3, 1}});
  f.settings.writeInt("Settings", "UndoLevels", 3);
  f.engine->loadViewOptions();
  for (int x = 0; x < 3; ++x) f.click(EngineFixture::at(x, 0));
  f.undo();
  f.undo();
  EXPECT_EQ(std::tuple(f.journal().size(), f.journal().redoSize()), std::tuple(1u, 2u));
  f.click(EngineFixture::at(9, 9));  // a new stroke: nothing left to redo
  EXPECT_EQ(std::tuple(f.journal().size(), f.journal().redoSize(), f.commands->enabled(cmd::kRedo)),
            std::tuple(2u, 0u, false));
  // Mid-drag, Redo first files the open stroke, which empties the redo list.
  f.undo();
  f.engine->mousePress(MouseButton::Left, EngineFixture::at(20, 20), {});
  f.commands->handleKey(KeyEvent{Key::Y, "", kCtrl});
  EXPECT_EQ(std::tuple(f.level.cell(20, 20).tile, f.journal().size(), f.journal().redoSize()),
            std::tuple(11, 2u, 0u));
}

// A missing "UndoLevels" means 10 levels, from the start and after the
// preferences, as the Undo page shows.
TEST(UndoLevels, AMissingSettingKeepsTenEntriesAndPreferencesChangeIt) {
  struct ConfirmingFrame : FrameHost {
    bool runPreferencesDialog() override { return true; }
  } frame;
  ScriptedServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  MapViewEngine engine(services, settings, host);
  EditorCommands commands(engine, &frame);
  for (int i = 0; i < 12; ++i) engine.project().addLayer("L", 30, 20, 1.0f, 1.0f, LayerKind::Secondary, false);
  EXPECT_EQ(engine.project().journal().size(), 10u);
  engine.loadViewOptions();
  EXPECT_EQ(engine.project().journal().levels(), 10);
  settings.writeInt("Settings", "UndoLevels", 4);
  ASSERT_TRUE(commands.run(cmd::kPreferences));
  EXPECT_EQ(engine.project().journal().size(), 4u);
}

TEST(WindowTitle, MarksUnsavedChangesUntilTheMapIsSaved) {
  RedoFixture f;
  TempFolder folder;
  f.services.saveFileAnswers.push_back(folder.file("level.qrm"));
  EXPECT_EQ(f.commands->windowTitle(), "Qarto v0.99");
  f.pickTiles({{3, 1}});
  f.click(EngineFixture::at(4, 4));
  EXPECT_EQ(f.commands->windowTitle(), "Qarto v0.99 *");
  f.run(cmd::kSaveMap);
  EXPECT_EQ(f.commands->windowTitle(), "Qarto v0.99 - " + folder.file("level.qrm"));
  f.undo();
  EXPECT_EQ(f.commands->windowTitle(), "Qarto v0.99 - " + folder.file("level.qrm") + " *");
}

}  // namespace
}  // namespace qarto::test
