#include "edit/layers/layer_support.h"

#include "model/app_title.h"
#include "model/project/editor_session.h"
#include "model/project/layer_observer.h"
#include "model/project/map_layer.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

void notifyLayersChanged(MapProject& project) {
  LayerObserver* observer = project.layerObserver();
  if (observer == nullptr) return;
  observer->refreshLayers();
  observer->activeLayerChanged(project.activeLayer);
}

MessageAnswer showLayerMessage(EditorSession& session, const std::string& text, MessageIcon icon,
                               MessageButtons buttons) {
  return session.services().messageBox(text, caption(), buttons, icon);
}

bool hasFullCells(const MapLayer& layer) {
  return !layer.isEntityLayer() &&
         layer.cells.size() == static_cast<std::size_t>(layer.width) * static_cast<std::size_t>(layer.height);
}

bool clearedCell(EditorSession& session, const MapLayer& layer, MapCell& cell) {
  cell = MapCell{};
  if (!isTileLayerKind(layer.kind)) return true;
  const Tileset* page = session.registry().firstNonCollision();
  if (page == nullptr) return !session.project().unoptimizedMode;
  cell.tile = static_cast<std::int16_t>(firstBlankTile(*page, 0));
  cell.tileset = static_cast<std::int8_t>(page->id);
  return true;
}

}  // namespace qarto
