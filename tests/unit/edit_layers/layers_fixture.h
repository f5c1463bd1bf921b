#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <tuple>
#include <vector>

#include "edit/collision/collision_flip_tables.h"
#include "edit/dialogs/resize_layer_model.h"
#include "edit/dialogs/shift_layer_model.h"
#include "edit/entities/entity_record.h"
#include "edit/layers/cells/layer_eat.h"
#include "edit/layers/cells/layer_flip.h"
#include "edit/layers/cells/layer_merge.h"
#include "edit/layers/cells/page_layer_fill.h"
#include "edit/layers/layer_clone.h"
#include "edit/layers/layer_delete.h"
#include "edit/layers/layer_import.h"
#include "edit/layers/layer_order.h"
#include "edit/layers/layer_selection.h"
#include "edit/session/tileset_commands.h"
#include "model/allocation.h"
#include "model/project/layer_observer.h"
#include "support/page_files.h"
#include "support/test_session.h"

namespace qarto::test {

using Message = ScriptedServices::Message;

// Writes down what the layer bar hears.
struct BarRecorder : LayerObserver {
  std::vector<std::string> calls;
  void layerAdded(MapLayer& layer) override { calls.push_back("added " + layer.nameText()); }
  void refreshLayers() override { calls.push_back("refresh"); }
  void activeLayerChanged(MapLayer* layer) override { calls.push_back("active " + (layer ? layer->nameText() : "")); }
};

// The layer operations, and an editor session with the collision page loaded (id 1), unlimited undo
// and a recording layer bar.
struct LayersFixture : TestSession {
  BarRecorder bar;

  LayersFixture() {
    journal().setLevels(-1);
    EXPECT_TRUE(loadCollisionTileset(session));
    project().setLayerObserver(&bar);
  }
  UndoJournal& journal() { return project().journal(); }

  // A 64 x 32 page of 32 tiles (id 2 when first): 0 blank, 1 all colour 16
  // (clear but not blank), 2 opaque but for one pixel of colour 16, 3 half
  // clear; any other tile t opaque in colour 1 + t % 15 of palette row t % 16.
  Tileset& tiles() {
    return registerPage(project(), host, 64, 32, [](int x, int y) -> std::uint8_t {
      const int t = tileAt(64, x, y);
      if (t < 4) return t == 0 ? 0 : t == 1 ? 16 : t == 2 ? (x == 20 && y == 3 ? 16 : 0x35) : (x % 8 < 4 ? 0 : 7);
      return static_cast<std::uint8_t>((t % 16) << 4 | (1 + t % 15));
    });
  }

  // Adds a layer (new layers go beneath the others and become active) on a
  // clean slate: no undo entries, not modified, nothing shown or heard.
  MapLayer& layer(const std::string& name, int width, int height, LayerKind kind, float parallax = 1.0f) {
    MapLayer* added = project().addLayer(name, width, height, parallax, parallax, kind, true);
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

  // Everything a refused operation must leave as it was.
  auto snapshot() {
    std::vector<std::tuple<std::string, int, int, bool, std::uint32_t, std::vector<MapCell>, std::vector<std::uint8_t>>>
        layers;
    for (const auto& l : project().layers()) {
      layers.emplace_back(l->nameText(), l->width, l->height, l->visible, std::bit_cast<std::uint32_t>(l->parallaxX),
                          l->cells, l->entities);
    }
    return std::tuple(layers, project().activeLayer, journal().size(), project().modified);
  }
};

// Cells of page `id` with the given tile numbers, row by row.
inline void setTiles(MapLayer& layer, int id, const std::vector<int>& tiles) {
  ASSERT_EQ(tiles.size(), layer.cells.size());
  for (std::size_t i = 0; i < tiles.size(); ++i) {
    layer.cells[i] = MapCell{static_cast<std::int16_t>(tiles[i]), static_cast<std::int8_t>(id), 0, 0, 0, 0};
  }
}

// Every cell different in every field, so that a misplaced or half-copied
// cell shows.
inline MapCell distinctCell(int i) {
  return MapCell{static_cast<std::int16_t>(i),      static_cast<std::int8_t>(i % 100),
                 static_cast<std::uint8_t>(i % 16), static_cast<std::uint16_t>(i * 7),
                 static_cast<std::uint8_t>(i % 4),  0};
}
inline void fillDistinct(MapLayer& layer, int salt = 0) {
  for (std::size_t i = 0; i < layer.cells.size(); ++i) layer.cells[i] = distinctCell(static_cast<int>(i) + salt);
}

}  // namespace qarto::test
