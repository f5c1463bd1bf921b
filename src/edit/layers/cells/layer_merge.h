#pragma once

namespace qarto {

class EditorSession;

// Merge Down: every blank cell of the active layer takes the cell beneath it
// in the nearest tile layer beneath (for a collision layer, the nearest
// collision layer beneath)
// (tile, tileset id, palette row, flips, collision word); the other cells
// stay. The changed cells form one undo step. Afterwards the layer beneath is
// hidden, not removed, and the project is marked modified.
//
// Refused with a message when there is no such layer beneath, the two differ
// in size, or the active layer is an entity layer. A cell whose tile page is not registered
// stops the merge with a message; what was merged until then stays, is
// undoable and marks the project modified. Nothing without an active layer.
void mergeActiveLayerDown(EditorSession& session);

}  // namespace qarto
