#include "export/budget/budget_tracker.h"

#include <algorithm>

#include "export/reduction/export_reduction.h"
#include "model/project/map_project.h"
#include "model/project/undo_entry.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

std::uint64_t mix(std::uint64_t hash, std::uint64_t value) { return (hash ^ value) * 1099511628211ull; }

}  // namespace

std::uint64_t pagesFingerprint(const MapProject& project) {
  std::uint64_t hash = 14695981039346656037ull;
  hash = mix(hash, project.unoptimizedMode);
  for (const auto& [id, page] : project.registry()) {
    hash = mix(hash, static_cast<std::uint64_t>(id));
    hash = mix(hash, reinterpret_cast<std::uintptr_t>(page.get()));
    hash = mix(hash, reinterpret_cast<std::uintptr_t>(page->pixels.data()));
    hash = mix(hash, page->pixels.size());
    hash = mix(hash, static_cast<std::uint64_t>(page->imageWidth));
    for (std::uint8_t byte : page->palette) hash = mix(hash, byte);
  }
  return hash;
}

bool BudgetTracker::layersMatch(const MapProject& project) const {
  std::size_t n = 0;
  for (const auto& layer : project.layers()) {
    if (!isTileLayerKind(layer->kind)) continue;
    if (n == tracks_.size()) return false;
    const Track& track = tracks_[n++];
    if (track.layer != layer.get() || track.width != layer->width || track.height != layer->height ||
        track.group != tileGroupOf(*layer) || track.keys.size() != layer->cells.size()) {
      return false;
    }
  }
  return n == tracks_.size();
}

// Lines the tracks up with the tile layers: a layer gone takes its cells
// away, a new one adds its cells, a layer whose size or group changed does
// both; the cells of layers that stayed are compared afterwards.
void BudgetTracker::retrack(const MapProject& project) {
  std::vector<Track> tracks;
  for (const auto& layer : project.layers()) {
    if (!isTileLayerKind(layer->kind)) continue;
    auto old = std::find_if(tracks_.begin(), tracks_.end(), [&](const Track& t) { return t.layer == layer.get(); });
    const bool same = old != tracks_.end() && old->width == layer->width && old->height == layer->height &&
                      old->group == tileGroupOf(*layer) && old->keys.size() == layer->cells.size();
    if (same) {
      tracks.push_back(std::move(*old));
      tracks_.erase(old);
      continue;
    }
    Track track{layer.get(), layer->width, layer->height, tileGroupOf(*layer), {}};
    track.keys.reserve(layer->cells.size());
    for (const MapCell& cell : layer->cells) {
      track.keys.push_back(budgetKey(cell));
      counts_.count(track.keys.back(), track.group, 1);
    }
    tracks.push_back(std::move(track));
  }
  for (const Track& gone : tracks_) {
    for (BudgetKey key : gone.keys) counts_.count(key, gone.group, -1);
  }
  tracks_ = std::move(tracks);
}

void BudgetTracker::compareCell(Track& track, std::size_t number) {
  if (number >= track.keys.size()) return;
  const BudgetKey now = budgetKey(track.layer->cells[number]);
  BudgetKey& was = track.keys[number];
  if (now == was) return;
  counts_.count(was, track.group, -1);
  counts_.count(now, track.group, 1);
  was = now;
}

void BudgetTracker::compareAll() {
  for (Track& track : tracks_) {
    for (std::size_t n = 0; n < track.keys.size(); ++n) compareCell(track, n);
  }
}

void BudgetTracker::compareSaved(const UndoEntry& entry) {
  for (const SavedCells& saved : entry.savedCells) {
    auto track = std::find_if(tracks_.begin(), tracks_.end(), [&](const Track& t) { return t.layer == saved.layer; });
    if (track == tracks_.end()) continue;  // not a tile layer (auto-painted collision)
    for (std::uint32_t number : saved.numbers) compareCell(*track, number);
  }
}

void BudgetTracker::recount(const MapProject& project) {
  counts_.reset(project.registry());
  tracks_.clear();
  retrack(project);
  pagesPrint_ = pagesFingerprint(project);
  counted_ = true;
  const UndoJournal& journal = project.journal();
  revision_ = journal.revision();
  newest_ = journal.newest();
}

void BudgetTracker::update(const MapProject& project) {
  if (!counted_ || pagesFingerprint(project) != pagesPrint_) {
    recount(project);
    return;
  }
  const UndoJournal& journal = project.journal();
  const bool layersChanged = !layersMatch(project);
  if (layersChanged) retrack(project);
  // One journal step names its entry: a new or redone one is the newest, an
  // undone one heads the redo stack.
  const UndoEntry* named = nullptr;
  if (journal.revision() == revision_ + 1) {
    const UndoEntry* redoHead = journal.nextRedo();
    named = redoHead != nullptr && redoHead == newest_ ? redoHead : journal.newest();
    if (named != nullptr && named->kind != UndoKind::CellsEdited) named = nullptr;
  }
  if (layersChanged || (journal.revision() != revision_ && named == nullptr)) {
    compareAll();
  } else {
    if (named != nullptr) compareSaved(*named);
    // A stroke in progress has saved every cell it changed so far.
    if (journal.pending() != nullptr) compareSaved(*journal.pending());
  }
  revision_ = journal.revision();
  newest_ = journal.newest();
}

}  // namespace qarto
