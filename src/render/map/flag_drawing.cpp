#include "render/map/flag_drawing.h"

#include "model/project/map_layer.h"
#include "render/draw_stats.h"
#include "render/frame_input.h"
#include "render/gl/builtin_textures.h"
#include "render/gl/gl_api.h"
#include "render/gl/gl_draw.h"
#include "render/layers/layer_view.h"
#include "render/map/map_pass.h"
#include "render/map/scaled_flag_icons.h"

namespace qarto {

namespace {

constexpr std::size_t kMaxFlagIcons = 16;

}  // namespace

void drawFlagIcons(const MapPass& pass, const MapLayer& layer, ScaledFlagIcons& scaled) {
  const LayerView view = pass.viewOf(layer);
  const CellRange range = visibleCells(layer, view);
  if (range.empty() || pass.input.flagIcons.empty()) return;
  // Cells of a whole number of pixels (every zoom step) take the icons at
  // their own size, one texel per pixel.
  const int side = static_cast<int>(view.cell);
  const bool wholeCells = static_cast<float>(side) == view.cell && side > 0;
  glEnable(GL_TEXTURE_2D);
  for (int y = range.firstY; y < range.endY; ++y) {
    for (int x = range.firstX; x < range.endX; ++x) {
      const std::uint16_t word = layer.cell(x, y).collision;
      if (word == 0) continue;
      std::size_t index = 0;
      for (const FlagIcon& flag : pass.input.flagIcons) {
        if (!flag.inUse || index++ >= kMaxFlagIcons) break;
        if (flag.bit < 0 || flag.bit > 15 || (word & (1u << flag.bit)) == 0) continue;
        float extent = 1.0f;
        const std::uint32_t texture =
            wholeCells ? scaled.texture(flag.icon, side, extent) : pass.builtins.flagIcon(flag.icon);
        if (texture == 0) continue;
        setColor(flag.tint);
        glBindTexture(GL_TEXTURE_2D, texture);
        glBegin(GL_QUADS);
        texturedQuad(view.edgeX(x), view.edgeY(y), view.edgeX(x + 1), view.edgeY(y + 1), 0.0f, 0.0f, extent, extent);
        glEnd();
        ++pass.stats.flagQuads;
      }
    }
  }
}

}  // namespace qarto
