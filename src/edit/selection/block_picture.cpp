#include "edit/selection/block_picture.h"

#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

DisplayImage blockPicture(const CellBlock& block, const TilesetRegistry& registry) {
  DisplayImage image;
  image.width = block.width * 8;
  image.height = block.height * 8;
  image.rgba.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4, 0);
  for (const CellBlock::Layer& layer : block.layers) {
    for (int cy = 0; cy < block.height; ++cy) {
      for (int cx = 0; cx < block.width; ++cx) {
        const MapCell& cell = layer.cells[static_cast<std::size_t>(cy) * static_cast<std::size_t>(block.width) +
                                          static_cast<std::size_t>(cx)];
        const Tileset* page = registry.find(cell.tileset);
        TilePixels tile{};
        if (page == nullptr || !readTile(*page, cell.tile, cell.hflip(), cell.vflip(), tile)) continue;
        for (int py = 0; py < 8; ++py) {
          for (int px = 0; px < 8; ++px) {
            const std::uint8_t index = tile[static_cast<std::size_t>(py * 8 + px)];
            if (index % 16 == 0) continue;
            const std::size_t at =
                (static_cast<std::size_t>(cy * 8 + py) * static_cast<std::size_t>(image.width) +
                 static_cast<std::size_t>(cx * 8 + px)) * 4;
            image.rgba[at] = page->palette[index * 3u];
            image.rgba[at + 1] = page->palette[index * 3u + 1];
            image.rgba[at + 2] = page->palette[index * 3u + 2];
            image.rgba[at + 3] = 255;
          }
        }
      }
    }
  }
  return image;
}

}  // namespace qarto
