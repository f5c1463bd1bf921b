#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <vector>

#include "model/project/map_cell.h"
#include "model/project/map_layer.h"

namespace qarto {

class MapProject;

enum class UndoKind : int {
  LayerAdded = 0,
  LayerMoved = 1,
  LayerDeleted = 2,
  LayerCellsReplaced = 3,
  LayerFlipped = 4,
  CellsEdited = 5,
};

// Mirrors a layer in place; undoing a flip runs the same flip again.
using LayerFlipper = std::function<void(MapLayer& layer, bool horizontal)>;

// The cells of one layer as they were before an action first changed them,
// each saved once under its cell number (x + y * width).
struct SavedCells {
  MapLayer* layer = nullptr;
  std::vector<std::uint32_t> numbers;
  std::vector<MapCell> cells;
  std::vector<std::uint64_t> seen;  // while recording: which numbers are saved

  std::size_t size() const { return numbers.size(); }
};

// One undoable user action. Only the fields of its kind are used.
struct UndoEntry {
  UndoKind kind = UndoKind::CellsEdited;
  MapLayer* layer = nullptr;            // every kind (not owned, except via ownedLayer)
  MapLayer* previouslyActive = nullptr;  // LayerAdded
  MapLayer* lower = nullptr;            // LayerMoved, LayerDeleted: neighbour below before the change
  MapLayer* upper = nullptr;            // LayerMoved, LayerDeleted: neighbour above before the change
  bool reanchorOnUpper = false;         // LayerMoved
  std::unique_ptr<MapLayer> ownedLayer;  // LayerDeleted: the deleted layer itself
  std::vector<MapCell> formerCells;     // LayerCellsReplaced
  std::uint16_t formerWidth = 0;        // LayerCellsReplaced
  std::uint16_t formerHeight = 0;
  bool horizontal = false;              // LayerFlipped
  LayerFlipper flipper;                 // LayerFlipped
  // CellsEdited: the edited layer's cells first, then those of layers the
  // action changed alongside it (auto-painted collision cells).
  std::vector<SavedCells> savedCells;
};

// A bounded stack of undo entries, newest first, plus the stroke being
// recorded. No redo.
//
// Entries refer to layers by address. Undo never trusts an address blindly:
// an entry whose layer is no longer in the project's stack is dropped without
// effect, saved cells beyond a layer's cell count are skipped, and a former
// cell array is only given back when it still has the layer's cell count and
// size. Operations that change a layer's size or cell array without recording
// an entry (resize, import, shift through other paths) call forgetLayer() so
// that no older entry of that layer outlives the change.
class UndoJournal {
 public:
  // 0 or less: no limit.
  void setLevels(int levels);
  int levels() const { return levels_; }

  void recordLayerAdded(MapLayer* layer, MapLayer* previouslyActive);
  void recordLayerMoved(MapLayer* layer, MapLayer* lower, MapLayer* upper, bool reanchorOnUpper);
  // The journal takes the deleted layer; lower and upper are its neighbours
  // before it was taken out of the stack.
  void recordLayerDeleted(std::unique_ptr<MapLayer> layer, MapLayer* lower, MapLayer* upper);
  // `former` is the cell array the layer had before; its current array stays
  // in the layer.
  void recordLayerCellsReplaced(MapLayer* layer, std::vector<MapCell> former, std::uint16_t formerWidth,
                                std::uint16_t formerHeight);
  void recordLayerFlipped(MapLayer* layer, bool horizontal, LayerFlipper flipper);

  // A stroke: begin at mouse-down, recordCell before each change, commit at mouse-up.
  void beginCellEdit(MapLayer* layer);
  void recordCell(int x, int y, const MapCell& cell);
  // A cell of another layer that the same action changes; undone with it.
  void recordCellOf(MapLayer* layer, int x, int y, const MapCell& cell);
  void commitCellEdit();
  bool hasPending() const { return pending_ != nullptr; }
  MapLayer* pendingLayer() const { return pending_ ? pending_->layer : nullptr; }
  int pendingCount() const;

  // Applies and removes the newest entry; false when there was none.
  bool undo(MapProject& project);
  void clear();
  bool canUndo() const { return !entries_.empty(); }
  std::size_t size() const { return entries_.size(); }
  // The newest entry, for inspection.
  const UndoEntry* newest() const { return entries_.empty() ? nullptr : entries_.front().get(); }

  // Drops every entry (and the pending stroke) that refers to `layer`.
  void forgetLayer(const MapLayer* layer);

 private:
  void push(std::unique_ptr<UndoEntry> entry);
  void apply(UndoEntry& entry, MapProject& project);

  int levels_ = 1;
  std::list<std::unique_ptr<UndoEntry>> entries_;  // newest first
  std::unique_ptr<UndoEntry> pending_;
};

}  // namespace qarto
