#include "edit/view/cells_shown.h"

#include <algorithm>

#include "edit/state/engine_state.h"
#include "model/project/map_project.h"

namespace qarto {

void showCellsAtFault(EngineState& state, const CellsAtFault& found) {
  state.markedCells = found.cells;
  state.redraw();
  if (found.cells.empty()) return;
  const CellAtFault& first = found.cells.front();
  MapProject& project = state.project();
  const int index = project.indexOf(first.layer);
  if (index < 0) return;
  project.setActiveLayer(project.layerAt(index));
  // The selection spans the first layer's cells at fault, ready to be cut or repainted.
  CellRect span = CellRect::spanning({first.x, first.y}, {first.x, first.y});
  for (const CellAtFault& cell : found.cells) {
    if (cell.layer != first.layer) continue;
    span = CellRect::spanning({std::min(span.left, cell.x), std::min(span.top, cell.y)},
                              {std::max(span.right, cell.x), std::max(span.bottom, cell.y)});
  }
  state.selection.floating.reset();
  state.selection.rect = span;
  // The window point of the cell's middle is (cell x + 1/2) x cell size -
  // scroll x parallax + origin; the scroll puts it at the window's middle.
  const MapGeometry geometry = state.geometry();
  const float cell = 8.0f * geometry.zoom;
  auto scrollFor = [&](int at, float parallax, int client, int origin) {
    const float offset = (static_cast<float>(at) + 0.5f) * cell - static_cast<float>(client) * 0.5f +
                         static_cast<float>(origin);
    return parallax > 0.0f ? std::max(0, static_cast<int>(offset / parallax)) : 0;
  };
  state.view.scrollX = scrollFor(first.x, first.layer->parallaxX, state.view.clientWidth, geometry.originX);
  state.view.scrollY = scrollFor(first.y, first.layer->parallaxY, state.view.clientHeight, geometry.originY);
}

}  // namespace qarto
