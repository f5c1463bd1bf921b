#include "edit/layers/cells/layer_eat.h"

#include "edit/layers/cells/tile_classes.h"
#include "edit/layers/layer_support.h"
#include "model/project/editor_session.h"

namespace qarto {

namespace {

constexpr const char* kNoOverlay = "No overlaying layer found or layer sizes are not compatible.";
constexpr const char* kNoUndoQuestion = "This feature does not currently support undo.  Continue?.";

}  // namespace

MapLayer* overlayingLayer(EditorSession& session, const MapLayer& active) {
  const MapProject& project = session.project();
  for (int i = project.layerCount() - 1; i >= 0; --i) {
    MapLayer* candidate = project.layerAt(i);
    if (candidate == &active) return nullptr;
    if (candidate->kind != LayerKind::Collision && !candidate->isEntityLayer()) return candidate;
  }
  return nullptr;
}

bool eatHiddenTiles(EditorSession& session) {
  MapProject& project = session.project();
  MapLayer* const layer = project.activeLayer;
  if (!project.contains(layer)) return false;
  const MapLayer* const overlay = overlayingLayer(session, *layer);
  if (overlay == nullptr || overlay->width != layer->width || overlay->height != layer->height ||
      !hasFullCells(*layer) || !hasFullCells(*overlay)) {
    showLayerMessage(session, kNoOverlay, MessageIcon::Information);
    return false;
  }
  if (showLayerMessage(session, kNoUndoQuestion, MessageIcon::Question, MessageButtons::OkCancel) !=
      MessageAnswer::Ok) {
    return false;
  }

  TileClasses tiles(session.registry());
  bool changed = false;
  for (std::size_t i = 0; i < layer->cells.size(); ++i) {
    if (!tiles.hidesBeneath(overlay->cells[i])) continue;
    MapCell& cell = layer->cells[i];
    const MapCell cleared{};
    changed = changed || !(cell == cleared);
    cell = cleared;
  }
  if (changed) project.modified = true;
  return true;
}

}  // namespace qarto
