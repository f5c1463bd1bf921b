#include "render/map/map_decorations.h"

#include <algorithm>

#include "edit/state/engine_state.h"
#include "edit/tools/tool_state.h"
#include "edit/view/view_geometry.h"
#include "model/project/map_layer.h"
#include "model/project/map_project.h"
#include "model/settings/view_colors.h"
#include "render/gl/gl_api.h"
#include "render/gl/gl_draw.h"
#include "render/layers/layer_view.h"
#include "render/map/map_pass.h"

namespace qarto {

namespace {

// Grid lines every `step` cells, `width` pixels thick, only those that
// reach into the window.
void gridLines(const MapPass& pass, const LayerView& view, const MapLayer& layer, int stepX, int stepY, int width) {
  const float top = -view.oy;
  const float bottom = static_cast<float>(layer.height) * view.cell - view.oy;
  const float left = -view.ox;
  const float right = static_cast<float>(layer.width) * view.cell - view.ox;
  const float windowLeft = static_cast<float>(-pass.originX - width);
  const float windowRight = static_cast<float>(pass.windowWidth - pass.originX + width);
  const float windowTop = static_cast<float>(-pass.originY - width);
  const float windowBottom = static_cast<float>(pass.windowHeight - pass.originY + width);
  for (int i = 0; i <= layer.width; i += stepX) {
    const float x = static_cast<float>(i) * view.cell - view.ox;
    if (x >= windowLeft && x <= windowRight) verticalLine(x, top, bottom, width);
  }
  for (int j = 0; j <= layer.height; j += stepY) {
    const float y = static_cast<float>(j) * view.cell - view.oy;
    if (y >= windowTop && y <= windowBottom) horizontalLine(left, right, y, width);
  }
}

}  // namespace

void drawLayerBounds(const MapPass& pass) {
  glColor4f(1.0f, 0.0f, 0.0f, 0.4f);
  for (const auto& layer : pass.project.layers()) {
    const LayerView view = pass.viewOf(*layer);
    rectLoop(-view.ox, -view.oy, static_cast<float>(layer->width) * view.cell - view.ox,
             static_cast<float>(layer->height) * view.cell - view.oy, 2);
  }
}

void drawGrid(const MapPass& pass, const MapLayer& active) {
  const LayerView view = pass.viewOf(active);
  const ViewColor colour = pass.colors.mapGrid;
  const bool alpha = pass.state.view.mapGridAlpha;
  setColor(colour, alpha ? 63 : 255);
  gridLines(pass, view, active, 1, 1, 1);
  if (!alpha) return;
  setColor(colour, 51);
  gridLines(pass, view, active, 15, 10, 1);
  setColor(colour, 76);
  gridLines(pass, view, active, 30, 20, 3);
}

void drawCursorBox(const MapPass& pass, const MapLayer& active) {
  const ToolState& tools = pass.state.tools;
  ViewPoint mouse = pass.state.view.mouse;
  if (tools.tool == ToolKind::FlagPaint) mouse = lockedPoint(tools, mouse);
  const MapGeometry geometry{pass.zoom, pass.state.view.scrollX, pass.state.view.scrollY, pass.originX, pass.originY};
  const CellPoint cell = cellUnderPoint(geometry, active.parallaxX, active.parallaxY, mouse);
  const LayerView view = pass.viewOf(active);
  const auto ox = static_cast<float>(truncToInt(view.ox));
  const auto oy = static_cast<float>(truncToInt(view.oy));
  const auto x0 = static_cast<float>(truncToInt(static_cast<float>(cell.x) * view.cell)) - ox;
  const auto y0 = static_cast<float>(truncToInt(static_cast<float>(cell.y) * view.cell)) - oy;
  const auto x1 = static_cast<float>(truncToInt(static_cast<float>(cell.x + 1) * view.cell)) - ox;
  const auto y1 = static_cast<float>(truncToInt(static_cast<float>(cell.y + 1) * view.cell)) - oy;
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  rectLoop(x0, y0, x1, y1, 1);
}

void drawSelectionRectangle(const MapPass& pass, const MapLayer& active) {
  const ToolState& tools = pass.state.tools;
  const MapGeometry geometry{pass.zoom, pass.state.view.scrollX, pass.state.view.scrollY, pass.originX, pass.originY};
  const CellPoint a = cellUnderPoint(geometry, active.parallaxX, active.parallaxY, pass.state.view.mouse);
  const CellPoint b = tools.rectangleStart;
  const LayerView view = pass.viewOf(active);
  const auto corner = [&](int cell, float offset) {
    return static_cast<float>(truncToInt(static_cast<float>(cell) * view.cell) - truncToInt(offset));
  };
  setColor(pass.colors.mapDrawSelection, 127);
  rectLoop(corner(std::min(a.x, b.x), view.ox), corner(std::min(a.y, b.y), view.oy),
           corner(std::max(a.x, b.x) + 1, view.ox), corner(std::max(a.y, b.y) + 1, view.oy), 2);
}

void drawFrameMask(const MapPass& pass) {
  const float zoom = pass.zoom;
  const float frameRight = static_cast<float>(pass.project.screenWidth) * zoom;
  const float frameBottom = static_cast<float>(pass.project.screenHeight) * zoom;
  const auto windowRight = static_cast<float>(pass.windowWidth);
  const auto windowBottom = static_cast<float>(pass.windowHeight);
  const auto left = static_cast<float>(-pass.originX);
  const auto top = static_cast<float>(-pass.originY);
  blendSourceAlpha();
  glColor4f(0.1f, 0.1f, 0.1f, 0.92f);
  fillRect(frameRight, top, std::max(frameRight, windowRight), windowBottom);
  fillRect(left, frameBottom, frameRight, std::max(frameBottom, windowBottom));
  if (pass.state.view.centeredView) {
    fillRect(left, top, 0.0f, frameBottom);
    fillRect(0.0f, top, frameRight, 0.0f);
  }
  blendReplace();
  glColor4f(0.2f, 0.2f, 0.2f, 1.0f);
  rectLoop(0.0f, 0.0f, frameRight, frameBottom, 1);
}

}  // namespace qarto
