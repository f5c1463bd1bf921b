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
  MapLayer* ground = nullptr;
  MapLayer* hills = nullptr;
  MapLayer* sky = nullptr;
  UndoJournal& journal = project.journal();

  // Stack bottom-first: sky, hills, ground.
  JournalFixture() {
    journal.setLevels(-1);
    ground = project.addLayer("ground", 32, 32, 1.0f, 1.0f, LayerKind::Primary, false);
    hills = project.addLayer("hills", 32, 32, 1.0f, 1.0f, LayerKind::Secondary, false);
    sky = project.addLayer("sky", 32, 32, 1.0f, 1.0f, LayerKind::Secondary, false);
    journal.clear();
    project.modified = false;
  }
};

TEST(UndoJournal, LevelsBoundTheEntries) {
  JournalFixture f;
  f.journal.setLevels(1);
  stroke(f.journal, *f.ground, {{0, 0}}, 5);
  stroke(f.journal, *f.ground, {{0, 0}, {1, 0}}, 7);
  EXPECT_EQ(f.journal.size(), 1u);
  EXPECT_TRUE(f.journal.undo(f.project));
  EXPECT_EQ(f.ground->cell(0, 0).tile, 5);  // the state after the first stroke
  EXPECT_EQ(f.ground->cell(1, 0).tile, 0);
  EXPECT_FALSE(f.journal.canUndo());
  EXPECT_FALSE(f.journal.undo(f.project));
  EXPECT_EQ(f.ground->cell(0, 0).tile, 5);

  // Unlimited keeps everything; lowering the limit later drops the oldest.
  f.journal.setLevels(-1);
  for (int i = 1; i <= 60; ++i) stroke(f.journal, *f.ground, {{2, 2}}, i);
  EXPECT_EQ(f.journal.size(), 60u);
  f.journal.setLevels(0);
  stroke(f.journal, *f.ground, {{2, 2}}, 61);
  EXPECT_EQ(f.journal.size(), 61u);
  f.journal.setLevels(5);
  EXPECT_EQ(f.journal.size(), 5u);
  while (f.journal.undo(f.project)) {
  }
  EXPECT_EQ(f.ground->cell(2, 2).tile, 56);
  EXPECT_FALSE(f.project.modified);  // undo leaves it alone
}

TEST(UndoJournal, StrokeSavesEachCellOnceAndRestoresAllFields) {
  JournalFixture f;
  MapCell original;
  original.tile = 3;
  original.tileset = 2;
  original.palette = 4;
  original.collision = 0x1040;
  original.flags = kCellHFlip;
  f.ground->cell(4, 1) = original;

  f.journal.beginCellEdit(f.ground);
  f.journal.beginCellEdit(f.hills);  // one stroke at a time: ignored
  for (int pass = 0; pass < 3; ++pass) {
    f.journal.recordCell(4, 1, f.ground->cell(4, 1));
    MapCell& cell = f.ground->cell(4, 1);
    cell.tile = static_cast<std::int16_t>(10 + pass);
    cell.tileset = 9;
    cell.palette = 15;
    cell.collision = 0;
    cell.flags = kCellVFlip | 0x08;
  }
  f.journal.recordCell(32, 0, MapCell{});  // outside the layer: not saved
  f.journal.recordCell(-1, 0, MapCell{});
  EXPECT_EQ(f.journal.pendingCount(), 1);
  f.journal.commitCellEdit();
  EXPECT_FALSE(f.journal.hasPending());

  ASSERT_TRUE(f.journal.undo(f.project));
  const MapCell& restored = f.ground->cell(4, 1);
  EXPECT_EQ(restored.tile, 3);
  EXPECT_EQ(restored.tileset, 2);
  EXPECT_EQ(restored.palette, 4);
  EXPECT_EQ(restored.collision, 0x1040);
  EXPECT_EQ(restored.flags, kCellHFlip | 0x08);  // bits 0-2 restored, the unused bits untouched
  for (const MapCell& cell : f.hills->cells) EXPECT_EQ(cell, MapCell{});

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
  MapLayer* extra = f.project.addLayer("extra", 32, 32, 1.0f, 1.0f, LayerKind::Secondary, true);
  EXPECT_EQ(f.project.activeLayer, extra);
  f.project.modified = false;
  f.observer.events.clear();
  ASSERT_TRUE(f.journal.undo(f.project));
  EXPECT_EQ(f.stackNames(), (Names{"sky", "hills", "ground"}));
  EXPECT_EQ(f.project.activeLayer, f.hills);
  EXPECT_EQ(f.observer.events, (Names{"refresh", "active:hills"}));

  // Deleted: back in its place with its cells; the active layer stays.
  f.hills->cell(3, 3).tile = 42;
  MapLayer* hills = f.hills;
  f.journal.recordLayerDeleted(f.project.takeLayer(hills), f.sky, f.ground);
  f.project.setActiveLayer(f.ground);
  EXPECT_EQ(f.stackNames(), (Names{"sky", "ground"}));
  ASSERT_TRUE(f.journal.undo(f.project));
  EXPECT_EQ(f.stackNames(), (Names{"sky", "hills", "ground"}));
  EXPECT_EQ(f.project.layerAt(1), hills);
  EXPECT_EQ(hills->cell(3, 3).tile, 42);
  EXPECT_EQ(f.project.activeLayer, f.ground);

  // A deleted bottom layer goes back to the bottom.
  MapLayer* sky = f.sky;
  f.journal.recordLayerDeleted(f.project.takeLayer(sky), nullptr, hills);
  ASSERT_TRUE(f.journal.undo(f.project));
  EXPECT_EQ(f.project.layerAt(0), sky);

  // Shuffle Up moves hills above ground; undo puts it back below ground.
  f.project.setActiveLayer(hills);
  f.journal.recordLayerMoved(hills, f.sky, f.ground, true);
  f.project.insertLayer(f.project.takeLayer(hills), 2);
  EXPECT_EQ(f.stackNames(), (Names{"sky", "ground", "hills"}));
  f.project.activeLayer = hills;
  ASSERT_TRUE(f.journal.undo(f.project));
  EXPECT_EQ(f.stackNames(), (Names{"sky", "hills", "ground"}));
  EXPECT_EQ(f.project.activeLayer, hills);

  // Shuffle Down moves hills below sky; undo puts it back above sky.
  f.journal.recordLayerMoved(hills, f.sky, f.ground, false);
  f.project.insertLayer(f.project.takeLayer(hills), 0);
  f.project.activeLayer = hills;
  EXPECT_EQ(f.stackNames(), (Names{"hills", "sky", "ground"}));
  ASSERT_TRUE(f.journal.undo(f.project));
  EXPECT_EQ(f.stackNames(), (Names{"sky", "hills", "ground"}));
  EXPECT_EQ(f.project.activeLayer, hills);
  EXPECT_FALSE(f.project.modified);
}

