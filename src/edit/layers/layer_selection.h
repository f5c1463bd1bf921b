#pragma once

namespace qarto {

class EditorSession;

// Choosing the active layer and the view flags of layers. Each does nothing
// without an active layer. None of them marks the project modified: they
// change how the map is shown, not what it holds.

// Next Layer (PageDown): the layer beneath becomes active; from the bottom
// layer the choice wraps round to the top.
void selectNextLayer(EditorSession& session);
// Previous Layer (PageUp): the layer above; from the top wraps to the bottom.
void selectPreviousLayer(EditorSession& session);

// Toggle Layer Visibility, Alpha and Locking of the active layer.
void toggleActiveLayerVisible(EditorSession& session);
void toggleActiveLayerAlpha(EditorSession& session);
void toggleActiveLayerLocked(EditorSession& session);

// Solo Active Layer (F10): only the active layer stays visible.
void soloActiveLayer(EditorSession& session);
// Show All Layers (F11): every layer visible. Needs no active layer.
void showAllLayers(EditorSession& session);

}  // namespace qarto
