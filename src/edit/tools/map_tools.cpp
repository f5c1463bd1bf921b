#include "edit/tools/map_tools.h"

#include <algorithm>

#include "edit/brush/brush_picking.h"
#include "edit/collision/flag_paint.h"
#include "edit/entities/entity_placement.h"
#include "edit/selection/region_edit.h"
#include "edit/state/engine_state.h"
#include "edit/view/navigator.h"
#include "model/project/map_project.h"

namespace qarto {

namespace {

bool exactlyOne(Modifiers m) { return m.shift != m.ctrl; }

}  // namespace

ToolLoop* MapTools::loopForActiveLayer() {
  MapLayer* active = state_.activeLayer();
  if (active == nullptr) {
    loop_.reset();
    return nullptr;
  }
  // A gesture never writes into another layer than the one it opened on.
  if (loop_ && &loop_->layer() != active) loop_.reset();
  if (!loop_) loop_ = std::make_unique<ToolLoop>(state_, *active);
  return loop_.get();
}

void MapTools::leftPress(ViewPoint point, Modifiers modifiers) {
  state_.tools.pressPoint = point;
  state_.tools.leftHeld = true;
  if (!state_.mapOpen()) return;
  loop_.reset();
  if (state_.selection.floating) {
    placePaste(state_, state_.cellAt(point));
  } else if (state_.tools.tool == ToolKind::Select) {
    beginRegionDrag(state_, state_.cellAt(point));
  } else if (state_.tools.tool == ToolKind::EntityPlacement) {
    grabEntity(state_, point);
  } else if (ToolLoop* loop = loopForActiveLayer()) {
    loop->step(point, modifiers, true);
  }
  state_.redraw();
}

void MapTools::leftRelease(ViewPoint point) {
  state_.tools.leftHeld = false;
  loop_.reset();
  state_.selection.dragging = false;
  if (state_.entityDrag.dragging) dropEntity(state_, point);
}

void MapTools::move(ViewPoint previous, ViewPoint point, ButtonSet held, Modifiers modifiers) {
  ToolState& tools = state_.tools;
  if (tools.patternMode && !(modifiers.shift && modifiers.ctrl)) tools.patternMode = false;
  if (!state_.mapOpen()) return;

  if (tools.tool == ToolKind::EntityPlacement) {
    tools.selecting = held.left;
  } else if (tools.tool == ToolKind::Select || state_.selection.floating) {
    if (held.left) dragRegion(state_, state_.cellAt(point));
  } else if (held.left && tools.tool != ToolKind::FloodFill) {
    if (ToolLoop* loop = loopForActiveLayer()) loop->step(point, modifiers, false);
  }
  if (tools.tool == ToolKind::FlagPaint && !held.middle) {
    state_.cursorTileProperties = cursorTileProperties(state_.activeLayer(), state_.cellAt(lockedPoint(tools, point)));
  }
  if (held.middle) {
    if (usesRectangle() && exactlyOne(modifiers)) {
      if (!tools.rectangleStarted) {
        tools.rectangleStarted = true;
        tools.rectangleStart = state_.cellAt(point);
      }
    } else {
      navigator_.dragScroll(previous, point);
    }
  }
}

bool MapTools::usesRectangle() const {
  return state_.tools.tool == ToolKind::RubberStamp || state_.tools.tool == ToolKind::FlagPaint;
}

void MapTools::middlePress(ViewPoint point, Modifiers modifiers) {
  if (state_.mapOpen() && usesRectangle() && exactlyOne(modifiers)) {
    state_.tools.rectangleStarted = true;
    state_.tools.rectangleStart = state_.cellAt(point);
  } else {
    state_.middleScrolling = true;
  }
}

void MapTools::middleRelease(ViewPoint point, Modifiers modifiers) {
  state_.middleScrolling = false;
  if (usesRectangle() && state_.tools.rectangleStarted && state_.mapOpen()) {
    const CellRect rect = CellRect::spanning(state_.tools.rectangleStart, state_.cellAt(point));
    state_.tools.rectangleStarted = false;
    MapLayer* active = state_.activeLayer();
    if (active != nullptr && state_.tools.tool == ToolKind::RubberStamp) {
      Brush& stamp = state_.brushes.stamp();
      if (modifiers.shift) {  // Shift wins when both are held
        pickMapRectangle(stamp, *active, rect, state_.project().registry());
      } else if (modifiers.ctrl) {
        removeRectangle(stamp, rect);
      }
    } else if (active != nullptr && state_.tools.tool == ToolKind::FlagPaint) {
      paintFlagRectangle(*active, rect);  // whatever the modifiers at release
    }
  }
  state_.tools.rectangleStarted = false;
  state_.redraw();
}

void MapTools::paintFlagRectangle(MapLayer& layer, const CellRect& rect) {
  if (layer.kind != LayerKind::Collision) return;
  endStroke();
  UndoJournal& journal = state_.project().journal();
  if (journal.hasPending()) journal.commitCellEdit();
  journal.beginCellEdit(&layer);
  bool changed = false;
  const int top = std::max(rect.top, 0);
  const int bottom = std::min(rect.bottom, layer.height - 1);
  const int left = std::max(rect.left, 0);
  const int right = std::min(rect.right, layer.width - 1);
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) changed = paintFlags(layer, {x, y}, state_.flags, journal) || changed;
  }
  journal.commitCellEdit();
  if (changed) state_.project().modified = true;
}

