#include <gtest/gtest.h>

#include "model_fixture.h"

namespace qarto::test {
namespace {

using Names = std::vector<std::string>;

// Paints `tile` into the cells given, as a tool does: record, then write.
void stroke(UndoJournal& journal, MapLayer& layer, const std::vector<std::pair<int, int>>& cells, int tile) {
  journal.beginCellEdit(&layer);
  for (const auto& [x, y] : cells) {
    journal.recordCell(x, y, layer.cell(x, y));
    layer.cell(x, y).tile = static_cast<std::int16_t>(tile);
  }
  journal.commitCellEdit();
}

struct JournalFixture : ProjectFixture {
  MapLayer* ground = project.addLayer("ground", 32, 32, 1.0f, 1.0f, LayerKind::Primary, false);
  MapLayer* hills = project.addLayer("hills", 32, 32, 1.0f, 1.0f, LayerKind::Secondary, false);
  MapLayer* sky = project.addLayer("sky", 32, 32, 1.0f, 1.0f, LayerKind::Secondary, false);
  UndoJournal& journal = project.journal();

  // Stack bottom-first: sky, hills, ground; nothing to undo yet.
  JournalFixture() {
    journal.clear();
    journal.setLevels(-1);
    project.modified = false;
  }
};

TEST(UndoJournal, LevelsBoundTheEntries) {
  JournalFixture f;
  f.journal.setLevels(1);
  stroke(f.journal, *f.ground, {{0, 0}}, 5);
  stroke(f.journal, *f.ground, {{0, 0}, {1, 0}}, 7);
  EXPECT_TRUE(f.journal.undo(f.project));
  EXPECT_FALSE(f.journal.undo(f.project));
  EXPECT_EQ(f.ground->cell(0, 0).tile, 5);  // the state after the first stroke
  EXPECT_EQ(f.ground->cell(1, 0).tile, 0);
  // Taking an action back changes the map against its file.
  EXPECT_TRUE(f.project.modified);
  // Unlimited keeps everything (lowering the limit is the engine's undo
  // levels test); the limit counts both stacks; a new action empties the
  // redo stack.
  f.journal.setLevels(0);
  for (int i = 1; i <= 61; ++i) stroke(f.journal, *f.ground, {{2, 2}}, i);
  EXPECT_EQ(f.journal.size(), 61u);
  f.journal.undo(f.project);
  f.journal.setLevels(3);
  EXPECT_EQ(f.journal.size() + f.journal.redoSize(), 3u);
  stroke(f.journal, *f.ground, {{2, 2}}, 99);
  EXPECT_FALSE(f.journal.canRedo());
}

TEST(UndoJournal, StrokeSavesEachCellOnceAndRestoresAllFields) {
  JournalFixture f;
  const MapCell original{3, 2, 4, 0x1040, kCellHFlip, 0};
  f.ground->cell(4, 1) = original;
  f.journal.beginCellEdit(f.ground);
  f.journal.beginCellEdit(f.hills);  // one stroke at a time: ignored
  for (int pass = 0; pass < 3; ++pass) {
    f.journal.recordCell(4, 1, f.ground->cell(4, 1));
    f.ground->cell(4, 1) = MapCell{static_cast<std::int16_t>(10 + pass), 9, 15, 0, kCellVFlip | 0x08, 0};
  }
  f.journal.recordCell(32, 0, MapCell{});  // outside the layer: not saved
  f.journal.recordCell(-1, 0, MapCell{});
  EXPECT_EQ(f.journal.pendingCount(), 1);
  f.journal.commitCellEdit();
  ASSERT_TRUE(f.journal.undo(f.project));
  // Flag bits 0-2 come back; the bits above them are left as the cell has them.
  EXPECT_EQ(f.ground->cell(4, 1), (MapCell{3, 2, 4, 0x1040, kCellHFlip | 0x08, 0}));
  EXPECT_EQ(f.hills->cells, std::vector<MapCell>(32 * 32, MapCell{}));

  // An empty click uses up no level; a cell recorded without a stroke is ignored.
  f.journal.beginCellEdit(f.ground);
  f.journal.commitCellEdit();
  f.journal.recordCell(0, 0, MapCell{});
  EXPECT_FALSE(f.journal.canUndo());
}

// Everything undo and redo may touch, in one comparable text: the bytes of
// the cells and entity blocks go in as a hash.
std::string snapshot(const MapProject& project) {
  std::string text = "active " + std::to_string(project.indexOf(project.activeLayer)) + " selected " +
                     std::to_string(project.selectedEntity) + "\n";
  for (const auto& layer : project.layers()) {
    std::string bytes(reinterpret_cast<const char*>(layer->cells.data()), layer->cells.size() * sizeof(MapCell));
    bytes.append(layer->entities.begin(), layer->entities.end());
    text += layer->nameText() + " " + std::to_string(layer->width) + "x" + std::to_string(layer->height) +
            (layer->visible ? " shown " : " hidden ") + std::to_string(std::hash<std::string>{}(bytes)) + "\n";
  }
  return text;
}

using Action = void (*)(JournalFixture&);

// Each action records its entry the way the editing code does. Added,
// replaced, flipped and resized layers are redone through the engine's
// commands (tests/unit/edit_engine/undo_redo_test.cpp).
const std::pair<const char*, Action> kActions[] = {
    {"stroke over two layers",
     [](JournalFixture& f) {
       f.journal.beginCellEdit(f.hills);
       f.journal.recordCell(1, 1, f.hills->cell(1, 1));
       f.hills->cell(1, 1) = MapCell{7, 2, 3, 0x3000, kCellVFlip, 0};
       f.journal.recordCellOf(f.ground, 5, 6, f.ground->cell(5, 6));
       f.ground->cell(5, 6).collision = 0x1000;
       f.journal.recordVisibility(f.sky, f.sky->visible);
       f.sky->visible = false;
       f.journal.commitCellEdit();
     }},
    {"layer deleted",
     [](JournalFixture& f) {
       f.journal.recordLayerDeleted(f.project.takeLayer(f.hills), f.sky, f.ground);
       f.project.activeLayer = f.ground;
     }},
    {"layer moved up",
     [](JournalFixture& f) {
       MapLayer* lower = f.project.layerBelow(f.sky);
       MapLayer* upper = f.project.layerAbove(f.sky);
       std::unique_ptr<MapLayer> taken = f.project.takeLayer(f.sky);
       f.project.insertLayer(std::move(taken), f.project.indexOf(upper) + 1);
       f.journal.recordLayerMoved(f.sky, lower, upper, true);
     }},
    {"entities edited",
     [](JournalFixture& f) {
       MapLayer* things = f.project.findLayerOfKind(LayerKind::Entity);
       const std::vector<std::uint8_t> former = things->entities;
       things->entities[48] = 1;
       things->entities[52] = 200;
       f.journal.recordEntitiesEdited(things, former, f.project.selectedEntity);
       f.project.selectedEntity = 1;
     }},
};

// Redo gives back the state before the undo byte for byte, and the same
// entry goes back and forth.
TEST(UndoJournal, RedoDoesEveryKindOfActionAgain) {
  for (const auto& [name, action] : kActions) {
    SCOPED_TRACE(name);
    JournalFixture f;
    f.project.addLayer("things", 0, 0, 1.0f, 1.0f, LayerKind::Entity, false);
    f.journal.clear();
    f.ground->cell(5, 6).tile = 3;
    f.hills->cell(0, 0) = MapCell{5, 1, 2, 0, kCellHFlip, 0};
    const std::string before = snapshot(f.project);
    action(f);
    const std::string after = snapshot(f.project);
    ASSERT_NE(after, before);
    for (int round = 0; round < 2; ++round) {
      ASSERT_TRUE(f.journal.undo(f.project));
      EXPECT_EQ(snapshot(f.project), before);
      EXPECT_FALSE(f.journal.canUndo());
      ASSERT_TRUE(f.journal.redo(f.project));
      EXPECT_EQ(snapshot(f.project), after);
      EXPECT_FALSE(f.journal.canRedo());
    }
  }
}

// A layer put back by redo is the same layer: the strokes on it redo too,
// and dropping the redo stack forgets it.
TEST(UndoJournal, RedoOfAnAddedLayerKeepsItsStrokes) {
  JournalFixture f;
  MapLayer* added = f.project.addLayer("new", 32, 32, 1.0f, 1.0f, LayerKind::Secondary, true);
  stroke(f.journal, *added, {{3, 3}}, 6);
  ASSERT_TRUE(f.journal.undo(f.project) && f.journal.undo(f.project));
  EXPECT_FALSE(f.project.contains(added));
  EXPECT_EQ(f.project.activeLayer, f.ground);  // the layer active before the add
  EXPECT_EQ(Names(f.observer.events.end() - 2, f.observer.events.end()), (Names{"refresh", "active:ground"}));
  ASSERT_TRUE(f.journal.redo(f.project) && f.journal.redo(f.project));
  EXPECT_EQ(f.project.activeLayer, added);
  EXPECT_EQ(added->cell(3, 3).tile, 6);
  ASSERT_TRUE(f.journal.undo(f.project) && f.journal.undo(f.project));
  stroke(f.journal, *f.ground, {{0, 0}}, 2);
  EXPECT_EQ(f.journal.redoSize(), 0u);
  EXPECT_EQ(f.journal.size(), 1u);
}

}  // namespace
}  // namespace qarto::test
