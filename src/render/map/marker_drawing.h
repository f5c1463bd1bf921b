#pragma once

namespace qarto {

struct MapLayer;
struct MapPass;

// The markers and damage types of a collision layer, where a cell is at
// least 8 pixels: a badge of half the cell's side in the marker's colour in
// the cell's top-left corner, one in the damage type's colour in its
// bottom-right corner, each with a black rim of one pixel.
void drawCollisionMarkers(const MapPass& pass, const MapLayer& layer);

// The smallest cell side, in pixels, that shows them.
inline constexpr float kMarkerMinCellSide = 8.0f;

}  // namespace qarto
