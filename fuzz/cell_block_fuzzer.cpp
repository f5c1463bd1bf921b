// Decodes arbitrary bytes as the clipboard's cells; what decodes keeps the
// limits and encodes back to exactly the same bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "edit/selection/cell_block.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<qarto::CellBlock> block = qarto::decodeCellBlock({data, size});
  if (!block) return 0;
  const auto area = static_cast<std::size_t>(block->width) * static_cast<std::size_t>(block->height);
  FUZZ_CHECK(area > 0 && !block->layers.empty() && block->layers.size() * area <= qarto::kMaxBlockCells);
  for (const qarto::CellBlock::Layer& layer : block->layers) FUZZ_CHECK(layer.cells.size() == area);
  const std::vector<std::uint8_t> written = qarto::encodeCellBlock(*block);
  FUZZ_CHECK(written.size() == size && std::equal(written.begin(), written.end(), data));
  return 0;
}
