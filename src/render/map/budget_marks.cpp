#include "render/map/budget_marks.h"

#include "edit/state/engine_state.h"
#include "export/budget/budget_counts.h"
#include "export/reduction/export_reduction.h"
#include "model/project/map_project.h"
#include "render/gl/gl_api.h"
#include "render/gl/gl_draw.h"
#include "render/map/map_pass.h"

namespace qarto {

namespace {

void cellRect(const LayerView& view, int x, int y, float& x0, float& y0, float& x1, float& y1) {
  x0 = view.edgeX(x);
  y0 = view.edgeY(y);
  x1 = view.edgeX(x + 1);
  y1 = view.edgeY(y + 1);
}

}  // namespace

void drawUsedOnceTint(const MapPass& pass, const BudgetCounts& counts) {
  for (const auto& owned : pass.project.layers()) {
    const MapLayer& layer = *owned;
    if (!isTileLayerKind(layer.kind) || !layer.visible) continue;
    const LayerView view = pass.viewOf(layer);
    const CellRange range = visibleCells(layer, view);
    const int group = tileGroupOf(layer);
    for (int y = range.firstY; y < range.endY; ++y) {
      for (int x = range.firstX; x < range.endX; ++x) {
        const BudgetKey key = budgetKey(layer.cell(x, y));
        if (counts.tileUses(key, group) == 1) {
          glColor4f(1.0f, 0.0f, 1.0f, 0.4f);
        } else if (counts.paletteUses(key) == 1) {
          glColor4f(0.0f, 0.9f, 1.0f, 0.4f);
        } else {
          continue;
        }
        float x0, y0, x1, y1;
        cellRect(view, x, y, x0, y0, x1, y1);
        fillRect(x0, y0, x1, y1);
      }
    }
  }
}

void drawMarkedCells(const MapPass& pass) {
  glColor4f(1.0f, 0.1f, 0.1f, 1.0f);
  for (const CellAtFault& cell : pass.state.markedCells) {
    if (!pass.project.contains(cell.layer) || !cell.layer->contains(cell.x, cell.y)) continue;
    float x0, y0, x1, y1;
    cellRect(pass.viewOf(*cell.layer), cell.x, cell.y, x0, y0, x1, y1);
    rectLoop(x0, y0, x1, y1, 2);
  }
}

}  // namespace qarto
