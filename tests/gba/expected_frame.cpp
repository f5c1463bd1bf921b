#include "expected_frame.h"

#include <cmath>
#include <cstddef>
#include <optional>

#include "model/project/map_project.h"
#include "model/tileset/tileset_registry.h"

namespace qarto::gba {
namespace {

struct LayerPixel {
  const MapCell* cell = nullptr;
  std::uint8_t colourIndex = 0;  // 0..15 within the cell's palette row
};

// Pixel (x, y) of the screen as the layer shows it, before transparency.
std::optional<LayerPixel> layerPixel(const TilesetRegistry& registry, const MapLayer& layer, LayerScroll scroll, int x,
                                     int y) {
  const int layerX = scroll.x + x;
  const int layerY = scroll.y + y;
  if (!layer.contains(layerX / 8, layerY / 8)) return std::nullopt;
  const MapCell& cell = layer.cell(layerX / 8, layerY / 8);
  const Tileset* page = registry.find(cell.tileset);
  if (page == nullptr) return std::nullopt;
  const int tilesPerRow = page->imageWidth / 8;
  const int pageX = (cell.tile % tilesPerRow) * 8 + (cell.hflip() ? 7 - layerX % 8 : layerX % 8);
  const int pageY = (cell.tile / tilesPerRow) * 8 + (cell.vflip() ? 7 - layerY % 8 : layerY % 8);
  // Only the low four bits reach the hardware: the cell picks the row.
  return LayerPixel{&cell, static_cast<std::uint8_t>(
                               page->pixels[static_cast<std::size_t>(pageY) * page->imageWidth + pageX] & 0x0F)};
}

std::uint32_t rowColour(const TilesetRegistry& registry, const MapCell& cell, int index) {
  const Tileset* page = registry.find(cell.tileset);
  if (page == nullptr) return 0;
  const std::size_t at = (static_cast<std::size_t>(cell.palette & 0x0F) * 16 + index) * 3;
  return screenColour(page->palette[at], page->palette[at + 1], page->palette[at + 2]);
}

std::uint32_t widen(std::uint32_t five) { return (five << 3) | (five >> 2); }

}  // namespace

std::vector<const MapLayer*> tileLayers(const MapProject& project) {
  std::vector<const MapLayer*> layers;
  for (const auto& layer : project.layers()) {
    if (isTileLayerKind(layer->kind)) layers.push_back(layer.get());
  }
  return layers;
}

ViewerView viewAtCamera(const std::vector<const MapLayer*>& layers, int cameraX, int cameraY) {
  ViewerView view;
  for (const MapLayer* layer : layers) {
    view.push_back({static_cast<int>(std::floor(cameraX * static_cast<double>(layer->parallaxX))),
                    static_cast<int>(std::floor(cameraY * static_cast<double>(layer->parallaxY)))});
  }
  return view;
}

std::uint32_t screenColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return widen(red >> 3) | widen(green >> 3) << 8 | widen(blue >> 3) << 16;
}

Frame expectedFrame(const TilesetRegistry& registry, const std::vector<const MapLayer*>& layers,
                    const ViewerView& view) {
  Frame frame(static_cast<std::size_t>(kScreenWidth) * kScreenHeight, 0);
  if (layers.empty()) return frame;
  const std::uint32_t backdrop = rowColour(registry, layers.front()->cells.front(), 0);
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) {
      std::uint32_t colour = backdrop;
      for (std::size_t i = layers.size(); i-- > 0;) {
        const auto pixel = layerPixel(registry, *layers[i], view[i], x, y);
        if (pixel && pixel->colourIndex != 0) {
          colour = rowColour(registry, *pixel->cell, pixel->colourIndex);
          break;
        }
      }
      frame[static_cast<std::size_t>(y) * kScreenWidth + x] = colour;
    }
  }
  return frame;
}

}  // namespace qarto::gba
