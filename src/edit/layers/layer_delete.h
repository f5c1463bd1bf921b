#pragma once

namespace qarto {

class EditorSession;

// Delete Active Layer. Without an active layer, or on the primary layer, the
// user is told why nothing happens. Otherwise the layer goes into an undo
// entry that can put it back, the bottom layer becomes active, the entity
// selection is cleared and the project is marked modified. No question is
// asked: undo brings the layer back. True when a layer was deleted.
bool deleteActiveLayer(EditorSession& session);

}  // namespace qarto
