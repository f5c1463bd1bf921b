#include "edit/layers/layer_delete.h"

#include <memory>
#include <utility>

#include "edit/layers/layer_support.h"
#include "model/project/editor_session.h"

namespace qarto {

namespace {

constexpr const char* kNoActiveLayer = "There is no currently active layer to be deleted.";
constexpr const char* kPrimaryStays = "The primary layer can never be deleted, only resized.";

}  // namespace

bool deleteActiveLayer(EditorSession& session) {
  MapProject& project = session.project();
  MapLayer* const layer = project.activeLayer;
  if (!project.contains(layer)) {
    showLayerMessage(session, kNoActiveLayer, MessageIcon::Warning);
    return false;
  }
  if (layer->kind == LayerKind::Primary) {
    showLayerMessage(session, kPrimaryStays, MessageIcon::Warning);
    return false;
  }

  MapLayer* const lower = project.layerBelow(layer);
  MapLayer* const upper = project.layerAbove(layer);
  std::unique_ptr<MapLayer> taken = project.takeLayer(layer);
  project.journal().recordLayerDeleted(std::move(taken), lower, upper);
  project.activeLayer = project.layerAt(0);
  project.selectedEntity = -1;
  project.modified = true;
  notifyLayersChanged(project);
  return true;
}

}  // namespace qarto
