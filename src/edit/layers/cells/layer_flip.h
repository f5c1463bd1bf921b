#pragma once

namespace qarto {

class CollisionFlipTables;
class EditorSession;
struct MapLayer;

// Mirrors a layer in place, left-right (horizontal) or top-bottom: the cells
// change places and every cell (the middle column or row of an odd size
// too) gets its flip bit toggled, or on a collision layer its mirrored
// collision tile from `tables`. On an entity layer every entity in use is
// mirrored instead: x := width x 8 - x with its facing turned round, or
// y := height x 8 - y. A layer whose cells do not match its size is left
// alone.
void flipLayer(MapLayer& layer, bool horizontal, const CollisionFlipTables& tables);

// Horizontally / Vertically Flip Layer on the active layer, marking the
// project modified. Undo of a tile or entity layer flips again; a collision
// layer keeps its former cells for undo instead, because its mirrored tiles
// do not always mirror back to the tile they came from. Nothing without an
// active layer.
void flipActiveLayer(EditorSession& session, bool horizontal, const CollisionFlipTables& tables);

}  // namespace qarto
