#pragma once

#include <cstdint>
#include <vector>

#include "viewer_views.h"

namespace qarto {
class TilesetRegistry;
}

namespace qarto::gba {

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
