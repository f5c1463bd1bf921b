#include "render/map/frame_damage.h"

#include <cmath>
#include <cstring>

#include "edit/state/engine_state.h"
#include "model/project/editor_session.h"
#include "model/project/map_layer.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"
#include "render/frame_input.h"

namespace qarto {

namespace {

// FNV-1a over the values, one by one (never a struct's padding).
class KeyHasher {
 public:
  template <typename T>
  void add(const T& value) {
    bytes(&value, sizeof value);
  }
  void bytes(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    for (std::size_t i = 0; i < size; ++i) hash_ = (hash_ ^ p[i]) * 1099511628211ull;
  }
  void colour(const ViewColor& c) {
    add(c.r);
    add(c.g);
    add(c.b);
    add(c.a);
  }
  std::uint64_t value() const { return hash_; }

 private:
  std::uint64_t hash_ = 14695981039346656037ull;
};

void addColours(KeyHasher& key, const ViewColors& c) {
  for (const ViewColor* colour :
       {&c.collisionTile, &c.brushWarning, &c.mapGrid, &c.mapSelection, &c.mapDrawSelection, &c.collisionFocus,
        &c.collisionActive, &c.collisionInactive, &c.mapFocus, &c.mapActive, &c.mapInactive, &c.tileGrid,
        &c.tileSelection, &c.tileDrawSelection, &c.tilesetFocus, &c.tilesetActive, &c.tilesetInactive}) {
    key.colour(*colour);
  }
  key.add(c.brushAlphaLevel);
  key.add(c.layerAlphaLevel);
  key.add(c.collisionLayerAlphaLevel);
}

// Everything a map frame reads but the scroll, the mouse, the preview and
// the cells of tile layers. Layers and pages go in by serial: a new one can
// get a gone one's address.
std::uint64_t frameKey(const FrameInput& input) {
  KeyHasher key;
  const EngineState& state = *input.state;
  const ViewState& view = state.view;
  key.add(view.tileViewShown);
  key.add(view.mapZoom);
  key.add(view.tileZoom);
  key.add(view.clientWidth);
  key.add(view.clientHeight);
  key.add(view.mapGridAlpha);
  key.add(view.tileGridAlpha);
  key.add(view.showFrameMask);
  key.add(view.centeredView);
  key.add(view.showLayerBounds);
  key.add(view.showFlags);
  key.add(view.showMarkers);
  key.add(view.mouseInside);
  for (const float channel : view.clearColor) key.add(channel);

  const ToolState& tools = state.tools;
  key.add(tools.tool);
  key.add(tools.brushHFlip);
  key.add(tools.brushVFlip);
  key.add(tools.brushAlpha);
  key.add(tools.patternMode);
  key.add(tools.paintLock);
  key.add(tools.autoHide);
  key.add(tools.selecting);
  key.add(tools.rectangleStarted);

  key.add(input.showFlags);
  key.add(input.showCursor);
  key.add(input.preview != nullptr);
  key.add(input.autoPaintLayer);
  addColours(key, *input.colors);
  for (const FlagIcon& flag : input.flagIcons) {
    key.add(flag.inUse);
    key.add(flag.bit);
    key.colour(flag.tint);
    key.add(flag.icon);
  }

  const MapProject& project = state.project();
  key.add(project.activeLayer);
  key.add(project.showMapGrid);
  key.add(project.screenWidth);
  key.add(project.screenHeight);
  key.add(project.selectedEntity);
  key.add(project.autoPaintCollision);
  key.add(project.collisionTileset);
  key.add(state.entityCatalogue.generation());  // the catalogue's own sprites
  for (const auto& layer : project.layers()) {
    key.add(layer->serial.value());
    key.add(layer->kind);
    key.add(layer->visible);
    key.add(layer->alpha);
    key.add(layer->locked);
    key.add(layer->width);
    key.add(layer->height);
    key.add(layer->parallaxX);
    key.add(layer->parallaxY);
    if (layer->isEntityLayer()) key.bytes(layer->entities.data(), layer->entities.size());
  }
  for (const auto& [id, page] : state.session.registry()) {
    key.add(id);
    key.add(page->serial.value());
    key.add(page->textureReady);
    key.add(page->textureName);
    key.add(page->imageWidth);
    key.add(page->imageHeight);
    key.add(page->tileCount);
    key.add(page->pixels.size());
    key.bytes(page->palette.data(), page->palette.size());
    key.add(page->hasCollisionSet);
    key.bytes(page->collisionSet.data(), page->collisionSet.size());
  }
  return key.value();
}

std::uint64_t cellKey(const MapCell& cell) {
  const MapCell::Bytes bytes = cell.toBytes();
  std::uint64_t value = 0;
  std::memcpy(&value, bytes.data(), sizeof value);
  return value;
}

LayerView fullView(const FrameInput& input, const MapLayer& layer) {
  const EngineState& state = *input.state;
  const MapGeometry geometry = state.geometry();
  return layerViewOf(layer, geometry.zoom, state.view.scrollX, state.view.scrollY, geometry.originX, geometry.originY,
                     state.view.clientWidth, state.view.clientHeight);
}

// Cells [x0, x1) x [y0, y1) of `layer` in window pixels.
WindowRect cellsRect(const FrameInput& input, const MapLayer& layer, int x0, int y0, int x1, int y1) {
  const LayerView view = fullView(input, layer);
  return {static_cast<int>(view.edgeX(x0)) + view.originX, static_cast<int>(view.edgeY(y0)) + view.originY,
          static_cast<int>(view.edgeX(x1)) + view.originX, static_cast<int>(view.edgeY(y1)) + view.originY};
}

bool wholeZoom(float zoom) { return zoom >= 1.0f && std::floor(zoom) == zoom; }

// Rectangles that overlap become one.
void merge(std::vector<WindowRect>& rects) {
  std::erase_if(rects, [](const WindowRect& r) { return r.empty(); });
  for (bool merged = true; merged;) {
    merged = false;
    for (std::size_t i = 0; i < rects.size() && !merged; ++i) {
      for (std::size_t j = i + 1; j < rects.size() && !merged; ++j) {
        if (!rects[i].intersected(rects[j]).empty()) {
          rects[i] = rects[i].united(rects[j]);
          rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(j));
          merged = true;
        }
      }
    }
  }
}

}  // namespace

