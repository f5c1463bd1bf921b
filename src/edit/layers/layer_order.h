#pragma once

namespace qarto {

class EditorSession;

// Shuffle Layer Up (Shift+PageUp) and Down (Shift+PageDown): the active layer
// changes place with its neighbour above (below). An undo entry restoring
// the order is recorded first; the active layer stays the same layer. On the
// top (bottom) layer, or without an active layer, nothing happens. False
// when nothing moved.
bool shuffleActiveLayerUp(EditorSession& session);
bool shuffleActiveLayerDown(EditorSession& session);

}  // namespace qarto
