#include "edit/layers/cells/layer_merge.h"

#include "edit/layers/cells/tile_classes.h"
#include "edit/layers/layer_support.h"
#include "model/project/editor_session.h"

namespace qarto {

namespace {

constexpr const char* kNoTileLayerBeneath = "There is no tile layer beneath the active layer to merge with.";
constexpr const char* kNoCollisionLayerBeneath = "There is no collision layer beneath the active layer to merge with.";
constexpr const char* kEntitiesNotMerged = "Entity layers cannot be merged.";
constexpr const char* kSizesDiffer = "The merge layers must currently be of the same size.  Merge aborted.";
constexpr const char* kTilesetMissing = "A tileset was expected but not found.";

// Art merges only with art and collision tiles only with collision tiles:
// the nearest layer of the same family beneath, passing over the others.
MapLayer* mergePartner(const MapProject& project, const MapLayer& layer) {
  for (MapLayer* below = project.layerBelow(&layer); below != nullptr; below = project.layerBelow(below)) {
    if (layer.kind == LayerKind::Collision ? below->kind == LayerKind::Collision : isTileLayerKind(below->kind)) return below;
  }
  return nullptr;
}

}  // namespace

void mergeActiveLayerDown(EditorSession& session) {
  MapProject& project = session.project();
  MapLayer* const layer = project.activeLayer;
  if (!project.contains(layer)) return;
  if (layer->isEntityLayer()) {
    showLayerMessage(session, kEntitiesNotMerged, MessageIcon::Warning);
    return;
  }
  MapLayer* const beneath = mergePartner(project, *layer);
  if (beneath == nullptr) {
    showLayerMessage(session, layer->kind == LayerKind::Collision ? kNoCollisionLayerBeneath : kNoTileLayerBeneath,
                     MessageIcon::Warning);
    return;
  }
  if (layer->width != beneath->width || layer->height != beneath->height || !hasFullCells(*layer) ||
      !hasFullCells(*beneath)) {
    showLayerMessage(session, kSizesDiffer, MessageIcon::Warning);
    return;
  }

  UndoJournal& journal = project.journal();
  journal.commitCellEdit();  // an open stroke of another layer must not collect these cells
  journal.beginCellEdit(layer);
  TileClasses tiles(session.registry());
  bool changed = false;
  bool complete = true;
  const int width = layer->width;
  for (std::size_t i = 0; i < layer->cells.size(); ++i) {
    MapCell& cell = layer->cells[i];
    if (!tiles.registered(cell)) {
      complete = false;
      break;
    }
    if (!tiles.blank(cell)) continue;
    journal.recordCell(static_cast<int>(i % width), static_cast<int>(i / width), cell);
    copyCellContent(cell, beneath->cells[i]);
    changed = true;
  }
  // The layer beneath is hidden in the same undo step.
  if (complete && beneath->visible) {
    journal.recordVisibility(beneath, true);
    beneath->visible = false;
  }
  journal.commitCellEdit();
  if (!complete) showLayerMessage(session, kTilesetMissing, MessageIcon::Warning);
  if (changed || complete) project.modified = true;
  notifyLayersChanged(project);
}

}  // namespace qarto
