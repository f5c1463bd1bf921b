#pragma once

#include <string>

#include "model/platform_services.h"
#include "model/project/map_cell.h"

namespace qarto {

class EditorSession;
class MapProject;
struct MapLayer;

// Shared by the layer operations.

// Tells the layer bar that the list changed and which layer is active.
void notifyLayersChanged(MapProject& project);

// A message box captioned with the application title.
MessageAnswer showLayerMessage(EditorSession& session, const std::string& text, MessageIcon icon,
                               MessageButtons buttons = MessageButtons::Ok);

// The fields a layer operation carries from one cell to another: tile,
// tileset id, palette row, flip bits 0 to 2 and the collision word. The
// target keeps its other flag bits and its reserved byte.
inline void copyCellContent(MapCell& target, const MapCell& source) {
  target.tile = source.tile;
  target.tileset = source.tileset;
  target.palette = source.palette;
  target.collision = source.collision;
  target.flags = static_cast<std::uint8_t>((target.flags & ~kCellFlagBits) | (source.flags & kCellFlagBits));
}

// True when the layer's cell array really holds width x height cells; a
// layer that breaks this is left alone rather than indexed past its end.
bool hasFullCells(const MapLayer& layer);

// What an emptied cell holds: on tile layers the first blank tile of the
// first normal page, as a new layer gets it, so that every cell has a page
// and the export writes it; elsewhere the zero cell. False when
// un-optimized mode needs a page and there is none.
bool clearedCell(EditorSession& session, const MapLayer& layer, MapCell& cell);

}  // namespace qarto
