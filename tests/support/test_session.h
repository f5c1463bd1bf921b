#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/project/editor_session.h"
#include "model/settings/memory_settings_store.h"
#include "model/tileset/tileset_host.h"
#include "support/scripted_services.h"

namespace qarto::test {

// A layer of the given kind and size with zeroed cells (or entity block),
// outside any project.
inline std::unique_ptr<MapLayer> makeLayer(LayerKind kind, const std::string& name, int width, int height,
                                           float parallaxX = 1.0f, float parallaxY = 1.0f) {
  auto layer = std::make_unique<MapLayer>();
  layer->kind = kind;
  layer->setName(name);
  layer->width = static_cast<std::uint16_t>(width);
  layer->height = static_cast<std::uint16_t>(height);
  layer->parallaxX = parallaxX;
  layer->parallaxY = parallaxY;
  if (kind == LayerKind::Entity) {
    layer->entities.assign(kEntityBlockSize, 0);
  } else {
    layer->cells.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), MapCell{});
  }
  return layer;
}

// The tile numbers of a layer's cells, row by row.
inline std::vector<int> tilesOf(const MapLayer& layer) {
  std::vector<int> tiles;
  for (const MapCell& cell : layer.cells) tiles.push_back(cell.tile);
  return tiles;
}

// Remembers which brushes the view would have made and dropped.
class RecordingHost : public HeadlessTilesetHost {
 public:
  void tilesetRegistered(Tileset& tileset) override { brushes.insert(tileset.id); }
  void tilesetRemoved(std::int32_t id) override { brushes.erase(id); }
  void tileViewLayoutChanged() override { ++layouts; }
  std::set<std::int32_t> brushes;
  int layouts = 0;
};

// An editor session with a scripted user, settings in memory and a headless host.
struct TestSession {
  ScriptedServices services;
  MemorySettingsStore settings;
  RecordingHost host;
  EditorSession session{services, settings, host};

  MapProject& project() { return session.project(); }
  TilesetRegistry& registry() { return session.registry(); }

  // Puts a layer on top of the stack, bypassing the add-layer rules; the
  // first one becomes active.
  MapLayer& addLayer(LayerKind kind, const std::string& name, int width, int height, float parallaxX = 1.0f,
                     float parallaxY = 1.0f) {
    MapLayer& layer =
        project().insertLayer(makeLayer(kind, name, width, height, parallaxX, parallaxY), project().layerCount());
    if (project().activeLayer == nullptr) project().activeLayer = &layer;
    return layer;
  }
};

}  // namespace qarto::test
