#pragma once

namespace qarto {

struct MapLayer;
struct MapPass;

// The selected cells and a paste following the mouse, each outlined on the
// active layer by dashes that march with the selection's phase: black and
// white, so the outline shows on any tiles.
void drawRegionOutlines(const MapPass& pass, const MapLayer& active);

}  // namespace qarto
