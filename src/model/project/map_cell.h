#pragma once

#include <array>
#include <cstdint>

#include "model/byte_order.h"

namespace qarto {

// Bits of MapCell::flags.
inline constexpr std::uint8_t kCellHFlip = 0x01;
inline constexpr std::uint8_t kCellVFlip = 0x02;
// Set only while the map view draws the brush preview over the cell.
inline constexpr std::uint8_t kCellBrushMask = 0x04;
inline constexpr std::uint8_t kCellFlagBits = kCellHFlip | kCellVFlip | kCellBrushMask;

// One map cell, 8 bytes, the same bytes in memory order and on disk.
struct MapCell {
  std::int16_t tile = 0;        // tile number in the page of `tileset`, or collision tile
  std::int8_t tileset = 0;      // tileset id (1..127 referencable)
  std::uint8_t palette = 0;     // 16-colour palette row of the tile
  std::uint16_t collision = 0;  // collision word (collision layers only)
  std::uint8_t flags = 0;       // kCellHFlip | kCellVFlip | kCellBrushMask
  std::uint8_t reserved = 0;

  static constexpr std::size_t kSize = 8;
  using Bytes = std::array<std::uint8_t, kSize>;

  bool hflip() const { return (flags & kCellHFlip) != 0; }
  bool vflip() const { return (flags & kCellVFlip) != 0; }

  Bytes toBytes() const {
    Bytes b{};
    storeU16(&b[0], static_cast<std::uint16_t>(tile));
    b[2] = static_cast<std::uint8_t>(tileset);
    b[3] = palette;
    storeU16(&b[4], collision);
    b[6] = flags;
    b[7] = reserved;
    return b;
  }

  static MapCell fromBytes(const std::uint8_t* b) {
    MapCell c;
    c.tile = static_cast<std::int16_t>(loadU16(&b[0]));
    c.tileset = static_cast<std::int8_t>(b[2]);
    c.palette = b[3];
    c.collision = loadU16(&b[4]);
    c.flags = b[6];
    c.reserved = b[7];
    return c;
  }

  friend bool operator==(const MapCell&, const MapCell&) = default;
};

static_assert(sizeof(MapCell) == MapCell::kSize, "a map cell is 8 bytes in memory and on disk");

}  // namespace qarto
