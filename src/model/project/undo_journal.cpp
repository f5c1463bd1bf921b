#include "model/project/undo_journal.h"

#include <iterator>
#include <new>

#include "model/project/layer_observer.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"

namespace qarto {

namespace {

// A failed allocation skips the recording; the edit itself stands.
std::unique_ptr<UndoEntry> makeEntry(UndoKind kind, MapLayer* layer) {
  try {
    auto entry = std::make_unique<UndoEntry>();
    entry->kind = kind;
    entry->layer = layer;
    return entry;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

// Cells saved for a layer that is gone (or changed size) must never be
// written back.
void dropPartsOf(UndoEntry& entry, const MapLayer* layer) {
  std::erase_if(entry.savedCells, [layer](const SavedCells& group) { return group.layer == layer; });
  std::erase_if(entry.shapes, [layer](const LayerShape& shape) { return shape.layer == layer; });
  std::erase_if(entry.visibility, [layer](const LayerVisibility& change) { return change.layer == layer; });
}

// Whether `entry` is lost with `layer`; otherwise the parts of it that refer
// to the layer are cut away.
bool loseWith(UndoEntry& entry, const MapLayer* layer) {
  if (entry.kind == UndoKind::LayerDeleted) {
    // The layer out of the stack lives in the entry; only its anchors can go.
    if (entry.lower == layer) entry.lower = nullptr;
    if (entry.upper == layer) entry.upper = nullptr;
    dropPartsOf(entry, layer);
    return false;
  }
  if (entry.layer == layer) return true;
  if (entry.kind == UndoKind::LayerMoved) {
    if ((entry.reanchorOnUpper ? entry.upper : entry.lower) == layer) return true;
    if (entry.lower == layer) entry.lower = nullptr;
    if (entry.upper == layer) entry.upper = nullptr;
  }
  if (entry.kind == UndoKind::LayerAdded && entry.previouslyActive == layer) entry.previouslyActive = nullptr;
  dropPartsOf(entry, layer);
  return entry.kind == UndoKind::LayersResized && entry.shapes.empty();
}

}  // namespace

void UndoJournal::setLevels(int levels) {
  levels_ = levels;
  trim();
}

void UndoJournal::trim() {
  if (levels_ <= 0) return;
  while (entries_.size() + redo_.size() > static_cast<std::size_t>(levels_)) {
    Stack& from = entries_.empty() ? redo_ : entries_;
    std::unique_ptr<UndoEntry> oldest = std::move(from.back());
    from.pop_back();
    discard(std::move(oldest));
  }
}

void UndoJournal::discard(std::unique_ptr<UndoEntry> entry) {
  // A layer out of the stack dies with its entry; nothing may keep its address.
  if (entry && entry->ownedLayer) forgetLayer(entry->ownedLayer.get());
}

void UndoJournal::discardAll(Stack& stack) {
  while (!stack.empty()) {
    std::unique_ptr<UndoEntry> entry = std::move(stack.front());
    stack.pop_front();
    discard(std::move(entry));
  }
}

void UndoJournal::push(std::unique_ptr<UndoEntry> entry) {
  if (!entry) return;
  discardAll(redo_);
  try {
    entries_.push_front(std::move(entry));
  } catch (const std::bad_alloc&) {
    discard(std::move(entry));
    return;
  }
  ++revision_;
  trim();
}

void UndoJournal::recordLayerAdded(MapLayer* layer, MapLayer* previouslyActive) {
  auto entry = makeEntry(UndoKind::LayerAdded, layer);
  if (entry) entry->previouslyActive = previouslyActive;
  push(std::move(entry));
}

void UndoJournal::recordLayerMoved(MapLayer* layer, MapLayer* lower, MapLayer* upper, bool reanchorOnUpper) {
  auto entry = makeEntry(UndoKind::LayerMoved, layer);
  if (entry) {
    entry->lower = lower;
    entry->upper = upper;
    entry->reanchorOnUpper = reanchorOnUpper;
  }
  push(std::move(entry));
}

void UndoJournal::recordLayerDeleted(std::unique_ptr<MapLayer> layer, MapLayer* lower, MapLayer* upper) {
  if (!layer) return;
  auto entry = makeEntry(UndoKind::LayerDeleted, layer.get());
  if (!entry) {
    forgetLayer(layer.get());  // the layer dies here; older entries must not outlive it
    return;
  }
  entry->lower = lower;
  entry->upper = upper;
  entry->ownedLayer = std::move(layer);
  push(std::move(entry));
}

void UndoJournal::recordLayerCellsReplaced(MapLayer* layer, std::vector<MapCell> former, std::uint16_t formerWidth,
                                           std::uint16_t formerHeight) {
  auto entry = makeEntry(UndoKind::LayerCellsReplaced, layer);
  if (entry) {
    entry->formerCells = std::move(former);
    entry->formerWidth = formerWidth;
    entry->formerHeight = formerHeight;
  }
  push(std::move(entry));
}

void UndoJournal::recordLayerFlipped(MapLayer* layer, bool horizontal, LayerFlipper flipper) {
  auto entry = makeEntry(UndoKind::LayerFlipped, layer);
  if (entry) {
    entry->horizontal = horizontal;
    entry->flipper = std::move(flipper);
  }
  push(std::move(entry));
}

void UndoJournal::recordLayersResized(std::vector<LayerShape> former) {
  if (former.empty()) return;
  auto entry = makeEntry(UndoKind::LayersResized, former.front().layer);
  if (!entry) {
    // Without the entry the older ones of these layers no longer fit them.
    for (const LayerShape& shape : former) forgetLayer(shape.layer);
    return;
  }
  entry->shapes = std::move(former);
  push(std::move(entry));
}

void UndoJournal::recordEntitiesEdited(MapLayer* layer, std::vector<std::uint8_t> formerBlock,
                                       std::int32_t formerSelected) {
  auto entry = makeEntry(UndoKind::EntitiesEdited, layer);
  if (entry) {
    entry->entityBlock = std::move(formerBlock);
    entry->selectedEntity = formerSelected;
  }
  push(std::move(entry));
}

void UndoJournal::beginCellEdit(MapLayer* layer) {
  if (pending_ || layer == nullptr) return;
  pending_ = makeEntry(UndoKind::CellsEdited, layer);
}

void UndoJournal::recordCell(int x, int y, const MapCell& cell) {
  if (pending_) recordCellOf(pending_->layer, x, y, cell);
}

void UndoJournal::recordCellOf(MapLayer* layer, int x, int y, const MapCell& cell) {
  if (!pending_ || layer == nullptr || !layer->contains(x, y)) return;
  const std::size_t number = static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * layer->width;
  try {
    SavedCells* group = nullptr;
    for (SavedCells& candidate : pending_->savedCells) {
      if (candidate.layer == layer) group = &candidate;
    }
    if (group == nullptr) {
      // The edited layer's own group always comes first.
      if (pending_->savedCells.empty() && layer != pending_->layer) {
        pending_->savedCells.push_back(SavedCells{pending_->layer, {}, {}, {}});
      }
      group = &pending_->savedCells.emplace_back();
      group->layer = layer;
    }
    if (group->seen.empty()) group->seen.assign((layer->cells.size() + 63) / 64, 0);
    std::uint64_t& word = group->seen[number / 64];
    const std::uint64_t bit = std::uint64_t{1} << (number % 64);
    if ((word & bit) != 0) return;  // keeps the first state of a cell
    group->numbers.push_back(static_cast<std::uint32_t>(number));
    group->cells.push_back(cell);
    word |= bit;
  } catch (const std::bad_alloc&) {
    // The cell goes unsaved; the stroke itself stands.
  }
}

void UndoJournal::recordVisibility(MapLayer* layer, bool formerVisible) {
  if (!pending_ || layer == nullptr) return;
  try {
    pending_->visibility.push_back(LayerVisibility{layer, formerVisible});
  } catch (const std::bad_alloc&) {
  }
}

void UndoJournal::recordPage(const Tileset& page) {
  if (!pending_) return;
  try {
    pending_->pages.push_back(PageContent{page.id, page.pixels, page.palette});
  } catch (const std::bad_alloc&) {
  }
}

int UndoJournal::pendingCount() const {
  if (!pending_) return 0;
  std::size_t total = 0;
  for (const SavedCells& group : pending_->savedCells) total += group.size();
  return static_cast<int>(total);
}

void UndoJournal::commitCellEdit() {
  std::unique_ptr<UndoEntry> entry = std::move(pending_);
  if (!entry) return;
  bool changed = !entry->visibility.empty() || !entry->pages.empty();
  for (SavedCells& group : entry->savedCells) {
    changed = changed || group.size() > 0;
    group.seen = {};  // only needed while recording
  }
  if (changed) push(std::move(entry));
}

bool UndoJournal::step(Stack& from, Stack& to, MapProject& project) {
  if (from.empty()) return false;
  std::unique_ptr<UndoEntry> entry = std::move(from.front());
  from.pop_front();
  if (applyUndoEntry(*entry, project)) {
    project.modified = true;
    to.push_front(std::move(entry));
    ++revision_;
  } else {
    discard(std::move(entry));
    revision_ += 2;
  }

  if (LayerObserver* observer = project.layerObserver()) {
    observer->refreshLayers();
    observer->activeLayerChanged(project.activeLayer);
  }
  return true;
}

bool UndoJournal::undo(MapProject& project) { return step(entries_, redo_, project); }

bool UndoJournal::redo(MapProject& project) { return step(redo_, entries_, project); }

void UndoJournal::clear() {
  revision_ += 2;
  entries_.clear();
  redo_.clear();
  pending_.reset();
}

void UndoJournal::forgetLayer(const MapLayer* layer) {
  if (layer == nullptr) return;
  revision_ += 2;
  if (pending_ && pending_->layer == layer) pending_.reset();
  if (pending_) dropPartsOf(*pending_, layer);
  for (Stack* stack : {&entries_, &redo_}) {
    for (auto it = stack->begin(); it != stack->end();) {
      it = loseWith(**it, layer) ? stack->erase(it) : std::next(it);
    }
  }
}

}  // namespace qarto
