#include "edit/layers/layer_support.h"

#include "model/app_title.h"
#include "model/project/editor_session.h"
#include "model/project/layer_observer.h"
#include "model/project/map_layer.h"
#include "model/project/map_project.h"

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

}  // namespace qarto
