#include "edit/layers/cells/tile_classes.h"

#include <new>

#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

TileClasses::TileClasses(const TilesetRegistry& registry) {
  for (const auto& [id, page] : registry) {
    // Cells keep the id in a signed byte; pages beyond it are never referenced.
    if (id >= -128 && id <= 127) pages_[static_cast<std::size_t>(id + 128)] = page.get();
  }
}

std::uint8_t TileClasses::classOf(std::size_t slot, const Tileset& page, int tile) {
  std::vector<std::uint8_t>& known = known_[slot];
  if (known.empty() && page.tileCount > 0) {
    try {
      known.assign(static_cast<std::size_t>(page.tileCount), kUnknown);
    } catch (const std::bad_alloc&) {
      known.clear();  // answers without remembering
    }
  }
  const auto index = static_cast<std::size_t>(tile);
  if (index < known.size() && known[index] != kUnknown) return known[index];

  std::uint8_t result = 0;
  TilePixels pixels{};
  if (readTile(page, tile, false, false, pixels)) {
    bool blank = true;
    bool opaque = true;
    for (std::uint8_t p : pixels) {
      blank = blank && p == 0;
      opaque = opaque && (p & 0x0F) != 0;
    }
    result = static_cast<std::uint8_t>((blank ? kBlank : 0) | (opaque ? kOpaque : 0));
  }
  if (index < known.size()) known[index] = result;
  return result;
}

bool TileClasses::blank(const MapCell& cell) {
  const Tileset* page = pageOf(cell);
  if (page == nullptr) return false;
  if (page->imageWidth <= 0 || cell.tile < 0 || cell.tile >= page->tileCount) return true;
  return (classOf(slotOf(cell), *page, cell.tile) & kBlank) != 0;
}

bool TileClasses::hidesBeneath(const MapCell& cell) {
  const Tileset* page = pageOf(cell);
  if (page == nullptr) return false;
  if (page->imageWidth <= 0 || cell.tile >= page->tileCount) return true;
  if (cell.tile < 0) return false;  // no pixels to cover anything with
  return (classOf(slotOf(cell), *page, cell.tile) & kOpaque) != 0;
}

}  // namespace qarto