void DamageTracker::takeCells(const FrameInput& input) {
  const MapProject& project = input.state->project();
  cells_.clear();
  for (const auto& layer : project.layers()) {
    if (layer->isEntityLayer()) continue;
    LayerCells& taken = cells_.emplace_back();
    taken.layer = layer.get();
    taken.range = visibleCells(*layer, fullView(input, *layer));
    taken.keys.reserve(static_cast<std::size_t>(taken.range.count()));
    for (int y = taken.range.firstY; y < taken.range.endY; ++y) {
      for (int x = taken.range.firstX; x < taken.range.endX; ++x) taken.keys.push_back(cellKey(layer->cell(x, y)));
    }
  }
}

// The cells that differ from the last frame's at the same place of the
// world, or were not in view then.
WindowRect DamageTracker::changedCells(const FrameInput& input) const {
  WindowRect changed;
  for (const LayerCells& before : cells_) {
    const MapLayer& layer = *before.layer;
    const CellRange range = visibleCells(layer, fullView(input, layer));
    const int columns = before.range.endX - before.range.firstX;
    int x0 = range.endX;
    int y0 = range.endY;
    int x1 = range.firstX;
    int y1 = range.firstY;
    for (int y = range.firstY; y < range.endY; ++y) {
      for (int x = range.firstX; x < range.endX; ++x) {
        if (before.range.contains(x, y) &&
            before.keys[static_cast<std::size_t>(y - before.range.firstY) * columns +
                        static_cast<std::size_t>(x - before.range.firstX)] == cellKey(layer.cell(x, y))) {
          continue;
        }
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x + 1);
        y1 = std::max(y1, y + 1);
      }
    }
    if (x1 > x0 && y1 > y0) changed = changed.united(cellsRect(input, layer, x0, y0, x1, y1));
  }
  return changed;
}

