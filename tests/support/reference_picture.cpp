#include "support/reference_picture.h"

#include <cmath>
#include <stdexcept>

#include "model/project/map_project.h"
#include "model/settings/view_colors.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto::test {

namespace {

long long floorDiv(long long a, long long b) {
  long long q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

struct Tint {
  double r = 1, g = 1, b = 1, a = 1;
};

Tint tintOf(const MapLayer& layer, const ViewColors& colors) {
  Tint t;
  if (layer.kind == LayerKind::Collision) {
    t.r = colors.collisionTile.r / 255.0;
    t.g = colors.collisionTile.g / 255.0;
    t.b = colors.collisionTile.b / 255.0;
    t.a = layer.alpha ? static_cast<int>(colors.collisionLayerAlphaLevel * 15.9) / 255.0 : 1.0;
  } else if (layer.alpha) {
    t.a = colors.layerAlphaLevel * 0.06666;
  }
  return t;
}

}  // namespace

std::vector<std::uint8_t> referenceLayers(const MapProject& project, const TilesetRegistry& registry,
                                          const ViewColors& colors, const ReferenceView& view) {
  const double side = 8.0 * view.zoom;
  const auto cell = static_cast<long long>(side);
  if (static_cast<double>(cell) != side || cell <= 0) throw std::invalid_argument("the cell side must be whole");
  std::vector<double> rgb(static_cast<std::size_t>(view.width) * view.height * 3);
  for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = view.clear[i % 3];

  for (const auto& owned : project.layers()) {
    const MapLayer& layer = *owned;
    if (!layer.visible || layer.isEntityLayer()) continue;
    const Tint tint = tintOf(layer, colors);
    // The whole-pixel shift of the layer: cell x starts at x * side + floor(-offset).
    const auto shiftX = static_cast<long long>(std::floor(-(static_cast<float>(view.scrollX) * layer.parallaxX)));
    const auto shiftY = static_cast<long long>(std::floor(-(static_cast<float>(view.scrollY) * layer.parallaxY)));
    for (int wy = 0; wy < view.height; ++wy) {
      const long long relY = wy - view.originY - shiftY;
      const long long cy = floorDiv(relY, cell);
      if (cy < 0 || cy >= layer.height) continue;
      const auto texelY = static_cast<int>(((relY - cy * cell) * 2 + 1) * 8 / (2 * cell));
      for (int wx = 0; wx < view.width; ++wx) {
        const long long relX = wx - view.originX - shiftX;
        const long long cx = floorDiv(relX, cell);
        if (cx < 0 || cx >= layer.width) continue;
        const MapCell& c = layer.cell(static_cast<int>(cx), static_cast<int>(cy));
        const Tileset* page = registry.find(c.tileset);
        if (page == nullptr || c.tile < 0 || c.tile >= page->tileCount) continue;
        int tx = static_cast<int>(((relX - cx * cell) * 2 + 1) * 8 / (2 * cell));
        int ty = texelY;
        if (c.flags & kCellHFlip) tx = 7 - tx;
        if (c.flags & kCellVFlip) ty = 7 - ty;
        const int perRow = page->imageWidth / 8;
        const int px = (c.tile % perRow) * 8 + tx;
        const int py = (c.tile / perRow) * 8 + ty;
        const std::uint8_t index = page->pixels[static_cast<std::size_t>(py) * page->imageWidth + px];
        if (index % 16 == 0) continue;
        double* out = &rgb[(static_cast<std::size_t>(wy) * view.width + wx) * 3];
        const double tinted[3] = {page->palette[index * 3u] * tint.r, page->palette[index * 3u + 1] * tint.g,
                                  page->palette[index * 3u + 2] * tint.b};
        // The frame buffer keeps whole bytes after every layer.
        for (int k = 0; k < 3; ++k) out[k] = std::round(tinted[k] * tint.a + out[k] * (1.0 - tint.a));
      }
    }
  }
  std::vector<std::uint8_t> bytes(rgb.size());
  for (std::size_t i = 0; i < rgb.size(); ++i) bytes[i] = static_cast<std::uint8_t>(std::lround(rgb[i]));
  return bytes;
}

}  // namespace qarto::test
