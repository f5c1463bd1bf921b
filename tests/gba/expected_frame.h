#pragma once

#include <cstdint>
#include <vector>

#include "model/project/map_layer.h"

namespace qarto {
class MapProject;
class TilesetRegistry;
}  // namespace qarto

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

// The layers the player shows (Primary and Secondary), bottom first, as it
// puts them on backgrounds 0, 1, ...
std::vector<const MapLayer*> tileLayers(const MapProject& project);

// The layer scrolls for the player's camera: camera x parallax per layer,
// rounded down.
ViewerView viewAtCamera(const std::vector<const MapLayer*>& layers, int cameraX, int cameraY);

// A screen picture: 240 x 160 pixels, rows from the top, each 0x00BBGGRR
// with 8 bits per channel.
using Frame = std::vector<std::uint32_t>;

// What the GBA shows for a 24-bit palette colour: each channel cut to 5
// bits as the export does, then widened to 8 bits as the display does.
std::uint32_t screenColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// The picture one view of the map should give, worked out from the cells and
// their tile pages alone: tile page pixels, palette rows, flips, the layer
// order and each layer's scroll. Colour 0 of every row lets the layer below
// through; where no layer has a colour the backdrop shows, which is colour 0
// of the row the bottom layer's first cell uses.
Frame expectedFrame(const TilesetRegistry& registry, const std::vector<const MapLayer*>& layers,
                    const ViewerView& view);

}  // namespace qarto::gba
