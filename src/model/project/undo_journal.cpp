#include "model/project/undo_journal.h"

#include <iterator>
#include <new>

#include "model/project/layer_observer.h"
#include "model/project/map_project.h"

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

void restoreCells(MapLayer& layer, const SavedCells& group) {
  for (std::size_t i = 0; i < group.numbers.size(); ++i) {
    const std::size_t number = group.numbers[i];
    if (number >= layer.cells.size()) continue;
    const MapCell& saved = group.cells[i];
    MapCell& cell = layer.cells[number];
    cell.tile = saved.tile;
    cell.tileset = saved.tileset;
    cell.palette = saved.palette;
    cell.collision = saved.collision;
    cell.flags = static_cast<std::uint8_t>((cell.flags & ~kCellFlagBits) | (saved.flags & kCellFlagBits));
  }
}

// Cells saved for a layer that is gone (or changed size) must never be
// written back.
void dropGroupsOf(UndoEntry& entry, const MapLayer* layer) {
  std::erase_if(entry.savedCells, [layer](const SavedCells& group) { return group.layer == layer; });
}

// The neighbour a move is undone against: Up re-anchors on the upper one.
MapLayer* moveAnchor(const UndoEntry& entry) { return entry.reanchorOnUpper ? entry.upper : entry.lower; }

}  // namespace

void UndoJournal::setLevels(int levels) {
  levels_ = levels;
  if (levels_ <= 0) return;
  while (entries_.size() > static_cast<std::size_t>(levels_)) {
    std::unique_ptr<UndoEntry> oldest = std::move(entries_.back());
    entries_.pop_back();
    // A deleted layer dies with its entry; nothing newer may keep its address.
    if (oldest->ownedLayer) forgetLayer(oldest->ownedLayer.get());
  }
}

void UndoJournal::push(std::unique_ptr<UndoEntry> entry) {
  if (!entry) return;
  try {
    entries_.push_front(std::move(entry));
  } catch (const std::bad_alloc&) {
    if (entry && entry->ownedLayer) forgetLayer(entry->ownedLayer.get());
    return;
  }
  setLevels(levels_);
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

int UndoJournal::pendingCount() const {
  if (!pending_) return 0;
  std::size_t total = 0;
  for (const SavedCells& group : pending_->savedCells) total += group.size();
  return static_cast<int>(total);
}

void UndoJournal::commitCellEdit() {
  std::unique_ptr<UndoEntry> entry = std::move(pending_);
  if (!entry) return;
  bool changed = false;
  for (SavedCells& group : entry->savedCells) {
    changed = changed || group.size() > 0;
    group.seen = {};  // only needed while recording
  }
  if (changed) push(std::move(entry));
}

bool UndoJournal::undo(MapProject& project) {
  if (entries_.empty()) return false;
  std::unique_ptr<UndoEntry> entry = std::move(entries_.front());
  entries_.pop_front();
  apply(*entry, project);

  if (LayerObserver* observer = project.layerObserver()) {
    observer->refreshLayers();
    observer->activeLayerChanged(project.activeLayer);
  }
  return true;
}

void UndoJournal::apply(UndoEntry& entry, MapProject& project) {
  if (entry.kind == UndoKind::LayerDeleted) {
    if (!entry.ownedLayer) return;
    // Back above its former lower neighbour; failing that below its upper
    // one; failing both at the bottom.
    int index = 0;
    if (entry.lower != nullptr && project.contains(entry.lower)) {
      index = project.indexOf(entry.lower) + 1;
    } else if (entry.upper != nullptr && project.contains(entry.upper)) {
      index = project.indexOf(entry.upper);
    }
    project.insertLayer(std::move(entry.ownedLayer), index);
    return;
  }

  MapLayer* layer = entry.layer;
  if (!project.contains(layer)) return;  // the layer went away unrecorded

  switch (entry.kind) {
    case UndoKind::LayerAdded: {
      std::unique_ptr<MapLayer> taken = project.takeLayer(layer);
      forgetLayer(taken.get());
      if (entry.previouslyActive == nullptr || project.contains(entry.previouslyActive)) {
        project.activeLayer = entry.previouslyActive;
      }
      break;
    }
    case UndoKind::LayerMoved: {
      MapLayer* anchor = moveAnchor(entry);
      if (anchor == layer || (anchor != nullptr && !project.contains(anchor))) return;
      if (entry.reanchorOnUpper && anchor == nullptr) return;
      MapLayer* const active = project.activeLayer;
      std::unique_ptr<MapLayer> taken = project.takeLayer(layer);
      const int index = entry.reanchorOnUpper ? project.indexOf(anchor)
                                              : (anchor != nullptr ? project.indexOf(anchor) + 1 : 0);
      project.insertLayer(std::move(taken), index);
      project.activeLayer = active;  // taking it out must not change the active layer
      break;
    }
    case UndoKind::LayerCellsReplaced:
      if (entry.formerWidth == layer->width && entry.formerHeight == layer->height &&
          entry.formerCells.size() == layer->cells.size()) {
        layer->cells.swap(entry.formerCells);
      }
      break;
    case UndoKind::LayerFlipped:
      if (entry.flipper) entry.flipper(*layer, entry.horizontal);
      break;
    case UndoKind::CellsEdited:
      for (const SavedCells& group : entry.savedCells) {
        if (group.layer != layer && !project.contains(group.layer)) continue;
        restoreCells(*group.layer, group);
      }
      break;
    case UndoKind::LayerDeleted:
      break;
  }
}

void UndoJournal::clear() {
  entries_.clear();
  pending_.reset();
}

void UndoJournal::forgetLayer(const MapLayer* layer) {
  if (layer == nullptr) return;
  if (pending_ && pending_->layer == layer) pending_.reset();
  if (pending_) dropGroupsOf(*pending_, layer);
  for (auto it = entries_.begin(); it != entries_.end();) {
    UndoEntry& entry = **it;
    bool drop = false;
    if (entry.kind == UndoKind::LayerDeleted) {
      // The deleted layer itself lives in the entry; only its anchors can go.
      if (entry.lower == layer) entry.lower = nullptr;
      if (entry.upper == layer) entry.upper = nullptr;
    } else if (entry.layer == layer) {
      drop = true;
    } else if (entry.kind == UndoKind::CellsEdited) {
      dropGroupsOf(entry, layer);
    } else if (entry.kind == UndoKind::LayerMoved) {
      if (moveAnchor(entry) == layer) {
        drop = true;
      } else if (entry.lower == layer) {
        entry.lower = nullptr;
      } else if (entry.upper == layer) {
        entry.upper = nullptr;
      }
    } else if (entry.kind == UndoKind::LayerAdded && entry.previouslyActive == layer) {
      entry.previouslyActive = nullptr;
    }
    it = drop ? entries_.erase(it) : std::next(it);
  }
}

}  // namespace qarto