void MapTools::modifierDown(Modifiers held) {
  ToolState& tools = state_.tools;
  if (held.ctrl && held.shift && !state_.view.tileViewShown && state_.activeLayer() != nullptr) {
    tools.patternMode = true;
    tools.patternAnchor = state_.cellAt(state_.view.mouse);
    tools.selecting = false;
  } else if ((held.ctrl || held.shift) && tools.tool == ToolKind::RubberStamp) {
    tools.selecting = true;
  }
  state_.redraw();
}

void MapTools::modifierUp() {
  state_.tools.patternMode = false;
  if (state_.tools.tool == ToolKind::RubberStamp) state_.tools.selecting = false;
  state_.redraw();
}

void MapTools::setTool(ToolKind tool) {
  endStroke();
  state_.tools.tool = tool;
  MapProject& project = state_.project();
  MapLayer* const active = state_.activeLayer();
  if (active != nullptr && isTileLayerKind(active->kind)) state_.lastTileLayer = active;
  if (tool == ToolKind::FlagPaint) {
    state_.flagsBarShown = true;
    state_.entitiesBarShown = false;
    if (MapLayer* collision = project.findLayerOfKind(LayerKind::Collision)) {
      collision->visible = true;
      project.setActiveLayer(collision);
    }
    project.selectedEntity = -1;
  } else if (tool == ToolKind::EntityPlacement) {
    state_.flagsBarShown = false;
    state_.entitiesBarShown = true;
    state_.requests.focus = true;
    if (MapLayer* entities = project.findLayerOfKind(LayerKind::Entity)) {
      entities->visible = true;
      project.setActiveLayer(entities);
    }
  } else {
    state_.flagsBarShown = false;
    state_.entitiesBarShown = false;
    project.selectedEntity = -1;
    // A tile tool paints nothing into entities: back to the tile layer of before.
    if (active != nullptr && active->isEntityLayer()) {
      MapLayer* back = project.contains(state_.lastTileLayer) ? state_.lastTileLayer : nullptr;
      project.setActiveLayer(back != nullptr ? back : project.findLayerOfKind(LayerKind::Primary));
    }
  }
  state_.redraw();
}

StrokePlan MapTools::previewPlan() {
  StrokePlan plan;
  MapLayer* active = state_.activeLayer();
  const ToolKind tool = state_.tools.tool;
  if (active == nullptr || tool == ToolKind::EntityPlacement) return plan;
  if (state_.selection.floating) return pastePlan(*active);
  if (tool == ToolKind::Select) return plan;
  const Brush* brush = state_.currentBrush();
  if (brush == nullptr) {
    plan.compatible = active->visible && !active->locked;
    return plan;
  }
  const CellPoint cursor = state_.cellAt(lockedPoint(state_.tools, state_.view.mouse), active);
  return planStroke(*brush, *active, state_.tools, state_.collisionFlips(),
                    tool == ToolKind::DetailPaint ? &state_.detail : nullptr, cursor);
}

// The floating paste as a stroke plan, so that it is previewed like a stamp.
StrokePlan MapTools::pastePlan(const MapLayer& active) const {
  StrokePlan plan;
  const CellBlock& block = *state_.selection.floating;
  const CellBlock::Layer* cells = floatingLayerFor(state_, active);
  plan.cursor = state_.cellAt(state_.view.mouse, &active);
  plan.compatible = cells != nullptr && active.visible && !active.locked;
  if (!plan.compatible) return plan;
  for (int dy = 0; dy < block.height; ++dy) {
    for (int dx = 0; dx < block.width; ++dx) {
      const MapCell& cell = cells->cells[static_cast<std::size_t>(dy * block.width + dx)];
      if (cell.tileset == 0) continue;
      PlannedCell planned;
      planned.dx = dx;
      planned.dy = dy;
      planned.x = plan.cursor.x + dx;
      planned.y = plan.cursor.y + dy;
      planned.inside = active.contains(planned.x, planned.y);
      planned.tile = planned.sourceTile = cell.tile;
      planned.tilesetId = cell.tileset;
      planned.palette = cell.palette;
      planned.hflip = cell.hflip();
      planned.vflip = cell.vflip();
      plan.cells.push_back(planned);
    }
  }
  return plan;
}

CursorKind MapTools::cursor() const {
  const ToolState& tools = state_.tools;
  if (state_.middleScrolling) return CursorKind::Hand;
  if (state_.selection.floating) return CursorKind::Stamp;
  switch (tools.tool) {
    case ToolKind::Paint: return tools.patternMode ? CursorKind::Pattern : CursorKind::Arrow;
    case ToolKind::DetailPaint: return CursorKind::DetailPaint;
    case ToolKind::RubberStamp:
      if (tools.patternMode) return CursorKind::Pattern;
      return tools.selecting ? CursorKind::Selection : CursorKind::Stamp;
    case ToolKind::FloodFill: return CursorKind::Fill;
    case ToolKind::FlagPaint: return CursorKind::Flag;
    case ToolKind::EntityPlacement: return CursorKind::Entity;
    case ToolKind::Select: return CursorKind::Selection;
  }
  return CursorKind::Arrow;
}

}  // namespace qarto
