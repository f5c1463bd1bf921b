#pragma once

#include <vector>

#include "model/map_layer.h"

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

// Camera positions over the primary layer a screen apart, then on to the far
// edge of every layer; each layer follows the camera by its parallax and
// stops at its own edges.
std::vector<ViewerView> coveringViews(const std::vector<const MapLayer*>& layers);

}  // namespace qarto::gba
