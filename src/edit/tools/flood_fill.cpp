#include "edit/tools/flood_fill.h"

#include <array>
#include <vector>

#include "edit/brush/brush.h"
#include "model/project/map_layer.h"
#include "model/project/undo_journal.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

// Tileset lookups by the signed id byte of a cell, cached for the fill.
class PageCache {
 public:
  explicit PageCache(const TilesetRegistry& registry) : registry_(registry) { looked_.fill(false); }

  const Tileset* find(std::int8_t id) {
    const auto slot = static_cast<std::size_t>(static_cast<int>(id) + 128);
    if (!looked_[slot]) {
      pages_[slot] = registry_.find(id);
      looked_[slot] = true;
    }
    return pages_[slot];
  }

  // An unregistered page is not empty.
  bool emptyTile(const MapCell& cell) {
    const Tileset* page = find(cell.tileset);
    return page != nullptr && isEmptyTile(*page, cell.tile);
  }

 private:
  const TilesetRegistry& registry_;
  std::array<const Tileset*, 256> pages_{};
  std::array<bool, 256> looked_{};
};

struct Frame {
  int x;
  int y;
  int stage;  // 0: write, 1: above tried, 2: left tried, 3: below tried
};

class Fill {
 public:
  Fill(MapLayer& layer, const MapCell& target, const MapCell& replacement, bool startEmpty,
       const TilesetRegistry& registry, UndoJournal& journal)
      : layer_(layer),
        target_(target),
        replacement_(replacement),
        startEmpty_(startEmpty),
        collisionLayer_(layer.kind == LayerKind::Collision),
        pages_(registry),
        journal_(journal),
        written_((layer.cells.size() + 63) / 64, 0) {}

  FillResult run(CellPoint start) {
    enter(start.x, start.y);
    while (!stack_.empty() && !result_.cutOff) step();
    return result_;
  }

 private:
  bool countVisit() {
    if (++result_.visits > kFillVisitLimit) result_.cutOff = true;
    return !result_.cutOff;
  }

  void enter(int x, int y) {
    if (countVisit()) stack_.push_back({x, y, 0});
  }

  void step() {
    Frame& f = stack_.back();
    const int x = f.x;
    const int y = f.y;
    switch (f.stage) {
      case 0:
        write(x, y);
        f.stage = 1;
        if (y > 0 && same(x, y - 1)) enter(x, y - 1);
        break;
      case 1:
        f.stage = 2;
        if (x > 0 && same(x - 1, y)) enter(x - 1, y);
        break;
      case 2:
        f.stage = 3;
        if (y + 1 < layer_.height && same(x, y + 1)) enter(x, y + 1);
        break;
      default:
        if (x == layer_.width - 1 || !same(x + 1, y)) {
          stack_.pop_back();
        } else if (countVisit()) {
          f.x = x + 1;
          f.stage = 0;
        }
        break;
    }
  }

  std::size_t number(int x, int y) const {
    return static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * layer_.width;
  }

  bool same(int x, int y) {
    const std::size_t n = number(x, y);
    if ((written_[n / 64] >> (n % 64)) & 1u) return false;
    const MapCell& cell = layer_.cells[n];
    if (collisionLayer_ && cell.collision != target_.collision) return false;
    if (cell.tile == target_.tile && cell.tileset == target_.tileset && cell.palette == target_.palette) return true;
    return startEmpty_ && pages_.emptyTile(cell);
  }

  void write(int x, int y) {
    const std::size_t n = number(x, y);
    MapCell& cell = layer_.cells[n];
    journal_.recordCell(x, y, cell);
    cell.tile = replacement_.tile;
    cell.tileset = replacement_.tileset;
    cell.palette = replacement_.palette;
    if (!collisionLayer_) cell.flags = static_cast<std::uint8_t>((cell.flags & ~(kCellHFlip | kCellVFlip)) |
                                                                 (replacement_.flags & (kCellHFlip | kCellVFlip)));
    written_[n / 64] |= std::uint64_t{1} << (n % 64);
    ++result_.written;
  }

  MapLayer& layer_;
  const MapCell target_;
  const MapCell replacement_;
  const bool startEmpty_;
  const bool collisionLayer_;
  PageCache pages_;
  UndoJournal& journal_;
  std::vector<std::uint64_t> written_;
  std::vector<Frame> stack_;
  FillResult result_;
};

}  // namespace

FillResult floodFill(MapLayer& layer, CellPoint start, const Brush& brush, bool brushHFlip, bool brushVFlip,
                     const TilesetRegistry& registry, UndoJournal& journal) {
  if (brush.empty() || layer.isEntityLayer() || !layer.contains(start.x, start.y)) return {};
  const MapCell target = layer.cell(start.x, start.y);
  const BrushPlacement& first = brush.placement(0);
  if (first.tile == target.tile && first.tilesetId == target.tileset && first.palette == target.palette) return {};

  MapCell replacement;
  replacement.tileset = static_cast<std::int8_t>(first.tilesetId);
  if (layer.kind == LayerKind::Collision) {
    replacement.tile = first.tile != 0 ? 1 : 0;
    replacement.palette = 0;
  } else {
    replacement.tile = first.tile;
    replacement.palette = static_cast<std::uint8_t>(first.palette);
    replacement.flags = static_cast<std::uint8_t>((brushHFlip ? kCellHFlip : 0) | (brushVFlip ? kCellVFlip : 0));
  }
  PageCache pages(registry);
  const bool startEmpty = pages.emptyTile(target);
  return Fill(layer, target, replacement, startEmpty, registry, journal).run(start);
}

}  // namespace qarto
