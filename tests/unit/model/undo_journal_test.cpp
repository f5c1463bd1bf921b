#include <gtest/gtest.h>

#include <algorithm>

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
  // Unlimited keeps everything; lowering the limit later drops the oldest.
  f.journal.setLevels(0);
  for (int i = 1; i <= 61; ++i) stroke(f.journal, *f.ground, {{2, 2}}, i);
  EXPECT_EQ(f.journal.size(), 61u);
  f.journal.setLevels(5);
  while (f.journal.undo(f.project)) {
  }
  EXPECT_EQ(f.ground->cell(2, 2).tile, 56);
  EXPECT_FALSE(f.project.modified);  // undo leaves it alone
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

TEST(UndoJournal, LayerAddedDeletedAndMoved) {
  JournalFixture f;
  f.project.setActiveLayer(f.hills);
  // Added: the layer leaves the stack and the former active layer returns.
  f.project.addLayer("extra", 32, 32, 1.0f, 1.0f, LayerKind::Secondary, true);
  f.observer.events.clear();
  ASSERT_TRUE(f.journal.undo(f.project));
  EXPECT_EQ(f.stackNames(), (Names{"sky", "hills", "ground"}));
  EXPECT_EQ(f.project.activeLayer, f.hills);
  EXPECT_EQ(f.observer.events, (Names{"refresh", "active:hills"}));

  // Deleted: back in its place with its cells; the active layer stays.
  MapLayer* hills = f.hills;
  hills->cell(3, 3).tile = 42;
  f.journal.recordLayerDeleted(f.project.takeLayer(hills), f.sky, f.ground);
  f.project.setActiveLayer(f.ground);
  ASSERT_TRUE(f.journal.undo(f.project));
  EXPECT_EQ(f.project.layerAt(1), hills);
  EXPECT_EQ(hills->cell(3, 3).tile, 42);
  EXPECT_EQ(f.project.activeLayer, f.ground);
  // A deleted bottom layer goes back to the bottom.
  f.journal.recordLayerDeleted(f.project.takeLayer(f.sky), nullptr, hills);
  ASSERT_TRUE(f.journal.undo(f.project));
  EXPECT_EQ(f.project.layerAt(0), f.sky);
}

// A layer shrunk after a stroke: cells beyond it are skipped, the rest restored.
TEST(UndoJournal, CellsThatNoLongerFitAreSkipped) {
  JournalFixture f;
  f.ground->cell(0, 0).tile = 3;
  stroke(f.journal, *f.ground, {{0, 0}, {31, 31}}, 8);
  f.ground->cells.resize(10);
  ASSERT_TRUE(f.journal.undo(f.project));
  EXPECT_EQ(f.ground->cells.size(), 10u);
  EXPECT_EQ(f.ground->cells[0].tile, 3);
  // Clear drops the entries and the stroke being recorded.
  stroke(f.journal, *f.ground, {{0, 0}}, 1);
  f.journal.beginCellEdit(f.ground);
  f.journal.clear();
  EXPECT_FALSE(f.journal.canUndo() || f.journal.hasPending());
}

}  // namespace
}  // namespace qarto::test
