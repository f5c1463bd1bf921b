#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "export/reduction/export_reduction.h"
#include "model/project/map_layer.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"
#include "support/page_files.h"
#include "support/scripted_services.h"
#include "support/test_session.h"

namespace qarto::test {

using Pixels = std::array<std::uint8_t, 64>;

// A tile whose pixel (x, y) is f(x, y).
template <typename F>
Pixels tilePixels(F f) {
  Pixels p{};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) p[static_cast<std::size_t>(y * 8 + x)] = static_cast<std::uint8_t>(f(x, y));
  return p;
}

// Asymmetric under every flip: no two of its four mirrored forms are equal.
inline Pixels asymmetricTile(int seed = 1) {
  return tilePixels([seed](int x, int y) { return (x == 0 && y == 0) ? (seed % 15) + 1 : 0; });
}

inline Pixels mirrored(const Pixels& p, bool h, bool v) {
  return tilePixels([&](int x, int y) { return p[static_cast<std::size_t>((v ? 7 - y : y) * 8 + (h ? 7 - x : x))]; });
}

// A page `tilesPerRow` tiles wide and `tileRows` tiles high, pixels 0, every
// palette row coloured (row, colour, id) so that no two rows match.
inline std::unique_ptr<Tileset> makePage(int id, int tilesPerRow, int tileRows = 1) {
  return makeTileset(
      id, tilesPerRow * 8, tileRows * 8, [](int, int) { return 0; },
      [id](std::size_t i) {
        const std::size_t entry = i / 3;
        return static_cast<std::uint8_t>(i % 3 == 0 ? entry >> 4 : i % 3 == 1 ? entry & 15 : id);
      });
}

inline void setTile(Tileset& page, int tile, const Pixels& pixels) {
  const std::size_t offset = tilePixelOffset(page, tile);
  for (std::size_t y = 0; y < 8; ++y)
    for (std::size_t x = 0; x < 8; ++x)
      page.pixels[offset + y * static_cast<std::size_t>(page.imageWidth) + x] = pixels[y * 8 + x];
}

inline void setColour(Tileset& page, int row, int colour, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  std::copy_n(std::array{r, g, b}.begin(), 3, page.palette.begin() + (row * 16 + colour) * 3);
}

// Makes row `to` of `page` equal to row `from` of `source` in every colour.
inline void copyRow(Tileset& page, int to, const Tileset& source, int from) {
  for (int c = 0; c < 16; ++c) {
    const std::size_t s = static_cast<std::size_t>(from * 16 + c) * 3;
    setColour(page, to, c, source.palette[s], source.palette[s + 1], source.palette[s + 2]);
  }
}

inline MapCell cellOf(int tileset, int tile, int palette = 0, bool hflip = false, bool vflip = false) {
  return {static_cast<std::int16_t>(tile),
          static_cast<std::int8_t>(tileset),
          static_cast<std::uint8_t>(palette),
          0,
          static_cast<std::uint8_t>((hflip ? kCellHFlip : 0) | (vflip ? kCellVFlip : 0)),
          0};
}

// A layer holding `cells`, `height` rows of them.
inline std::unique_ptr<MapLayer> rowLayer(std::vector<MapCell> cells, bool group2 = false,
                                          LayerKind kind = LayerKind::Primary, int height = 1) {
  auto layer = makeLayer(kind, "", static_cast<int>(cells.size()) / height, height);
  layer->cells = std::move(cells);
  layer->tileGrouping = group2;
  return layer;
}

// A project with its own registry and scripted services.
struct ExportFixture {
  ScriptedServices services;
  TilesetRegistry registry;
  MapProject project{services, registry};

  ExportFixture() { project.tilesetsLoaded = true; }

  Tileset& addPage(std::unique_ptr<Tileset> page) { return registry.insert(std::move(page)); }
  MapLayer& addLayer(std::unique_ptr<MapLayer> layer) {
    return project.insertLayer(std::move(layer), project.layerCount());
  }
};

}  // namespace qarto::test
