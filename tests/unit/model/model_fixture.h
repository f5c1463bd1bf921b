#pragma once

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

}  // namespace qarto::test
