#include "render/tile/tile_view_renderer.h"

#include <algorithm>

#include "edit/state/engine_state.h"
#include "edit/tile_view/tile_view_layout.h"
#include "edit/view/view_geometry.h"
#include "model/project/editor_session.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"
#include "render/cell_outline.h"
#include "render/frame_input.h"
#include "render/gl/gl_api.h"
#include "render/gl/gl_draw.h"
#include "render/tile/tab_strip.h"

namespace qarto {

namespace {

constexpr float kPageTop = static_cast<float>(kTabStripHeight);

void drawPage(const Tileset& page, float zoom) {
  if (!page.textureReady) return;
  blendSourceAlpha();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, page.textureName);
  GLint textureWidth = 0;
  GLint textureHeight = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &textureWidth);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &textureHeight);
  if (textureWidth <= 0 || textureHeight <= 0) return;
  // Only the page: the transparent margin of the padded texture stays out.
  glBegin(GL_QUADS);
  texturedQuad(0.0f, kPageTop, static_cast<float>(page.imageWidth) * zoom,
               kPageTop + static_cast<float>(page.imageHeight) * zoom, 0.0f, 0.0f,
               static_cast<float>(page.imageWidth) / static_cast<float>(textureWidth),
               static_cast<float>(page.imageHeight) / static_cast<float>(textureHeight));
  glEnd();
  glDisable(GL_TEXTURE_2D);
}

void drawPageGrid(const Tileset& page, float zoom, const ViewColor& colour, bool translucent) {
  setColor(colour, translucent ? 63 : 255);
  const float bottom = kPageTop + static_cast<float>(page.imageHeight) * zoom;
  const float right = static_cast<float>(page.imageWidth) * zoom;
  for (int k = 0; k <= page.imageWidth; k += kTileSide) {
    verticalLine(static_cast<float>(k) * zoom, kPageTop, bottom, 1);
  }
  for (int k = 0; k <= page.imageHeight; k += kTileSide) {
    horizontalLine(0.0f, right, kPageTop + static_cast<float>(k) * zoom, 1);
  }
}

}  // namespace

void TileViewRenderer::draw(const FrameInput& input, DrawStats& /*stats*/) {
  const EngineState& state = *input.state;
  const ViewColors& colors = *input.colors;
  const int width = state.view.clientWidth;
  const int height = state.view.clientHeight;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(0.0, width, height, 0.0);

  const float zoom = state.view.tileZoom;
  const Tileset* page = state.session.registry().find(state.project().currentTilesetId);
  if (page != nullptr) drawPage(*page, zoom);
  glDisable(GL_TEXTURE_2D);
  if (page != nullptr && state.project().showTileGrid) drawPageGrid(*page, zoom, colors.tileGrid, state.view.tileGridAlpha);

  drawTabStrip(input, font_);

  const float cell = 8.0f * zoom;
  glDisable(GL_TEXTURE_2D);
  blendSourceAlpha();
  if (const Brush* brush = state.brushes.forTileset(state.project().currentTilesetId)) {
    setColor(colors.tileSelection, 127);
    drawOutline(outlineEdges(*brush), 0.0f, kPageTop, cell, zoom >= 2.0f ? 2 : 1);
  }
  // Validate Tileset's faulty tiles of this page, framed in red.
  if (const auto marks = page != nullptr ? state.faultyTiles.find(page->id) : state.faultyTiles.end();
      marks != state.faultyTiles.end() && page->imageWidth >= kTileSide) {
    const int perRow = page->imageWidth / kTileSide;
    glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
    for (int tile : marks->second) {
      const float x0 = cell * static_cast<float>(tile % perRow);
      const float y0 = cell * static_cast<float>(tile / perRow) + kPageTop;
      rectLoop(x0, y0, x0 + cell, y0 + cell, zoom >= 2.0f ? 2 : 1);
    }
  }
  if (!input.showCursor || page == nullptr) return;
  const ToolState& tools = state.tools;
  const TileViewState& hover = state.tileView;
  if (tools.rectangleStarted) {
    const CellPoint a = tools.rectangleStart;
    const CellPoint b = hover.overPage && hover.hoverTile ? *hover.hoverTile : a;
    setColor(colors.tileDrawSelection, 127);
    rectLoop(static_cast<float>(std::min(a.x, b.x)) * cell, kPageTop + static_cast<float>(std::min(a.y, b.y)) * cell,
             static_cast<float>(std::max(a.x, b.x) + 1) * cell,
             kPageTop + static_cast<float>(std::max(a.y, b.y) + 1) * cell, 1);
  }
  if (hover.overPage && hover.hoverTile) {
    glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
    const auto x0 = static_cast<float>(truncToInt(cell * static_cast<float>(hover.hoverTile->x)));
    const float y0 = static_cast<float>(truncToInt(cell * static_cast<float>(hover.hoverTile->y))) + kPageTop;
    rectLoop(x0, y0, x0 + cell, y0 + cell, 1);
  }
}

}  // namespace qarto
