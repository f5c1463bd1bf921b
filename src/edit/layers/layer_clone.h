#pragma once

namespace qarto {

class EditorSession;
struct MapLayer;

// Clone Layer: a copy of the active layer named "Clone of " and its name (at
// most 31 characters are kept), added at the bottom of the stack through the
// add-layer core, which records the undo entry and marks the project
// modified. It copies size, kind, parallax (1.0 for a clone of the primary
// layer, which becomes a secondary layer and the active one), the visible
// and alpha flags and every cell; a clone of an entity layer copies the
// entity block. Returns the clone, or nullptr when there was no active layer
// or the add was refused (the add-layer core has told the user why).
MapLayer* cloneActiveLayer(EditorSession& session);

}  // namespace qarto
