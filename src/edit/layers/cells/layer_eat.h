#pragma once

namespace qarto {

class EditorSession;
struct MapLayer;

// The layer whose tiles decide what Eat Hidden Tiles clears: walking down
// from the top layer past collision and entity layers (neither hides a
// tile), the first other layer, unless the walk reaches `active` first.
// nullptr when there is none.
MapLayer* overlayingLayer(EditorSession& session, const MapLayer& active);

// Eat Hidden Tiles: every cell of the active layer that lies beneath a cell
// of the overlaying layer that hides it completely is cleared (all fields
// 0), as one undo step. Cells whose overlaying page is not registered stay.
// The project is marked modified when a cell changed. Told why when there
// is no overlaying layer of the same size (an entity layer has no cells to
// eat and gets the same message). Nothing without an active layer. True
// when the cells were eaten.
bool eatHiddenTiles(EditorSession& session);

}  // namespace qarto
