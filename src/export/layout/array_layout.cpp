#include "export/layout/array_layout.h"

#include "export/layout/gba_lz77.h"
#include "export/layout/screen_blocks.h"
#include "model/project/map_layer.h"

namespace qarto {

namespace {

int wholeBlocks(int cells) { return (cells + kScreenBlockSide - 1) / kScreenBlockSide * kScreenBlockSide; }

bool inBlockOrder(const MapLayer& layer, const ArrayLayout& layout) {
  return layout.screenBlocks && spansScreenBlocks(layer.width, layer.height);
}

}  // namespace

std::vector<std::uint16_t> layOutArray(std::vector<std::uint16_t> values, const ArrayLayout& layout) {
  return layout.lz77 ? compressLz77Halfwords(values) : values;
}

std::vector<std::uint16_t> layOutMapArray(std::vector<std::uint16_t> values, const MapLayer& layer,
                                          const ArrayLayout& layout) {
  if (inBlockOrder(layer, layout)) values = screenBlockOrder(values, layer.width, layer.height);
  return layOutArray(std::move(values), layout);
}

std::string screenBlockPaddingNote(const MapLayer& layer, const ArrayLayout& layout) {
  if (!inBlockOrder(layer, layout) || fillsScreenBlocks(layer.width, layer.height)) return {};
  return layer.nameText() + ": " + std::to_string(layer.width) + "x" + std::to_string(layer.height) +
         " cells padded with entry 0 to " + std::to_string(wholeBlocks(layer.width)) + "x" +
         std::to_string(wholeBlocks(layer.height));
}

}  // namespace qarto
