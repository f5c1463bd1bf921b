#pragma once

#include <vector>

#include "model/project/map_layer.h"

namespace qarto {
class MapProject;
}

namespace qarto::gba {

inline constexpr int kScreenWidth = 240;
inline constexpr int kScreenHeight = 160;

// The top-left pixel of a layer that the screen's top-left shows.
struct LayerScroll {
  int x = 0;
  int y = 0;
};

// One screenful: a scroll per tile layer, bottom layer first.
using ViewerView = std::vector<LayerScroll>;

// The layers the export writes screen entries for (Primary and Secondary),
// bottom first, as the viewer puts them on backgrounds 0, 1, ...
std::vector<const MapLayer*> tileLayers(const MapProject& project);

// Views a screen apart up to the far edge of the largest layer; every layer
// scrolls as far as it can and then stays at its own edge, so that every cell
// of every layer is shown whole at least once.
std::vector<ViewerView> coveringViews(const std::vector<const MapLayer*>& layers);

}  // namespace qarto::gba
