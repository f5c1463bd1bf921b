#include "edit/state/engine_state.h"

#include "model/project/editor_session.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"

namespace qarto {

const CollisionFlipTables& CollisionFlipCache::tablesFor(const Tileset* collisionTiles) {
  const void* pixels = collisionTiles != nullptr ? collisionTiles->pixels.data() : nullptr;
  const std::size_t size = collisionTiles != nullptr ? collisionTiles->pixels.size() : 0;
  if (collisionTiles != builtFor_ || pixels != builtPixels_ || size != builtSize_) {
    if (collisionTiles != nullptr) {
      tables_.build(*collisionTiles);
    } else {
      tables_.clear();
    }
    builtFor_ = collisionTiles;
    builtPixels_ = pixels;
    builtSize_ = size;
  }
  return tables_;
}

MapProject& EngineState::project() { return session.project(); }
const MapProject& EngineState::project() const { return session.project(); }
bool EngineState::mapOpen() const { return project().hasLayers(); }

MapLayer* EngineState::activeLayer() const {
  MapLayer* layer = project().activeLayer;
  return project().contains(layer) ? layer : nullptr;
}

MapGeometry EngineState::geometry() const {
  return mapGeometry(view, project().screenWidth, project().screenHeight);
}

CellPoint EngineState::cellAt(ViewPoint point, const MapLayer* layer) const {
  if (layer == nullptr) layer = activeLayer();
  if (layer == nullptr) return {};
  return cellUnderPoint(geometry(), layer->parallaxX, layer->parallaxY, point);
}

Brush* EngineState::currentBrush() {
  if (tools.tool == ToolKind::RubberStamp && !view.tileViewShown) return &brushes.stamp();
  return brushes.forTileset(project().currentTilesetId);
}

const Brush* EngineState::currentBrush() const { return const_cast<EngineState*>(this)->currentBrush(); }

const CollisionFlipTables& EngineState::collisionFlips() {
  const Tileset* collision = project().collisionTileset;
  if (collision != nullptr && project().registry().find(collision->id) != collision) collision = nullptr;
  return flips.tablesFor(collision);
}

}  // namespace qarto
