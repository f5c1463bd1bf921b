#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/project/map_cell.h"

namespace qarto {

class TilesetRegistry;
struct Tileset;

// What merge down and eat hidden tiles ask about the tile of a cell, each
// tile looked at once: whole-layer passes over a million cells would
// otherwise read the same 64 pixels again and again. Every question is safe
// for any cell: unregistered ids, negative tiles and tiles past a page's end
// never reach the pixels.
class TileClasses {
 public:
  explicit TileClasses(const TilesetRegistry& registry);

  // The cell's tile page is registered.
  bool registered(const MapCell& cell) const { return pageOf(cell) != nullptr; }
  // Blank: a registered page of zero width, a tile outside the page, or a
  // tile whose 64 colour indices are all 0.
  bool blank(const MapCell& cell);
  // Hides what lies beneath it completely: a registered page of zero width,
  // a tile number not below the page's tile count, or an opaque tile (every
  // colour index has non-zero low four bits; colour 0 of a row is clear).
  bool hidesBeneath(const MapCell& cell);

 private:
  static constexpr std::uint8_t kUnknown = 0xFF;
  static constexpr std::uint8_t kBlank = 0x01;
  static constexpr std::uint8_t kOpaque = 0x02;

  static std::size_t slotOf(const MapCell& cell) { return static_cast<std::size_t>(cell.tileset + 128); }
  const Tileset* pageOf(const MapCell& cell) const { return pages_[slotOf(cell)]; }
  // kBlank | kOpaque of a tile of the page in `slot`.
  std::uint8_t classOf(std::size_t slot, const Tileset& page, int tile);

  std::array<const Tileset*, 256> pages_{};         // by tileset id + 128
  std::array<std::vector<std::uint8_t>, 256> known_;  // per page: class per tile, kUnknown until asked
};

}  // namespace qarto
