#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "edit/view/view_geometry.h"

namespace qarto {

struct Tileset;
class TilesetRegistry;

// The tab strip fills window rows 0 to 32; the page starts at row 33.
inline constexpr int kTabStripHeight = 33;
inline constexpr int kTabSpacing = 14;   // a tab is its label width plus this
inline constexpr int kTabHitExtra = 11;  // the hit area ends this far past the label

// One tab of the strip, in registry (id) order.
struct TabLayout {
  std::int32_t tilesetId = 0;
  int left = 0;
  int labelWidth = 0;

  int width() const { return labelWidth + kTabSpacing; }
  // Strictly inside: left < x < left + label + 11 and 0 < y < 32.
  bool hit(ViewPoint p) const { return p.x > left && p.x < left + labelWidth + kTabHitExtra && p.y > 0 && p.y < 32; }
};

// Tabs left to right, each as wide as its page's measured label plus 14.
std::vector<TabLayout> layoutTabs(const TilesetRegistry& registry);

// The tile of `page` under a window point at the tile-view zoom, clamped to
// the page.
CellPoint tileUnderPoint(const Tileset& page, float zoom, ViewPoint point);

// Whether a window point lies over the drawn page (strictly inside).
bool pointOverPage(const Tileset& page, float zoom, ViewPoint point);

// What the tile view keeps about the mouse, recomputed on every move, zoom
// change, page change and view switch.
struct TileViewState {
  bool overPage = false;
  bool overTab = false;
  std::int32_t tabTilesetId = 0;
  std::optional<CellPoint> hoverTile;  // only over a registered page
  int contentWidth = 0;   // the largest page width x zoom, at least the tab strip
  int contentHeight = 0;  // the largest page height x zoom, plus 33
};

}  // namespace qarto
