#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "model/project/layer_observer.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"
#include "support/page_files.h"
#include "support/scripted_services.h"
#include "support/test_session.h"

namespace qarto::test {

// Writes down what the layer bar would hear, in order.
class RecordingLayerObserver : public LayerObserver {
 public:
  void layerAdded(MapLayer& layer) override { events.push_back("added:" + layer.nameText()); }
  void refreshLayers() override { events.push_back("refresh"); }
  void activeLayerChanged(MapLayer* layer) override {
    events.push_back("active:" + (layer ? layer->nameText() : std::string("none")));
  }
  std::vector<std::string> events;
};

// A project with its own registry and scripted services.
struct ProjectFixture {
  ScriptedServices services;
  TilesetRegistry registry;
  MapProject project{services, registry};
  RecordingLayerObserver observer;

  ProjectFixture() { project.setLayerObserver(&observer); }

  std::vector<std::string> stackNames() const {
    std::vector<std::string> names;
    for (const auto& layer : project.layers()) names.push_back(layer->nameText());
    return names;
  }
};

// A page of `width` x `height` pixels, all index 0 except the tiles listed
// in `inkedTiles`, whose pixels are (tile * 16 + 1) so they are not blank.
inline std::unique_ptr<Tileset> inkedTileset(int width, int height, const std::vector<int>& inkedTiles = {},
                                             const std::string& path = "pages/Forest.bmp") {
  auto tileset = makeTileset(-1, width, height, [&](int x, int y) {
    const int tile = tileAt(width, x, y);
    return static_cast<std::uint8_t>(std::count(inkedTiles.begin(), inkedTiles.end(), tile) ? tile * 16 + 1 : 0);
  });
  tileset->sourcePath = path;
  return tileset;
}

inline DisplayImage makeDisplay(int width, int height) {
  DisplayImage display;
  display.width = width;
  display.height = height;
  display.rgba.assign(static_cast<std::size_t>(width) * height * 4, 0xAB);
  return display;
}

}  // namespace qarto::test