void flipRows(MapLayer& layer, bool horizontal) {
  if (!horizontal) return;
  for (int y = 0; y < layer.height; ++y) {
    auto row = layer.cells.begin() + static_cast<std::ptrdiff_t>(y) * layer.width;
    std::reverse(row, row + layer.width);
  }
}

TEST(UndoJournal, FlipsAndReplacedCells) {
  JournalFixture f;
  f.ground->cell(0, 0).tile = 1;
  flipRows(*f.ground, true);
  f.journal.recordLayerFlipped(f.ground, true, flipRows);
  flipRows(*f.ground, true);
  f.journal.recordLayerFlipped(f.ground, true, flipRows);
  ASSERT_TRUE(f.journal.undo(f.project));
  EXPECT_EQ(f.ground->cell(31, 0).tile, 1);  // flipped once
  EXPECT_EQ(f.ground->cell(0, 0).tile, 0);

  // Shifted cells: the former array comes back.
  std::vector<MapCell> former = f.hills->cells;
  former[5].tile = 77;
  f.journal.recordLayerCellsReplaced(f.hills, former, 32, 32);
  ASSERT_TRUE(f.journal.undo(f.project));
  EXPECT_EQ(f.hills->cells[5].tile, 77);

  // A former array that no longer fits the layer is not given back.
  f.journal.recordLayerCellsReplaced(f.sky, std::vector<MapCell>(32 * 32, MapCell{9}), 32, 32);
  f.sky->width = 40;
  f.sky->height = 20;
  f.sky->cells.assign(40 * 20, MapCell{});
  ASSERT_TRUE(f.journal.undo(f.project));
  EXPECT_EQ(f.sky->cells.size(), 40u * 20u);
  for (const MapCell& cell : f.sky->cells) EXPECT_EQ(cell.tile, 0);
}

TEST(UndoJournal, EntriesThatNoLongerFitAreDroppedWithoutWriting) {
  JournalFixture f;
  // A layer shrunk by an operation that tells the journal: its entries go.
  stroke(f.journal, *f.hills, {{31, 31}, {0, 0}}, 5);
  stroke(f.journal, *f.sky, {{1, 1}}, 6);
  f.hills->width = 30;
  f.hills->height = 20;
  f.hills->cells.assign(30 * 20, MapCell{});
  f.journal.forgetLayer(f.hills);
  EXPECT_EQ(f.journal.size(), 1u);
  ASSERT_TRUE(f.journal.undo(f.project));
  EXPECT_EQ(f.sky->cell(1, 1).tile, 0);
  for (const MapCell& cell : f.hills->cells) EXPECT_EQ(cell, MapCell{});

  // Shrunk without telling: cells beyond the layer are skipped, the rest restored.
  f.ground->cell(0, 0).tile = 3;
  stroke(f.journal, *f.ground, {{0, 0}, {31, 31}}, 8);
  f.ground->cells.resize(10);
  ASSERT_TRUE(f.journal.undo(f.project));
  EXPECT_EQ(f.ground->cells.size(), 10u);
  EXPECT_EQ(f.ground->cells[0].tile, 3);

  // A layer taken out of the stack unrecorded: the entry does nothing.
  stroke(f.journal, *f.sky, {{2, 2}}, 9);
  std::unique_ptr<MapLayer> outside = f.project.takeLayer(f.sky);
  ASSERT_TRUE(f.journal.undo(f.project));
  EXPECT_EQ(outside->cell(2, 2).tile, 9);
  EXPECT_FALSE(f.journal.canUndo());

  // Forgetting drops the pending stroke too; clear drops everything.
  f.journal.beginCellEdit(f.ground);
  f.journal.recordCell(0, 0, f.ground->cell(0, 0));
  f.journal.forgetLayer(f.ground);
  EXPECT_FALSE(f.journal.hasPending());
  stroke(f.journal, *f.ground, {{0, 0}}, 1);
  f.journal.beginCellEdit(f.ground);
  f.journal.clear();
  EXPECT_FALSE(f.journal.canUndo());
  EXPECT_FALSE(f.journal.hasPending());
}

}  // namespace
}  // namespace qarto::test
