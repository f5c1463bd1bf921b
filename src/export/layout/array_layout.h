#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qarto {

struct MapLayer;

// How the exported arrays are laid out for a GBA program, beyond their
// plain values: map arrays in screen-block order, every array compressed
// for the BIOS. The entity list is never changed.
struct ArrayLayout {
  bool screenBlocks = false;  // map arrays of layers beyond 32 cells a side
  bool lz77 = false;          // palette, tile, map and collision arrays

  bool changesValues() const { return screenBlocks || lz77; }
};

// A palette, tile or collision array as written: compressed when asked.
std::vector<std::uint16_t> layOutArray(std::vector<std::uint16_t> values, const ArrayLayout& layout);

// A tile layer's screen entries as written: in screen-block order when asked
// and the layer spans more than one block, then compressed when asked.
std::vector<std::uint16_t> layOutMapArray(std::vector<std::uint16_t> values, const MapLayer& layer,
                                          const ArrayLayout& layout);

// The summary's note on a layer that the block order pads, empty for one
// it does not: "Ground: 33x20 cells padded with entry 0 to 64x32".
std::string screenBlockPaddingNote(const MapLayer& layer, const ArrayLayout& layout);

}  // namespace qarto
