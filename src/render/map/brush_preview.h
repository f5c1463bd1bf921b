#pragma once

namespace qarto {

struct MapLayer;
struct MapPass;
struct StrokePlan;

// The brush preview: one quad per planned cell at its place on the active
// layer, even outside the layer. Textured, each placement shows its tile
// (flipped as it would be written; on a collision layer the plan already
// holds the mirrored collision tile); placements whose page is gone or
// whose tile lies outside it are left out. Untextured (the warning), every
// placement is a solid quad of the current colour.
void drawBrushPreview(const MapPass& pass, const MapLayer& active, const StrokePlan& plan, bool textured);

}  // namespace qarto
