#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "model/project/map_cell.h"
#include "model/project/map_layer.h"
#include "model/project/undo_entry.h"

namespace qarto {
struct Tileset;
}

namespace qarto {

class MapProject;

// Two bounded stacks of undo entries: the actions that can be taken back,
// newest first, and those taken back that can be done again, next first.
// A new action empties the redo stack; the levels limit counts both.
//
// Entries refer to layers by address. Applying never trusts an address
// blindly: an entry whose layer is no longer in the project's stack is
// dropped without effect, saved cells beyond a layer's cell count are
// skipped, and a former cell array is only given back when it still has the
// layer's cell count and size. Operations that change a layer's size or cell
// array without recording an entry call forgetLayer() so that no older entry
// of that layer outlives the change.
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
  // The cell arrays, sizes and parallax the layers had before a resize; the
  // layers keep their new ones.
  void recordLayersResized(std::vector<LayerShape> former);
  // An entity layer's block and the project's selected slot before the action.
  void recordEntitiesEdited(MapLayer* layer, std::vector<std::uint8_t> formerBlock, std::int32_t formerSelected);

  // A stroke: begin at mouse-down, recordCell before each change, commit at mouse-up.
  void beginCellEdit(MapLayer* layer);
  void recordCell(int x, int y, const MapCell& cell);
  // A cell of another layer that the same action changes; undone with it.
  void recordCellOf(MapLayer* layer, int x, int y, const MapCell& cell);
  // A visibility the pending action changes, as it was before; undone with it.
  void recordVisibility(MapLayer* layer, bool formerVisible);
  // A tile page the pending action rewrites, as it was before; undone with it.
  void recordPage(const Tileset& page);
  void commitCellEdit();
  bool hasPending() const { return pending_ != nullptr; }
  MapLayer* pendingLayer() const { return pending_ ? pending_->layer : nullptr; }
  int pendingCount() const;

  // Applies the newest entry and moves it to the redo stack; false when
  // there was none. Marks the project modified when something was applied.
  bool undo(MapProject& project);
  // Applies the next entry of the redo stack and moves it back.
  bool redo(MapProject& project);
  void clear();
  bool canUndo() const { return !entries_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  std::size_t size() const { return entries_.size(); }
  std::size_t redoSize() const { return redo_.size(); }
  // The newest entry, for inspection.
  const UndoEntry* newest() const { return entries_.empty() ? nullptr : entries_.front().get(); }

  // Drops every entry (and the pending stroke) that refers to `layer`.
  void forgetLayer(const MapLayer* layer);

  // Advances by one for each entry pushed, undone or redone, and by more for
  // anything whose cells no entry names (clearing, forgetting a layer, an
  // entry that no longer applied), so a watcher that sees a step of one
  // knows which entry holds every cell changed since.
  std::uint64_t revision() const { return revision_; }
  const UndoEntry* pending() const { return pending_.get(); }
  const UndoEntry* nextRedo() const { return redo_.empty() ? nullptr : redo_.front().get(); }

 private:
  using Stack = std::list<std::unique_ptr<UndoEntry>>;

  void push(std::unique_ptr<UndoEntry> entry);
  bool step(Stack& from, Stack& to, MapProject& project);
  void discard(std::unique_ptr<UndoEntry> entry);
  void discardAll(Stack& stack);
  void trim();

  int levels_ = 10;
  Stack entries_;  // newest first
  Stack redo_;     // next to redo first
  std::unique_ptr<UndoEntry> pending_;
  std::uint64_t revision_ = 0;
};

}  // namespace qarto
