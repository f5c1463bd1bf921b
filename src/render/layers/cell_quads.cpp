#include "render/layers/cell_quads.h"

#include <utility>

#include "model/project/map_layer.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"
#include "render/draw_stats.h"
#include "render/gl/gl_api.h"
#include "render/gl/gl_draw.h"
#include "render/layers/hidden_cells.h"
#include "render/layers/layer_view.h"

namespace qarto {

bool tileCoords(const Tileset& page, int tile, bool hflip, bool vflip, TileCoords& out) {
  const int perRow = page.imageWidth / kTileSide;
  if (tile < 0 || tile >= page.tileCount || perRow <= 0) return false;
  const int row = tile / perRow;
  const int column = tile - row * perRow;
  out.u0 = static_cast<float>(column) * page.texStepS;
  out.v0 = static_cast<float>(row) * page.texStepT;
  out.u1 = out.u0 + page.texStepS;
  out.v1 = out.v0 + page.texStepT;
  if (hflip) std::swap(out.u0, out.u1);
  if (vflip) std::swap(out.v0, out.v1);
  return true;
}

void drawLayerCells(const MapLayer& layer, const LayerView& view, const TilesetRegistry& registry,
                    const HiddenCells& hidden, DrawStats& stats) {
  const CellRange range = visibleCells(layer, view);
  if (range.empty()) return;
  bool batchOpen = false;
  int previousId = 0x7FFFFFFF;
  const Tileset* page = nullptr;
  for (int y = range.firstY; y < range.endY; ++y) {
    const float top = view.edgeY(y);
    const float bottom = view.edgeY(y + 1);
    for (int x = range.firstX; x < range.endX; ++x) {
      const MapCell& cell = layer.cell(x, y);
      if (cell.tileset != previousId) {
        if (batchOpen) glEnd();
        batchOpen = false;
        previousId = cell.tileset;
        page = registry.find(cell.tileset);
        if (page != nullptr && page->textureReady) {
          glBindTexture(GL_TEXTURE_2D, page->textureName);
          ++stats.textureBinds;
          glBegin(GL_QUADS);
          batchOpen = true;
        } else {
          page = nullptr;
        }
      }
      if (page == nullptr) continue;
      if (!hidden.empty() && hidden.contains(x + static_cast<std::int64_t>(y) * layer.width)) continue;
      TileCoords t;
      if (!tileCoords(*page, cell.tile, cell.hflip(), cell.vflip(), t)) continue;
      texturedQuad(view.edgeX(x), top, view.edgeX(x + 1), bottom, t.u0, t.v0, t.u1, t.v1);
      ++stats.cellQuads;
    }
  }
  if (batchOpen) glEnd();
}

}  // namespace qarto
