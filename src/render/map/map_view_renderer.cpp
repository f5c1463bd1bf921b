#include "render/map/map_view_renderer.h"

#include "edit/state/engine_state.h"
#include "edit/tools/stroke_plan.h"
#include "model/project/editor_session.h"
#include "model/project/map_project.h"
#include "model/settings/view_colors.h"
#include "render/cell_outline.h"
#include "render/draw_stats.h"
#include "render/frame_input.h"
#include "render/gl/bitmap_font.h"
#include "render/gl/gl_api.h"
#include "render/gl/gl_draw.h"
#include "render/layers/cell_quads.h"
#include "render/map/brush_preview.h"
#include "render/map/budget_marks.h"
#include "render/map/entity_drawing.h"
#include "render/map/flag_drawing.h"
#include "render/map/marker_drawing.h"
#include "render/map/map_decorations.h"
#include "render/map/map_pass.h"
#include "render/map/region_outline.h"

namespace qarto {

namespace {

constexpr const char* kEmptyProjectMessage = "Use the New Map Wizard (Ctrl+N) to create a workspace.";

bool layerShown(const MapPass& pass, const MapLayer& layer, const MapLayer* active) {
  const ToolState& tools = pass.state.tools;
  const bool isActive = &layer == active;
  switch (tools.autoHide) {
    case AutoHideMode::Always:
      // The active layer keeps its own visibility.
      return layer.visible && isActive;
    case AutoHideMode::DuringSelection:
      if (layer.visible && tools.tool == ToolKind::RubberStamp) return isActive || !tools.selecting;
      return layer.visible;
    case AutoHideMode::Never: break;
  }
  return layer.visible;
}

// The colour a layer's tiles are drawn with; true when it is opaque.
bool setLayerColour(const MapPass& pass, const MapLayer& layer) {
  if (layer.kind == LayerKind::Collision) {
    const std::uint8_t alpha = layer.alpha ? collisionLayerAlphaByte(pass.colors.collisionLayerAlphaLevel) : 255;
    setColor(pass.colors.collisionTile, alpha);
    return alpha == 255;
  }
  const float alpha = layer.alpha ? alphaLevelOpacity(pass.colors.layerAlphaLevel) : 1.0f;
  glColor4f(1.0f, 1.0f, 1.0f, alpha);
  return alpha >= 1.0f;
}

// Opaque layers: pages are fully opaque or fully transparent, so an alpha
// test gives what blending would, and spares reading the frame back.
void beginLayerFill(bool opaque) {
  if (opaque) {
    glDisable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
  }
}

void endLayerFill(bool opaque) {
  if (opaque) {
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
  }
}

}  // namespace

HiddenCells& MapViewRenderer::hiddenFor(std::size_t index) {
  while (hidden_.size() <= index) hidden_.push_back(std::make_unique<HiddenCells>());
  return *hidden_[index];
}

// The first `length` layers of run_: composed together when the path allows
// (a run of more than one holds only opaque layers), else cell by cell.
void MapViewRenderer::drawRun(MapPass& pass, std::size_t length, const TilesetRegistry& registry, DrawStats& stats) {
  run_.resize(length);
  const bool opaque = setLayerColour(pass, *run_.front().layer);
  glEnable(GL_TEXTURE_2D);
  beginLayerFill(opaque);
  // A part of the window is drawn cell by cell: the composed textures keep
  // what they were last brought up to.
  if (pass.clip != nullptr || path_ == LayerPath::Cells || !composed_.draw(run_, pages_, stats)) {
    for (const RunLayer& member : run_) drawLayerCells(*member.layer, member.view, registry, *member.hidden, stats);
  }
  endLayerFill(opaque);
}

LayerView MapPass::viewOf(const MapLayer& layer) const {
  if (clip != nullptr) {
    // The same cell edges (they depend on the offsets only), culled by the clip.
    return layerViewOf(layer, zoom, state.view.scrollX, state.view.scrollY, originX - clip->x0, originY - clip->y0,
                       clip->width(), clip->height());
  }
  return layerViewOf(layer, zoom, state.view.scrollX, state.view.scrollY, originX, originY, windowWidth,
                     windowHeight);
}

void MapViewRenderer::draw(const FrameInput& input, DrawStats& stats, const WindowRect* clip) {
  const EngineState& state = *input.state;
  const MapProject& project = state.project();
  const TilesetRegistry& registry = state.session.registry();
  const int width = state.view.clientWidth;
  const int height = state.view.clientHeight;

  glViewport(0, 0, width, height);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  if (!project.hasLayers()) {
    // A fresh top-left projection: nothing of an earlier frame may move it.
    gluOrtho2D(0.0, width, height, 0.0);
    glDisable(GL_TEXTURE_2D);
    blendReplace();
    glColor4f(0.0f, 0.2f, 1.0f, 1.0f);
    font_.drawText(20.0f, 30.0f, kEmptyProjectMessage, static_cast<float>(width) * 0.5f,
                   static_cast<float>(height) * 0.5f);
    if (clip == nullptr) composed_.endFrame(project);
    return;
  }

  const MapGeometry geometry = state.geometry();
  MapPass pass{input, state, project, registry, *input.colors, builtins_, stats};
  pass.zoom = geometry.zoom;
  pass.originX = geometry.originX;
  pass.originY = geometry.originY;
  pass.windowWidth = width;
  pass.windowHeight = height;
  pass.clip = clip;
  gluOrtho2D(-geometry.originX, width - geometry.originX, height - geometry.originY, -geometry.originY);
  blendSourceAlpha();
  glEnable(GL_TEXTURE_2D);
  pages_.sync(registry);

  const MapLayer* active = state.activeLayer();
  const ToolState& tools = state.tools;
  const StrokePlan* plan = input.preview;
  const bool warning = active != nullptr && plan != nullptr && !plan->compatible;
  const bool hidesCells = plan != nullptr && plan->compatible && !tools.selecting &&
                          tools.tool != ToolKind::FlagPaint && tools.tool != ToolKind::EntityPlacement;

  // Opaque tile layers with nothing drawn between them are composed into
  // one texture; the active layer closes its run (the preview and the
  // selections go on top of it).
  std::size_t runLength = 0;
  const auto flushRun = [&] {
    if (runLength == 0) return;
    drawRun(pass, runLength, registry, stats);
    runLength = 0;
  };

  for (const auto& owned : project.layers()) {
    const MapLayer& layer = *owned;
    const bool shown = layerShown(pass, layer, active);
    if (layer.isEntityLayer()) {
      if (shown) {
        flushRun();
        sprites_.sync(state.entityCatalogue);
        drawEntities(pass, layer, sprites_);
      }
    } else if (!shown) {
      if (layer.kind == LayerKind::Collision && (input.showFlags || state.view.showMarkers)) {
        flushRun();
        if (input.showFlags) drawFlagIcons(pass, layer, flagIcons_);
        if (state.view.showMarkers) drawCollisionMarkers(pass, layer);
      }
    } else {
      // Translucent and tinted (collision) layers are drawn on their own.
      const bool opaqueTiles = layer.kind != LayerKind::Collision && !layer.alpha;
      if (!opaqueTiles) flushRun();
      HiddenCells& hidden = hiddenFor(runLength);
      hidden.clear();
      if (hidesCells && &layer == active) hidden.addPlan(*plan, layer);
      if (hidesCells && &layer == input.autoPaintLayer && &layer != active) {
        hidden.addAutoPaint(*plan, layer, registry);
      }
      hidden.finish();
      run_.resize(runLength + 1);
      run_[runLength] = RunLayer{&layer, pass.viewOf(layer), &hidden};
      ++runLength;
      if (!opaqueTiles || &layer == active) flushRun();
      if (layer.kind == LayerKind::Collision && input.showFlags) drawFlagIcons(pass, layer, flagIcons_);
      if (layer.kind == LayerKind::Collision && state.view.showMarkers) drawCollisionMarkers(pass, layer);
    }

    if (&layer != active || tools.tool == ToolKind::EntityPlacement) continue;
    flushRun();  // the layers below come first, even when the active one is hidden
    // The brush preview and the selections of the active layer.
    if (plan != nullptr && !warning && !tools.selecting && tools.tool != ToolKind::FlagPaint) {
      if (layer.kind == LayerKind::Collision) {
        glColor4f(1.0f, 1.0f, 0.0f, layer.alpha ? 0.3f : 1.0f);
      } else if (tools.brushAlpha) {
        glColor4f(0.8f, 0.8f, 0.8f, alphaLevelOpacity(pass.colors.brushAlphaLevel));
      } else {
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
      }
      glEnable(GL_TEXTURE_2D);
      drawBrushPreview(pass, layer, *plan, true);
    }
    const bool stampSelection = tools.tool == ToolKind::RubberStamp && (tools.selecting || tools.rectangleStarted);
    if (stampSelection) {
      glDisable(GL_TEXTURE_2D);
      setColor(pass.colors.mapSelection, 127);
      const LayerView view = pass.viewOf(layer);
      drawOutline(outlineEdges(state.brushes.stamp()), -view.ox, -view.oy, view.cell, pass.zoom >= 2.0f ? 2 : 1);
      glEnable(GL_TEXTURE_2D);
    }
    if ((stampSelection || tools.tool == ToolKind::FlagPaint) && tools.rectangleStarted && input.showCursor) {
      glDisable(GL_TEXTURE_2D);
      drawSelectionRectangle(pass, layer);
      glEnable(GL_TEXTURE_2D);
    }
  }

  flushRun();
  if (clip == nullptr) composed_.endFrame(project);

  glDisable(GL_TEXTURE_2D);
  if (state.view.showLayerBounds) drawLayerBounds(pass);
  if (input.budget != nullptr) drawUsedOnceTint(pass, *input.budget);
  if (!state.markedCells.empty()) drawMarkedCells(pass);
  if (warning && tools.tool != ToolKind::FlagPaint) {
    setColor(pass.colors.brushWarning, 102);
    drawBrushPreview(pass, *active, *plan, false);
  }
  if (project.showMapGrid && active != nullptr) drawGrid(pass, *active);
  const bool cursorBox = (tools.tool == ToolKind::RubberStamp && (tools.selecting || tools.rectangleStarted)) ||
                         tools.tool == ToolKind::FlagPaint;
  if (cursorBox && active != nullptr && input.showCursor) drawCursorBox(pass, *active);
  if (active != nullptr && !active->isEntityLayer()) drawRegionOutlines(pass, *active);
  if (state.view.showFrameMask) drawFrameMask(pass);
}

}  // namespace qarto
