#include "render/map/region_outline.h"

#include <algorithm>

#include "edit/state/engine_state.h"
#include "model/project/map_layer.h"
#include "render/frame_input.h"
#include "render/gl/gl_api.h"
#include "render/gl/gl_draw.h"
#include "render/layers/layer_view.h"
#include "render/map/map_pass.h"

namespace qarto {

namespace {

constexpr int kDash = 4;  // pixels of each colour

// One edge from `from` to `to` along one axis at `across`, dashes starting
// `phase` pixels into the pattern.
void dashedEdge(float from, float to, float across, bool horizontal, int phase, int width) {
  const int into = ((phase % (2 * kDash)) + 2 * kDash) % (2 * kDash);
  for (float at = from - static_cast<float>(into); at < to; at += 2 * kDash) {
    const float start = std::max(at, from);
    const float end = std::min(at + kDash, to);
    if (end <= start) continue;
    if (horizontal) {
      fillRect(start, across, end, across + static_cast<float>(width));
    } else {
      fillRect(across, start, across + static_cast<float>(width), end);
    }
  }
}

void marchingRect(float x0, float y0, float x1, float y1, int phase, int width) {
  const auto w = static_cast<float>(width);
  glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
  rectLoop(x0, y0, x1, y1, width);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  dashedEdge(x0, x1, y0, true, phase, width);
  dashedEdge(x0, x1, y1 - w, true, -phase, width);
  dashedEdge(y0, y1, x0, false, -phase, width);
  dashedEdge(y0, y1, x1 - w, false, phase, width);
}

}  // namespace

void drawRegionOutlines(const MapPass& pass, const MapLayer& active) {
  const RegionSelection& selection = pass.state.selection;
  const LayerView view = pass.viewOf(active);
  const auto corner = [&](int cell, float offset) {
    return static_cast<float>(truncToInt(static_cast<float>(cell) * view.cell) - truncToInt(offset));
  };
  const int width = pass.zoom >= 2.0f ? 2 : 1;
  const int phase = selection.march;
  if (selection.rect) {
    const CellRect& r = *selection.rect;
    marchingRect(corner(r.left, view.ox), corner(r.top, view.oy), corner(r.right + 1, view.ox),
                 corner(r.bottom + 1, view.oy), phase, width);
  }
  if (selection.floating && pass.input.showCursor) {
    const CellPoint at = pass.state.cellAt(pass.state.view.mouse, &active);
    marchingRect(corner(at.x, view.ox), corner(at.y, view.oy), corner(at.x + selection.floating->width, view.ox),
                 corner(at.y + selection.floating->height, view.oy), phase, width);
  }
}

}  // namespace qarto
