#include "edit/layers/cells/layer_eat.h"

#include "edit/layers/cells/tile_classes.h"
#include "edit/layers/layer_support.h"
#include "model/project/editor_session.h"

namespace qarto {

namespace {

constexpr const char* kNoOverlay = "No overlaying layer found or layer sizes are not compatible.";

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

  // One undo step, as a merge is.
  UndoJournal& journal = project.journal();
  journal.commitCellEdit();  // an open stroke of another layer must not collect these cells
  journal.beginCellEdit(layer);
  TileClasses tiles(session.registry());
  bool changed = false;
  const int width = layer->width;
  for (std::size_t i = 0; i < layer->cells.size(); ++i) {
    if (!tiles.hidesBeneath(overlay->cells[i])) continue;
    MapCell& cell = layer->cells[i];
    const MapCell cleared{};
    if (cell == cleared) continue;
    journal.recordCell(static_cast<int>(i % width), static_cast<int>(i / width), cell);
    cell = cleared;
    changed = true;
  }
  journal.commitCellEdit();
  if (changed) project.modified = true;
  return true;
}

}  // namespace qarto
