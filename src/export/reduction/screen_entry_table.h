#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "export/reduction/export_reduction.h"
#include "model/project/map_cell.h"

namespace qarto {

// The screen entries of one export, looked up in flat tables instead of the
// reduction's ordered maps: per tile group and tile page id, the tile and
// flip bits of every tile number the reduction recorded, and per page id
// and palette row, the palette bits. Offsets are folded in when the table is
// built, so a cell costs two array reads. Gives what EncodeScreenEntry
// gives, keys missing from the reduction included.
class ScreenEntryTable {
 public:
  ScreenEntryTable(const ExportReduction& reduction, int bankOffset, int tileOffset);

  std::uint16_t encode(const MapCell& cell, int group) const {
    const PageTiles& page = tiles_[static_cast<std::size_t>(group & 1)][pageSlot(cell.tileset)];
    // Tile numbers below `first` wrap to large values and miss as well.
    const auto at = static_cast<std::uint32_t>(cell.tile - page.first);
    std::uint32_t entry = at < page.bits.size() ? page.bits[at] : missingTile_;
    entry ^= static_cast<std::uint32_t>(cell.flags & (kCellHFlip | kCellVFlip)) << 10;  // the cell's own flips
    return static_cast<std::uint16_t>(entry | paletteBits_[pageSlot(cell.tileset) * 16 + (cell.palette & 15u)]);
  }

 private:
  static constexpr std::size_t kPageIds = 256;  // a cell's page id is a signed byte
  static std::size_t pageSlot(int tilesetId) { return static_cast<std::size_t>(tilesetId + 128); }

  // Tile number bits 0-9 and matched flip bits 10-11, by tile number - first.
  struct PageTiles {
    int first = 0;
    std::vector<std::uint16_t> bits;
  };

  void addGroup(const ExportReduction& reduction, std::size_t group, std::uint32_t tileOffset);

  std::array<std::array<PageTiles, kPageIds>, kTileGroups> tiles_;
  std::array<std::uint16_t, kPageIds * 16> paletteBits_{};
  std::uint16_t missingTile_ = 0;  // tile 0, no flip, after the offset
};

}  // namespace qarto
