#include "edit/brush/brush.h"

#include <algorithm>

#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

bool isEmptyTile(const Tileset& page, int tile) {
  if (page.imageWidth <= 0) return true;
  if (tile < 0 || tile >= page.tileCount) return true;
  return isBlankTile(page, tile);
}

bool Brush::add(const Tileset& page, int x, int y, int tile, bool hflip, bool vflip) {
  if (count_ >= kBrushCapacity) return false;
  if (tile < 0 || tile > kMaxCellTile || page.id < 0 || page.id > kMaxCellTilesetId) return false;
  if (slotOf(x, y) >= 0) return false;

  BrushPlacement& p = placements_[static_cast<std::size_t>(count_)];
  p.x = x;
  p.y = y;
  p.tile = static_cast<std::int16_t>(tile);
  p.tilesetId = page.id;
  p.palette = page.imageWidth > 0 ? tilePaletteRow(page, tile) : 0;
  p.hflip = hflip;
  p.vflip = vflip;
  p.collisionTile = page.isCollisionTileset;
  indexInsert(count_);
  ++count_;
  if (p.collisionTile) {
    ++collisionTiles_;
  } else {
    ++normalTiles_;
  }
  recompute();
  return true;
}

bool Brush::addFromPage(const Tileset& page, int column, int row) {
  const int tilesPerRow = page.imageWidth / kTileSide;
  return add(page, column, row, row * tilesPerRow + column, false, false);
}

bool Brush::remove(int x, int y, bool recomputeAfter) {
  const int slot = slotOf(x, y);
  if (slot < 0) return false;
  const int removed = index_[static_cast<std::size_t>(slot)];
  indexErase(slot);
  if (placements_[static_cast<std::size_t>(removed)].collisionTile) {
    --collisionTiles_;
  } else {
    --normalTiles_;
  }
  const int last = count_ - 1;
  if (removed != last) {
    const BrushPlacement& moved = placements_[static_cast<std::size_t>(last)];
    index_[static_cast<std::size_t>(slotOf(moved.x, moved.y))] = static_cast<std::int16_t>(removed);
    placements_[static_cast<std::size_t>(removed)] = moved;
  }
  count_ = last;
  if (recomputeAfter) recompute();
  return true;
}

int Brush::find(int x, int y) const {
  const int slot = slotOf(x, y);
  return slot < 0 ? -1 : index_[static_cast<std::size_t>(slot)];
}

void Brush::recompute() {
  if (count_ == 0) {
    origin_ = {};
    bounds_ = {};
    return;
  }
  BrushBounds b{99999, 99999, -99999, -99999};
  long long sumX = 0;
  long long sumY = 0;
  for (const BrushPlacement& p : placements()) {
    b.minX = std::min(b.minX, p.x);
    b.minY = std::min(b.minY, p.y);
    b.maxX = std::max(b.maxX, p.x);
    b.maxY = std::max(b.maxY, p.y);
    sumX += p.x;
    sumY += p.y;
  }
  bounds_ = b;
  // Division truncates toward zero, as the mean is defined.
  origin_ = {static_cast<int>(sumX / count_), static_cast<int>(sumY / count_)};
}

void Brush::trim(const TilesetRegistry& registry) {
  for (int i = count_ - 1; i >= 0; --i) {
    const BrushPlacement& p = placements_[static_cast<std::size_t>(i)];
    const Tileset* page = registry.find(p.tilesetId);
    if (page != nullptr && isEmptyTile(*page, p.tile)) remove(p.x, p.y, false);
  }
  recompute();
}

void Brush::clear() {
  count_ = 0;
  normalTiles_ = 0;
  collisionTiles_ = 0;
  index_.fill(-1);
  recompute();
}

int Brush::hashOf(int x, int y) {
  const auto h = static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u;
  return static_cast<int>((h ^ (h >> 11)) & (kIndexSize - 1));
}

int Brush::slotOf(int x, int y) const {
  for (int slot = hashOf(x, y);; slot = (slot + 1) & (kIndexSize - 1)) {
    const int entry = index_[static_cast<std::size_t>(slot)];
    if (entry < 0) return -1;
    const BrushPlacement& p = placements_[static_cast<std::size_t>(entry)];
    if (p.x == x && p.y == y) return slot;
  }
}

void Brush::indexInsert(int placementIndex) {
  const BrushPlacement& p = placements_[static_cast<std::size_t>(placementIndex)];
  int slot = hashOf(p.x, p.y);
  while (index_[static_cast<std::size_t>(slot)] >= 0) slot = (slot + 1) & (kIndexSize - 1);
  index_[static_cast<std::size_t>(slot)] = static_cast<std::int16_t>(placementIndex);
}

// Linear probing without tombstones: later entries of the run move back
// into the hole when their home slot allows it.
void Brush::indexErase(int slot) {
  int hole = slot;
  index_[static_cast<std::size_t>(hole)] = -1;
  for (int next = (hole + 1) & (kIndexSize - 1); index_[static_cast<std::size_t>(next)] >= 0;
       next = (next + 1) & (kIndexSize - 1)) {
    const BrushPlacement& p = placements_[static_cast<std::size_t>(index_[static_cast<std::size_t>(next)])];
    const int home = hashOf(p.x, p.y);
    // Moves back when its home does not lie cyclically in (hole, next].
    const bool homeInRange = hole <= next ? (home > hole && home <= next) : (home > hole || home <= next);
    if (!homeInRange) {
      index_[static_cast<std::size_t>(hole)] = index_[static_cast<std::size_t>(next)];
      index_[static_cast<std::size_t>(next)] = -1;
      hole = next;
    }
  }
}

}  // namespace qarto
