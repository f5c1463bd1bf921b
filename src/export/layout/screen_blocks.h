#pragma once

#include <cstdint>
#include <vector>

namespace qarto {

// A GBA text background reads its map in screen blocks of 32x32 entries.
inline constexpr int kScreenBlockSide = 32;

// Whether a layer of these sides needs more than one screen block, and so
// is written block by block when the export is asked to.
bool spansScreenBlocks(int width, int height);

// Whether its sides are whole screen blocks; otherwise the block order
// pads it with entry 0.
bool fillsScreenBlocks(int width, int height);

// The cells of a width x height layer (row by row) as consecutive 32x32
// screen blocks, row of blocks by row of blocks: cell (x, y) goes to block
// (y / 32) * blocksWide + x / 32, at (y % 32) * 32 + x % 32 within it. The
// sides are rounded up to whole blocks; the cells added are 0.
std::vector<std::uint16_t> screenBlockOrder(const std::vector<std::uint16_t>& cells, int width, int height);

}  // namespace qarto
