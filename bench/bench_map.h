#pragma once

#include <memory>
#include <random>

#include "model/project/editor_session.h"
#include "model/project/map_layer.h"
#include "model/tileset/tileset.h"

namespace qarto::bench {

// The export benchmarks' maps. The small one: one 512x512-cell layer drawn
// from 1000 distinct tiles of one 40x25-tile page, with random flips and
// palette rows. The large one: two 1024x1024-cell layers, one per tile
// group, drawn from 1000 and 700 distinct tiles of two pages.

// A page of random pixels, so every tile differs from every other under
// every flip.
inline std::unique_ptr<Tileset> makeBenchPage(std::mt19937& rng, int id = 1, int tilesWide = 40,
                                              int tilesHigh = 25) {
  auto page = std::make_unique<Tileset>();
  page->id = id;
  page->sourcePath = "bench" + std::to_string(id) + ".bmp";
  page->imageWidth = tilesWide * 8;
  page->imageHeight = tilesHigh * 8;
  page->pixels.resize(static_cast<std::size_t>(page->imageWidth) * page->imageHeight);
  for (auto& p : page->pixels) p = static_cast<std::uint8_t>(rng() & 0xff);
  for (std::size_t i = 0; i < page->palette.size(); ++i) page->palette[i] = static_cast<std::uint8_t>(i * 7);
  computeTilesetGeometry(*page);
  return page;
}

// Cells of page `tileset` showing tiles 0..uniqueTiles-1 at random.
inline std::unique_ptr<MapLayer> makeBenchLayer(std::mt19937& rng, int side = 512, int tileset = 1,
                                                int uniqueTiles = 1000) {
  auto layer = std::make_unique<MapLayer>();
  layer->setName("Level");
  layer->width = side;
  layer->height = side;
  layer->cells.resize(static_cast<std::size_t>(side) * side);
  for (MapCell& cell : layer->cells) {
    cell.tileset = static_cast<std::int8_t>(tileset);
    cell.tile = static_cast<std::int16_t>(rng() % static_cast<unsigned>(uniqueTiles));
    cell.palette = static_cast<std::uint8_t>(rng() % 16);
    cell.flags = static_cast<std::uint8_t>(rng() % 4);
  }
  return layer;
}

// The small map in `session`, as the benchmarks and the map writer use it.
inline void loadSmallBenchMap(EditorSession& session) {
  std::mt19937 rng(12345);
  session.registry().insert(makeBenchPage(rng));
  MapProject& project = session.project();
  project.lastTilesetId = 1;
  project.tilesetsLoaded = true;
  project.activeLayer = &project.insertLayer(makeBenchLayer(rng), 0);
}

// The large map: a Group1 primary layer on page 1 (1000 tiles) under a
// Group2 secondary layer on page 2 (700 tiles).
inline void loadLargeBenchMap(EditorSession& session) {
  std::mt19937 rng(54321);
  session.registry().insert(makeBenchPage(rng, 1, 40, 25));
  session.registry().insert(makeBenchPage(rng, 2, 35, 20));
  MapProject& project = session.project();
  project.lastTilesetId = 2;
  project.tilesetsLoaded = true;
  project.activeLayer = &project.insertLayer(makeBenchLayer(rng, 1024, 1, 1000), 0);
  auto second = makeBenchLayer(rng, 1024, 2, 700);
  second->setName("Front");
  second->kind = LayerKind::Secondary;
  second->tileGrouping = true;
  project.insertLayer(std::move(second), 1);
}

// Four 1024x1024 layers on one page of 1000 tiles, the third the primary and
// active one: the budget and recovery benchmarks' map.
inline void loadFourLayerBenchMap(MapProject& project, std::mt19937& rng) {
  project.registry().insert(makeBenchPage(rng));
  project.tilesetsLoaded = true;
  for (int n = 0; n < 4; ++n) {
    auto layer = makeBenchLayer(rng, 1024, 1, 1000);
    layer->kind = n == 2 ? LayerKind::Primary : LayerKind::Secondary;
    project.insertLayer(std::move(layer), n);
  }
  project.activeLayer = project.layerAt(2);
}

// An 8 x 8 stroke of one random tile on the active layer, recorded as the
// paint tool records it.
inline void strokeEightByEight(MapProject& project, std::mt19937& rng) {
  MapLayer& layer = *project.activeLayer;
  const int left = static_cast<int>(rng() % 1000);
  const int top = static_cast<int>(rng() % 1000);
  const auto tile = static_cast<std::int16_t>(rng() % 1000);
  project.journal().beginCellEdit(&layer);
  for (int y = top; y < top + 8; ++y) {
    for (int x = left; x < left + 8; ++x) {
      project.journal().recordCell(x, y, layer.cell(x, y));
      layer.cell(x, y).tile = tile;
    }
  }
  project.journal().commitCellEdit();
}

}  // namespace qarto::bench
