#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "export/export_to_header.h"
#include "model/byte_order.h"
#include "model/editor_session.h"
#include "model/memory_settings_store.h"
#include "model/tileset.h"
#include "model/tileset_host.h"
#include "support/scripted_services.h"
#include "support/temp_folder.h"

namespace qarto::test {

// Every regular file under `root`, as paths relative to it, sorted.
inline std::vector<std::string> filesUnder(const std::string& root) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files.push_back(std::filesystem::relative(entry.path(), root).generic_string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// A session with a collision page (id 1) and tile pages built pixel by pixel.
struct WriterFixture {
  ScriptedServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  EditorSession session{services, settings, host};
  TempFolder out;

  WriterFixture() {
    setenv("TZ", "UTC", 1);  // "%time%" and "%date%" in golden files
    tzset();
    auto collision = std::make_unique<Tileset>();
    collision->id = 1;
    collision->isCollisionTileset = true;
    collision->imageWidth = 8;
    collision->imageHeight = 8;
    collision->pixels.assign(64, 0);
    computeTilesetGeometry(*collision);
    session.registry().insert(std::move(collision));
    session.project().lastTilesetId = 1;
  }

  // A page of `tiles` tiles in one row; tile t has pixel (x, y) = (x + y + t) mod 16
  // for t > 0 and is blank for t = 0; palette row r colour c = (16r + c) * 3 + k.
  Tileset& addPage(int id, int tiles) {
    auto page = std::make_unique<Tileset>();
    page->id = id;
    page->imageWidth = tiles * 8;
    page->imageHeight = 8;
    page->pixels.assign(static_cast<std::size_t>(page->imageWidth) * 8, 0);
    computeTilesetGeometry(*page);
    for (int t = 1; t < tiles; ++t) {
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
          page->pixels[static_cast<std::size_t>(y * page->imageWidth + t * 8 + x)] =
              static_cast<std::uint8_t>((x * t + y) % 16);
    }
    for (std::size_t i = 0; i < kPaletteBytes; ++i) page->palette[i] = static_cast<std::uint8_t>((i * 7 + id) & 0xFF);
    session.project().tilesetsLoaded = true;
    session.project().lastTilesetId = id;
    return session.registry().insert(std::move(page));
  }

  MapLayer& addLayer(LayerKind kind, const std::string& name, int width, int height, bool group2 = false,
                     float parallax = 1.0f) {
    auto layer = std::make_unique<MapLayer>();
    layer->kind = kind;
    layer->setName(name);
    layer->width = static_cast<std::uint16_t>(width);
    layer->height = static_cast<std::uint16_t>(height);
    layer->parallaxX = parallax;
    layer->parallaxY = parallax;
    layer->tileGrouping = group2;
    if (kind == LayerKind::Entity) {
      layer->entities.assign(kEntityBlockSize, 0);
    } else {
      layer->cells.assign(static_cast<std::size_t>(width) * height, MapCell{});
    }
    return session.project().insertLayer(std::move(layer), session.project().layerCount());
  }

  static void placeEntity(MapLayer& layer, int slot, int type, int facing, int x, int y) {
    std::uint8_t* record = layer.entities.data() + static_cast<std::size_t>(slot) * kEntityRecordSize;
    record[0] = 1;
    storeU16(record + 2, static_cast<std::uint16_t>(type));
    record[4] = static_cast<std::uint8_t>(static_cast<std::int8_t>(facing));
    storeI32(record + 8, x);
    storeI32(record + 12, y);
  }

  ExportOutcome exportAll(ExportOptions options = {}) {
    if (options.directory.empty()) options.directory = out.path();
    if (!options.startTime) options.startTime = 1700000000;  // Nov 14, 2023 22:13 UTC
    return exportToHeaders(session, options);
  }
};

}  // namespace qarto::test
