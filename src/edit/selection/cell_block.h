#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/project/layer_kind.h"
#include "model/project/map_cell.h"

namespace qarto {

// A rectangle of cells lifted from one or more layers: what Copy and Cut put
// on the clipboard and Paste lays down. Layers are bottom first; each holds
// width x height cells row by row. The pages its cells refer to are named,
// so a paste into another map can find them there.
struct CellBlock {
  struct Page {
    std::int8_t id = 0;
    bool collision = false;  // the collision page, whatever its name
    std::string name;
    friend bool operator==(const Page&, const Page&) = default;
  };
  struct Layer {
    LayerKind kind = LayerKind::Primary;
    std::vector<MapCell> cells;
    friend bool operator==(const Layer&, const Layer&) = default;
  };

  int width = 0;
  int height = 0;
  std::vector<Page> pages;
  std::vector<Layer> layers;

  friend bool operator==(const CellBlock&, const CellBlock&) = default;
};

// Limits a decoded block must keep, so that outside bytes cannot ask for
// absurd amounts of memory.
inline constexpr int kMaxBlockSide = 4096;
inline constexpr std::size_t kMaxBlockCells = 1u << 22;  // over every layer
inline constexpr int kMaxBlockLayers = 64;

// The clipboard's private form: "QRTCELLS", u16 version 1, u16 width, u16
// height, u8 page count, u8 layer count; each page u8 id, u8 collision,
// u8 name length, the name; each layer u8 kind and its cells in the map
// file's 8-byte form. Little-endian throughout.
std::vector<std::uint8_t> encodeCellBlock(const CellBlock& block);
// Nothing for bytes that are not a whole, consistent block within the limits.
std::optional<CellBlock> decodeCellBlock(std::span<const std::uint8_t> bytes);

}  // namespace qarto
