#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace qarto {
class MapProject;
class TilesetRegistry;
struct ViewColors;
}  // namespace qarto

namespace qarto::test {

// The view a reference picture is computed for. The cell side 8 x zoom
// must be a whole number of pixels.
struct ReferenceView {
  float zoom = 1.0f;
  int scrollX = 0;
  int scrollY = 0;
  int originX = 0;
  int originY = 0;
  int width = 0;
  int height = 0;
  std::array<std::uint8_t, 3> clear{0, 0, 0};
};

// What the map's layers look like, worked out from the model alone and
// independently of the renderer: each window pixel finds its cell and texel
// in every shown tile or collision layer from the bottom up (layer offset =
// scroll x parallax, cell edges floor(cell x side - offset)), takes the page
// index through the page palette, skips colour 0 of every 16-colour row,
// and blends with the layer's tint and opacity (collision tile colour,
// translucency levels) over what lies below. RGB bytes, rows from the top.
std::vector<std::uint8_t> referenceLayers(const MapProject& project, const TilesetRegistry& registry,
                                          const ViewColors& colors, const ReferenceView& view);

}  // namespace qarto::test
