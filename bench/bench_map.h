#pragma once

#include <memory>
#include <random>

#include "model/map_layer.h"
#include "model/tileset.h"

namespace qarto::bench {

// The export benchmarks' map: one 512x512-cell layer drawn from 1000
// distinct tiles of one 40x25-tile page, with random flips and palette rows.
inline std::unique_ptr<Tileset> makeBenchPage(std::mt19937& rng) {
  auto page = std::make_unique<Tileset>();
  page->id = 1;
  page->sourcePath = "bench.bmp";
  page->imageWidth = 40 * 8;
  page->imageHeight = 25 * 8;
  page->pixels.resize(static_cast<std::size_t>(page->imageWidth) * page->imageHeight);
  for (auto& p : page->pixels) p = static_cast<std::uint8_t>(rng() & 0xff);
  for (std::size_t i = 0; i < page->palette.size(); ++i) page->palette[i] = static_cast<std::uint8_t>(i * 7);
  computeTilesetGeometry(*page);
  return page;
}

inline std::unique_ptr<MapLayer> makeBenchLayer(std::mt19937& rng) {
  auto layer = std::make_unique<MapLayer>();
  layer->setName("Level");
  layer->width = 512;
  layer->height = 512;
  layer->cells.resize(512 * 512);
  for (MapCell& cell : layer->cells) {
    cell.tileset = 1;
    cell.tile = static_cast<std::int16_t>(rng() % 1000);
    cell.palette = static_cast<std::uint8_t>(rng() % 16);
    cell.flags = static_cast<std::uint8_t>(rng() % 4);
  }
  return layer;
}

}  // namespace qarto::bench
