#include "export/layout/screen_blocks.h"

namespace qarto {

namespace {

int blocksFor(int cells) { return (cells + kScreenBlockSide - 1) / kScreenBlockSide; }

}  // namespace

bool spansScreenBlocks(int width, int height) { return width > kScreenBlockSide || height > kScreenBlockSide; }

bool fillsScreenBlocks(int width, int height) {
  return width % kScreenBlockSide == 0 && height % kScreenBlockSide == 0;
}

std::vector<std::uint16_t> screenBlockOrder(const std::vector<std::uint16_t>& cells, int width, int height) {
  const int blocksWide = blocksFor(width);
  const int blockCells = kScreenBlockSide * kScreenBlockSide;
  std::vector<std::uint16_t> ordered(static_cast<std::size_t>(blocksWide * blocksFor(height) * blockCells), 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t from = static_cast<std::size_t>(y * width + x);
      if (from >= cells.size()) return ordered;
      const int block = (y / kScreenBlockSide) * blocksWide + x / kScreenBlockSide;
      const int within = (y % kScreenBlockSide) * kScreenBlockSide + x % kScreenBlockSide;
      ordered[static_cast<std::size_t>(block * blockCells + within)] = cells[from];
    }
  }
  return ordered;
}

}  // namespace qarto
