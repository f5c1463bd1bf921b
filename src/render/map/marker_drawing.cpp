#include "render/map/marker_drawing.h"

#include "edit/collision/collision_kind_colors.h"
#include "edit/collision/collision_word.h"
#include "model/project/map_layer.h"
#include "render/draw_stats.h"
#include "render/gl/gl_api.h"
#include "render/layers/layer_view.h"
#include "render/map/map_pass.h"

namespace qarto {

namespace {

void badge(float left, float top, float side, ViewColor colour) {
  glColor4ub(0, 0, 0, 255);
  glVertex2f(left, top);
  glVertex2f(left + side, top);
  glVertex2f(left + side, top + side);
  glVertex2f(left, top + side);
  glColor4ub(colour.r, colour.g, colour.b, 255);
  glVertex2f(left + 1, top + 1);
  glVertex2f(left + side - 1, top + 1);
  glVertex2f(left + side - 1, top + side - 1);
  glVertex2f(left + 1, top + side - 1);
}

}  // namespace

void drawCollisionMarkers(const MapPass& pass, const MapLayer& layer) {
  const LayerView view = pass.viewOf(layer);
  if (view.cell < kMarkerMinCellSide) return;
  const CellRange range = visibleCells(layer, view);
  if (range.empty()) return;
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);
  for (int y = range.firstY; y < range.endY; ++y) {
    for (int x = range.firstX; x < range.endX; ++x) {
      const std::uint16_t word = layer.cell(x, y).collision;
      const int marker = markerIndex(word);
      const int damage = damageType(word);
      if (marker == 0 && damage == 0) continue;
      const float left = view.edgeX(x);
      const float top = view.edgeY(y);
      const float right = view.edgeX(x + 1);
      const float bottom = view.edgeY(y + 1);
      const float side = static_cast<float>(static_cast<int>((right - left) / 2));
      if (marker != 0) badge(left, top, side, markerColor(marker));
      if (damage != 0) badge(right - side, bottom - side, side, damageColor(damage));
      ++pass.stats.flagQuads;
    }
  }
  glEnd();
  glEnable(GL_TEXTURE_2D);
}

}  // namespace qarto