// Where the picture depends on the mouse: the preview's cells on the active
// and the auto-paint layer, and the cell under the mouse (the cursor box
// reaches one pixel past it).
std::vector<WindowRect> DamageTracker::mouseRects(const FrameInput& input) const {
  std::vector<WindowRect> rects;
  const EngineState& state = *input.state;
  const MapLayer* active = state.activeLayer();
  if (active == nullptr) return rects;
  if (input.preview != nullptr && !input.preview->cells.empty()) {
    int x0 = input.preview->cells.front().x;
    int y0 = input.preview->cells.front().y;
    int x1 = x0 + 1;
    int y1 = y0 + 1;
    for (const PlannedCell& cell : input.preview->cells) {
      x0 = std::min(x0, cell.x);
      y0 = std::min(y0, cell.y);
      x1 = std::max(x1, cell.x + 1);
      y1 = std::max(y1, cell.y + 1);
    }
    rects.push_back(cellsRect(input, *active, x0, y0, x1, y1));
    if (input.autoPaintLayer != nullptr) rects.push_back(cellsRect(input, *input.autoPaintLayer, x0, y0, x1, y1));
  }
  const MapGeometry geometry = state.geometry();
  const ViewPoint mouse = lockedPoint(state.tools, state.view.mouse);
  for (const ViewPoint point : {mouse, state.view.mouse}) {
    const CellPoint cell = cellUnderPoint(geometry, active->parallaxX, active->parallaxY, point);
    WindowRect box = cellsRect(input, *active, cell.x, cell.y, cell.x + 1, cell.y + 1);
    rects.push_back({box.x0 - 1, box.y0 - 1, box.x1 + 2, box.y1 + 2});
  }
  return rects;
}

bool DamageTracker::samePreview(const FrameInput& input) const {
  if ((input.preview != nullptr) != hadPreview_) return false;
  if (input.preview == nullptr) return true;
  const StrokePlan& plan = *input.preview;
  if (plan.compatible != preview_.compatible || plan.cursor.x != preview_.cursor.x ||
      plan.cursor.y != preview_.cursor.y || plan.cells.size() != preview_.cells.size()) {
    return false;
  }
  for (std::size_t i = 0; i < plan.cells.size(); ++i) {
    const PlannedCell& a = plan.cells[i];
    const PlannedCell& b = preview_.cells[i];
    if (a.x != b.x || a.y != b.y || a.inside != b.inside || a.tile != b.tile || a.sourceTile != b.sourceTile ||
        a.tilesetId != b.tilesetId || a.palette != b.palette || a.hflip != b.hflip || a.vflip != b.vflip ||
        a.writeFlips != b.writeFlips) {
      return false;
    }
  }
  return true;
}

void DamageTracker::remember(const FrameInput& input) {
  const ViewState& view = input.state->view;
  scrollX_ = view.scrollX;
  scrollY_ = view.scrollY;
  takeCells(input);
  mouse_ = mouseRects(input);
  hadPreview_ = input.preview != nullptr;
  if (hadPreview_) preview_ = *input.preview;
}

FrameDamage DamageTracker::next(const FrameInput& input) {
  FrameDamage damage;
  const EngineState& state = *input.state;
  const ViewState& view = state.view;
  const std::uint64_t key = frameKey(input);
  const bool comparable = known_ && key == key_ && !view.tileViewShown && state.project().hasLayers() &&
                          wholeZoom(view.mapZoom) && !state.tools.selecting && !state.tools.rectangleStarted &&
                          !state.entityDrag.dragging && !state.selection.rect && !state.selection.floating &&
                          input.budget == nullptr && state.markedCells.empty();
  const int shiftX = scrollX_ - view.scrollX;
  const int shiftY = scrollY_ - view.scrollY;
  bool rigid = !view.showFrameMask && std::abs(shiftX) < view.clientWidth && std::abs(shiftY) < view.clientHeight;
  for (const auto& layer : state.project().layers())
    rigid = rigid && layer->parallaxX == 1.0f && layer->parallaxY == 1.0f;
  if (comparable && (rigid || (shiftX == 0 && shiftY == 0))) {
    damage.full = false;
    damage.shiftX = shiftX;
    damage.shiftY = shiftY;
    const int width = view.clientWidth;
    const int height = view.clientHeight;
    // The strips the moved picture left uncovered.
    if (shiftX > 0) damage.rects.push_back({0, 0, shiftX, height});
    if (shiftX < 0) damage.rects.push_back({width + shiftX, 0, width, height});
    if (shiftY > 0) damage.rects.push_back({0, 0, width, shiftY});
    if (shiftY < 0) damage.rects.push_back({0, height + shiftY, width, height});
    damage.rects.push_back(changedCells(input));
    const std::vector<WindowRect> mouse = mouseRects(input);
    if (shiftX != 0 || shiftY != 0 || mouse != mouse_ || !samePreview(input)) {
      for (const WindowRect& before : mouse_) damage.rects.push_back(before.moved(shiftX, shiftY));
      damage.rects.insert(damage.rects.end(), mouse.begin(), mouse.end());
    }
    for (WindowRect& rect : damage.rects) rect = rect.intersected({0, 0, width, height});
    merge(damage.rects);
  }
  known_ = true;
  key_ = key;
  remember(input);
  return damage;
}

}  // namespace qarto
