#include "model/project/undo_entry.h"

#include <algorithm>
#include <utility>

#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

// Writes the saved cells into the layer and keeps the layer's cells in their
// place, so that applying the group again goes back. Numbers beyond the
// layer's cells are skipped.
void swapCells(MapLayer& layer, SavedCells& group) {
  for (std::size_t i = 0; i < group.numbers.size(); ++i) {
    const std::size_t number = group.numbers[i];
    if (number >= layer.cells.size()) continue;
    MapCell& saved = group.cells[i];
    MapCell& cell = layer.cells[number];
    const MapCell current = cell;
    cell.tile = saved.tile;
    cell.tileset = saved.tileset;
    cell.palette = saved.palette;
    cell.collision = saved.collision;
    cell.flags = static_cast<std::uint8_t>((cell.flags & ~kCellFlagBits) | (saved.flags & kCellFlagBits));
    saved = current;
  }
}

// The neighbour a move is applied against: Up re-anchors on the upper one.
MapLayer* moveAnchor(const UndoEntry& entry) { return entry.reanchorOnUpper ? entry.upper : entry.lower; }

bool moveBack(UndoEntry& entry, MapProject& project) {
  MapLayer* const layer = entry.layer;
  MapLayer* const anchor = moveAnchor(entry);
  if (anchor == layer || (anchor != nullptr && !project.contains(anchor))) return false;
  if (entry.reanchorOnUpper && anchor == nullptr) return false;
  MapLayer* const lowerNow = project.layerBelow(layer);
  MapLayer* const upperNow = project.layerAbove(layer);
  MapLayer* const active = project.activeLayer;
  std::unique_ptr<MapLayer> taken = project.takeLayer(layer);
  const int index =
      entry.reanchorOnUpper ? project.indexOf(anchor) : (anchor != nullptr ? project.indexOf(anchor) + 1 : 0);
  project.insertLayer(std::move(taken), index);
  project.activeLayer = active;  // taking it out must not change the active layer
  // Going the other way re-anchors on the neighbour it passes again.
  entry.lower = lowerNow;
  entry.upper = upperNow;
  entry.reanchorOnUpper = !entry.reanchorOnUpper;
  return true;
}

// LayerAdded: the layer leaves the stack and the entry keeps it.
void takeOut(UndoEntry& entry, MapProject& project) {
  MapLayer* const layer = entry.layer;
  const bool wasActive = project.activeLayer == layer;
  entry.lower = project.layerBelow(layer);
  entry.upper = project.layerAbove(layer);
  entry.ownedLayer = project.takeLayer(layer);
  if ((entry.restoreActive || wasActive) &&
      (entry.previouslyActive == nullptr || project.contains(entry.previouslyActive))) {
    project.activeLayer = entry.previouslyActive;
  }
  if (layer->isEntityLayer()) project.selectedEntity = -1;
  entry.kind = UndoKind::LayerDeleted;
  entry.activate = wasActive;
}

// LayerDeleted: back above its former lower neighbour; failing that below
// its upper one; failing both at the bottom.
void putBack(UndoEntry& entry, MapProject& project) {
  int index = 0;
  if (entry.lower != nullptr && project.contains(entry.lower)) {
    index = project.indexOf(entry.lower) + 1;
  } else if (entry.upper != nullptr && project.contains(entry.upper)) {
    index = project.indexOf(entry.upper);
  }
  MapLayer* const activeBefore = project.activeLayer;
  project.insertLayer(std::move(entry.ownedLayer), index);
  if (entry.activate) project.activeLayer = entry.layer;
  entry.kind = UndoKind::LayerAdded;
  entry.previouslyActive = activeBefore;
  entry.restoreActive = entry.activate;
}

void swapShapes(UndoEntry& entry, MapProject& project) {
  for (LayerShape& shape : entry.shapes) {
    if (!project.contains(shape.layer)) continue;
    MapLayer& layer = *shape.layer;
    layer.cells.swap(shape.cells);
    if (layer.isEntityLayer()) layer.entities.swap(shape.entities);
    std::swap(layer.width, shape.width);
    std::swap(layer.height, shape.height);
    std::swap(layer.parallaxX, shape.parallaxX);
    std::swap(layer.parallaxY, shape.parallaxY);
  }
}

void swapVisibility(UndoEntry& entry, MapProject& project) {
  for (LayerVisibility& change : entry.visibility) {
    if (!project.contains(change.layer)) continue;
    const bool visible = change.layer->visible;
    change.layer->visible = change.visible;
    change.visible = visible;
  }
}

void swapPages(UndoEntry& entry, MapProject& project) {
  for (PageContent& page : entry.pages) {
    Tileset* tileset = project.registry().find(page.tilesetId);
    if (tileset == nullptr || tileset->pixels.size() != page.pixels.size()) continue;
    tileset->pixels.swap(page.pixels);
    std::swap(tileset->palette, page.palette);
  }
}

}  // namespace

bool applyUndoEntry(UndoEntry& entry, MapProject& project) {
  if (entry.kind == UndoKind::LayerDeleted) {
    if (!entry.ownedLayer) return false;
    putBack(entry, project);
    swapVisibility(entry, project);
    return true;
  }
  MapLayer* const layer = entry.layer;
  if (entry.kind != UndoKind::LayersResized && !project.contains(layer)) return false;  // gone unrecorded

  switch (entry.kind) {
    case UndoKind::LayerAdded:
      takeOut(entry, project);
      break;
    case UndoKind::LayerMoved:
      if (!moveBack(entry, project)) return false;
      break;
    case UndoKind::LayerCellsReplaced:
      if (entry.formerWidth == layer->width && entry.formerHeight == layer->height &&
          entry.formerCells.size() == layer->cells.size()) {
        layer->cells.swap(entry.formerCells);
      }
      break;
    case UndoKind::LayerFlipped:
      if (entry.flipper) entry.flipper(*layer, entry.horizontal);
      break;
    case UndoKind::CellsEdited:
      for (SavedCells& group : entry.savedCells) {
        if (group.layer != layer && !project.contains(group.layer)) continue;
        swapCells(*group.layer, group);
      }
      break;
    case UndoKind::LayersResized:
      swapShapes(entry, project);
      break;
    case UndoKind::EntitiesEdited:
      if (entry.entityBlock.size() == layer->entities.size()) layer->entities.swap(entry.entityBlock);
      std::swap(project.selectedEntity, entry.selectedEntity);
      break;
    case UndoKind::LayerDeleted:
      break;
  }
  swapVisibility(entry, project);
  swapPages(entry, project);
  return true;
}

}  // namespace qarto
