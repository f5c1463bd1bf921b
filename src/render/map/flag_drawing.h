#pragma once

namespace qarto {

struct MapLayer;
struct MapPass;
class ScaledFlagIcons;

// The flag icons of a collision layer: for every visible cell with a
// non-zero collision word, each flag icon whose bit is set, in list order,
// over the whole cell (later icons over earlier ones), at the cell's size.
void drawFlagIcons(const MapPass& pass, const MapLayer& layer, ScaledFlagIcons& scaled);

}  // namespace qarto
