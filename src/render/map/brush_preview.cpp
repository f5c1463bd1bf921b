#include "render/map/brush_preview.h"

#include "edit/tools/stroke_plan.h"
#include "model/project/map_layer.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"
#include "render/draw_stats.h"
#include "render/gl/gl_api.h"
#include "render/gl/gl_draw.h"
#include "render/layers/cell_quads.h"
#include "render/map/map_pass.h"

namespace qarto {

void drawBrushPreview(const MapPass& pass, const MapLayer& active, const StrokePlan& plan, bool textured) {
  const LayerView view = pass.viewOf(active);
  bool batchOpen = false;
  std::int32_t previousId = -1;
  const Tileset* page = nullptr;
  for (const PlannedCell& cell : plan.cells) {
    const float x0 = view.edgeX(cell.x);
    const float y0 = view.edgeY(cell.y);
    const float x1 = view.edgeX(cell.x + 1);
    const float y1 = view.edgeY(cell.y + 1);
    if (!textured) {
      fillRect(x0, y0, x1, y1);
      ++pass.stats.previewQuads;
      continue;
    }
    if (cell.tilesetId != previousId || !batchOpen) {
      if (batchOpen) glEnd();
      batchOpen = false;
      previousId = cell.tilesetId;
      page = pass.registry.find(cell.tilesetId);
      if (page == nullptr || !page->textureReady) {
        page = nullptr;
        continue;
      }
      glBindTexture(GL_TEXTURE_2D, page->textureName);
      glBegin(GL_QUADS);
      batchOpen = true;
    }
    if (page == nullptr) continue;
    TileCoords t;
    const bool hflip = cell.writeFlips && cell.hflip;
    const bool vflip = cell.writeFlips && cell.vflip;
    if (!tileCoords(*page, cell.tile, hflip, vflip, t)) continue;
    texturedQuad(x0, y0, x1, y1, t.u0, t.v0, t.u1, t.v1);
    ++pass.stats.previewQuads;
  }
  if (batchOpen) glEnd();
}

}  // namespace qarto
