#pragma once

#include <vector>

#include "edit/selection/cell_block.h"
#include "edit/view/view_geometry.h"

namespace qarto {

struct EngineState;
struct MapLayer;

// Cut, Copy, Paste, Delete and Select All on the map's rectangle selection
// (EngineState::selection). Every change of cells is one undo step and
// marks the map modified; hidden and locked layers are never written.

inline constexpr const char* kRegionLayersClosedMessage =
    "The selected cells lie only on hidden or locked layers. Show and unlock a layer to change it.";
inline constexpr const char* kPasteMissingPageMessage =
    "The copied cells use the tile page \"%s\", which this map does not have. Load that page first.";
inline constexpr const char* kPasteNoFitMessage =
    "The copied cells fit none of the layers they would go on: collision cells go on a collision layer, tiles on a "
    "tile layer.";
inline constexpr const char* kClipboardUnreadableMessage = "The clipboard's cells are damaged and cannot be pasted.";

// The layers the selection acts on, bottom first: the active layer (not an
// entity layer), or every tile layer.
std::vector<MapLayer*> regionLayers(const EngineState& state);

// The Select tool's drag, in cells of the active layer.
void beginRegionDrag(EngineState& state, CellPoint cell);
void dragRegion(EngineState& state, CellPoint cell);
// Selects the rectangle spanned by two cells, clipped to the active layer;
// nothing when it misses the layer.
void selectRegion(EngineState& state, CellPoint a, CellPoint b);
void selectAll(EngineState& state);

// The selected cells of the region's layers, with the pages they use.
CellBlock copyRegion(const EngineState& state);
// Copy puts the block and its picture on the clipboard.
void copySelection(EngineState& state);
// Cut is Copy, then Delete: the cells become empty (a tile layer's first
// blank tile), one undo step. False when refused (with its message).
bool cutSelection(EngineState& state);
bool deleteSelection(EngineState& state);

// Paste: the clipboard's cells, their pages matched by name in this map,
// start following the mouse. False when refused (with its message).
bool startPaste(EngineState& state);
// Lays the floating cells with their top-left at `cell` of the active
// layer; they become the selection.
bool placePaste(EngineState& state, CellPoint cell);
void cancelPaste(EngineState& state);

// The floating cells for the active layer (empty when none fit it).
const CellBlock::Layer* floatingLayerFor(const EngineState& state, const MapLayer& layer);

}  // namespace qarto
