#include "edit/tools/tool_loop.h"

#include <algorithm>
#include <cstdlib>

#include "edit/brush/brush.h"
#include "edit/brush/brush_picking.h"
#include "edit/collision/flag_paint.h"
#include "edit/state/engine_state.h"
#include "edit/tools/flood_fill.h"
#include "edit/tools/paint_ink.h"
#include "edit/tools/stroke_plan.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/project/map_project.h"

namespace qarto {

ToolLoop::ToolLoop(EngineState& state, MapLayer& layer) : state_(state), layer_(layer) { ensureEntry(); }

ToolLoop::~ToolLoop() {
  UndoJournal& journal = state_.project().journal();
  if (journal.pendingLayer() == &layer_) journal.commitCellEdit();
}

// Another layer's stroke still open is closed under its own layer first.
void ToolLoop::ensureEntry() {
  UndoJournal& journal = state_.project().journal();
  if (journal.pendingLayer() == &layer_) return;
  if (journal.hasPending()) journal.commitCellEdit();
  journal.beginCellEdit(&layer_);
}

void ToolLoop::step(ViewPoint mouse, Modifiers modifiers, bool atPress) {
  switch (state_.tools.tool) {
    case ToolKind::Paint: paint(mouse, false); break;
    case ToolKind::DetailPaint: paint(mouse, true); break;
    case ToolKind::RubberStamp: stamp(mouse, modifiers); break;
    case ToolKind::FloodFill:
      if (atPress) fill(mouse);
      break;
    case ToolKind::FlagPaint: flags(mouse); break;
    case ToolKind::EntityPlacement: break;  // entities are grabbed and dropped, not painted
    case ToolKind::Select: break;           // selects, writes nothing
  }
}

namespace {

// The cursor cells from which a stroke of `brush` can still write into
// `layer`: the layer widened on every side by the brush's farthest
// placement from its origin (pattern mode writes the same window).
CellRect brushReach(const Brush& brush, const MapLayer& layer) {
  const BrushBounds& bounds = brush.bounds();
  const CellPoint origin = brush.origin();
  const int reachX = std::max(std::abs(bounds.minX - origin.x), std::abs(bounds.maxX - origin.x));
  const int reachY = std::max(std::abs(bounds.minY - origin.y), std::abs(bounds.maxY - origin.y));
  return {-reachX, -reachY, layer.width - 1 + reachX, layer.height - 1 + reachY};
}

}  // namespace

void ToolLoop::paint(ViewPoint mouse, bool detail) {
  const Brush* brush = state_.currentBrush();
  if (brush == nullptr || brush->empty() || !brushFitsLayer(*brush, layer_)) {
    path_.restart();
    return;
  }
  MapProject& project = state_.project();
  const AutoPaintTarget autoPaint = findAutoPaintTarget(project, &layer_, project.autoPaintCollision);
  const CellPoint cursor = state_.cellAt(lockedPoint(state_.tools, mouse), &layer_);
  project.modified = true;
  const CollisionFlipTables& flips = state_.collisionFlips();
  ensureEntry();
  for (const CellPoint cell : path_.advance(cursor, brushReach(*brush, layer_))) {
    const StrokePlan plan = planStroke(*brush, layer_, state_.tools, flips, detail ? &state_.detail : nullptr, cell);
    applyPaintPlan(plan, layer_, project.journal(), autoPaint, project.registry(), flips);
  }
}

void ToolLoop::stamp(ViewPoint mouse, Modifiers modifiers) {
  if (modifiers.shift == modifiers.ctrl) {
    paint(mouse, false);  // neither or both: paste
    return;
  }
  path_.restart();  // picking is not painting: a later paste starts afresh
  const CellPoint cell = state_.cellAt(mouse, &layer_);
  Brush& stampBrush = state_.brushes.stamp();
  if (modifiers.shift) {
    pickMapCell(stampBrush, layer_, cell, state_.project().registry());
  } else {
    stampBrush.remove(cell.x, cell.y);
  }
}

void ToolLoop::fill(ViewPoint mouse) {
  const Brush* brush = state_.currentBrush();
  if (brush == nullptr || brush->empty() || !brushFitsLayer(*brush, layer_)) return;
  const CellPoint start = state_.cellAt(mouse, &layer_);
  if (!layer_.contains(start.x, start.y)) return;
  MapProject& project = state_.project();
  BusyPointer busy(project.services());
  ensureEntry();
  const FillResult result = floodFill(layer_, start, *brush, state_.tools.brushHFlip, state_.tools.brushVFlip,
                                      project.registry(), project.journal());
  if (result.written > 0) project.modified = true;
}

void ToolLoop::flags(ViewPoint mouse) {
  if (layer_.kind != LayerKind::Collision) return;
  const CellPoint cursor = state_.cellAt(lockedPoint(state_.tools, mouse), &layer_);
  ensureEntry();
  const CellRect layerCells{0, 0, layer_.width - 1, layer_.height - 1};
  for (const CellPoint cell : path_.advance(cursor, layerCells)) {
    if (paintFlags(layer_, cell, state_.flags, state_.project().journal())) state_.project().modified = true;
  }
}

}  // namespace qarto
