#include "edit/tile_view/tile_view_layout.h"

#include <algorithm>

#include "edit/view/view_geometry.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

std::vector<TabLayout> layoutTabs(const TilesetRegistry& registry) {
  std::vector<TabLayout> tabs;
  tabs.reserve(registry.size());
  int x = 0;
  for (const auto& [id, page] : registry) {
    tabs.push_back({id, x, page->labelWidth});
    x += tabs.back().width();
  }
  return tabs;
}

CellPoint tileUnderPoint(const Tileset& page, float zoom, ViewPoint point) {
  const float side = zoom * 8.0f;
  const int columns = page.imageWidth / kTileSide;
  const int rows = page.imageHeight / kTileSide;
  const int column = truncToInt(static_cast<float>(point.x) / side);
  const int row = truncToInt(static_cast<float>(point.y - kTabStripHeight) / side);
  return {std::clamp(column, 0, std::max(columns - 1, 0)), std::clamp(row, 0, std::max(rows - 1, 0))};
}

bool pointOverPage(const Tileset& page, float zoom, ViewPoint point) {
  const int width = truncToInt(static_cast<float>(page.imageWidth) * zoom);
  const int height = truncToInt(static_cast<float>(page.imageHeight) * zoom);
  return point.x > 0 && point.x < width && point.y > kTabStripHeight && point.y < height + kTabStripHeight;
}

}  // namespace qarto
