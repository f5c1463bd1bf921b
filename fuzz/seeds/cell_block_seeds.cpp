// Writes starting inputs for cell_block_fuzzer into the folder argv[1].
#include "edit/selection/cell_block.h"
#include "seed_files.h"

int main(int argc, char** argv) {
  using namespace qarto;
  return seeds::seedMain(argc, argv, [](const std::string& folder) {
    CellBlock block;
    block.width = 3;
    block.height = 2;
    block.pages = {{2, false, "page"}, {1, true, "collisionTiles"}};
    for (LayerKind kind : {LayerKind::Primary, LayerKind::Secondary, LayerKind::Collision}) {
      CellBlock::Layer& layer = block.layers.emplace_back();
      layer.kind = kind;
      for (int i = 0; i < 6; ++i) layer.cells.push_back(MapCell{static_cast<std::int16_t>(i), 2, 1, 0x1040, 1, 0});
    }
    const bool three = seeds::writeSeed(folder, "three_layers.bin", encodeCellBlock(block));
    block.layers.resize(1);
    block.pages.resize(1);
    return three && seeds::writeSeed(folder, "one_layer.bin", encodeCellBlock(block));
  });
}
