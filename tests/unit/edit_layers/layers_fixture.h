#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "edit/tileset_commands.h"
#include "io/display_image.h"
#include "model/editor_session.h"
#include "model/layer_observer.h"
#include "model/memory_settings_store.h"
#include "model/tileset.h"
#include "model/tileset_host.h"
#include "model/tileset_registration.h"
#include "support/scripted_services.h"

namespace qarto::test {

// Writes down what the layer bar hears, one word per call.
struct BarRecorder : LayerObserver {
  std::vector<std::string> calls;
  void layerAdded(MapLayer& layer) override { calls.push_back("added " + layer.nameText()); }
  void refreshLayers() override { calls.push_back("refresh"); }
  void activeLayerChanged(MapLayer* layer) override {
    calls.push_back("active " + (layer != nullptr ? layer->nameText() : std::string("none")));
  }
};

// An editor session with the collision page loaded (id 1), unlimited undo
// and a recording layer bar.
struct LayersFixture {
  ScriptedServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  EditorSession session{services, settings, host};
  BarRecorder bar;

  LayersFixture() {
    project().journal().setLevels(-1);
    EXPECT_TRUE(loadCollisionTileset(session));
    project().setLayerObserver(&bar);
  }

  MapProject& project() { return session.project(); }
  UndoJournal& journal() { return project().journal(); }

  // A registered page whose pixel colours come from `rule`.
  Tileset& page(int width, int height, const std::function<std::uint8_t(int, int)>& rule) {
    auto tileset = std::make_unique<Tileset>();
    tileset->imageWidth = width;
    tileset->imageHeight = height;
    tileset->pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) tileset->pixels[static_cast<std::size_t>(y) * width + x] = rule(x, y);
    }
    tileset->sourcePath = "page.bmp";
    computeTilesetGeometry(*tileset);
    DisplayImage display = makeDisplayImage(*tileset);
    Tileset* registered = registerTileset(project(), host, std::move(tileset), std::move(display));
    EXPECT_NE(registered, nullptr);
    return *registered;
  }

  // A 64 x 32 page of 32 tiles: tile t is filled with colour 1 + t % 15 of
  // palette row t % 16 (opaque), except the tiles listed in `blank` (all 0).
  Tileset& numberedPage(const std::vector<int>& blank = {0}) {
    return page(64, 32, [blank](int x, int y) {
      const int t = (y / 8) * 8 + x / 8;
      for (int b : blank) {
        if (b == t) return std::uint8_t{0};
      }
      return static_cast<std::uint8_t>((t % 16) << 4 | (1 + t % 15));
    });
  }

  // Adds a layer with a clean slate: no undo entries, not modified, no
  // messages or bar calls recorded.
  MapLayer& layer(const std::string& name, int width, int height, LayerKind kind, float parallax = 1.0f) {
    MapLayer* added = project().addLayer(name, width, height, parallax, parallax, kind, true);
    EXPECT_NE(added, nullptr);
    settle();
    return *added;
  }

  void settle() {
    journal().clear();
    project().modified = false;
    services.messages.clear();
    bar.calls.clear();
  }

  // The layer names from the bottom up.
  std::string order() {
    std::string names;
    for (const auto& l : project().layers()) names += (names.empty() ? "" : " ") + l->nameText();
    return names;
  }
};

// Cells of page `id` with the given tile numbers, row by row.
inline void setTiles(MapLayer& layer, int id, const std::vector<int>& tiles) {
  ASSERT_EQ(tiles.size(), layer.cells.size());
  for (std::size_t i = 0; i < tiles.size(); ++i) {
    layer.cells[i] = MapCell{};
    layer.cells[i].tile = static_cast<std::int16_t>(tiles[i]);
    layer.cells[i].tileset = static_cast<std::int8_t>(id);
  }
}

inline std::vector<int> tilesOf(const MapLayer& layer) {
  std::vector<int> tiles;
  for (const MapCell& cell : layer.cells) tiles.push_back(cell.tile);
  return tiles;
}

// Every cell different in every field, so that a misplaced or half-copied
// cell shows.
inline MapCell distinctCell(int i) {
  MapCell cell;
  cell.tile = static_cast<std::int16_t>(i);
  cell.tileset = static_cast<std::int8_t>(i % 100);
  cell.palette = static_cast<std::uint8_t>(i % 16);
  cell.collision = static_cast<std::uint16_t>(i * 7);
  cell.flags = static_cast<std::uint8_t>(i % 4);
  return cell;
}

inline void fillDistinct(MapLayer& layer, int salt = 0) {
  for (std::size_t i = 0; i < layer.cells.size(); ++i) layer.cells[i] = distinctCell(static_cast<int>(i) + salt);
}

}  // namespace qarto::test
