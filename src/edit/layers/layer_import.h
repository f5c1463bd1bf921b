#pragma once

namespace qarto {

class EditorSession;
struct MapLayer;

// Import .BMP as Layer: asks for an image in the tileset folder, loads it
// as a new tile page exactly as Open Tilesets does (its messages included),
// and adds a secondary layer "BMP_tilepage" of one cell per tile, parallax
// 1.0, that shows the page as it is. The add-layer core records the undo
// entry (undo removes the layer; the page stays loaded) and marks the
// project modified. In un-optimized mode a second tile page is refused as
// Open Tilesets refuses it. Returns the new layer, or nullptr when the user
// cancelled or something failed (the user has been told).
MapLayer* importImageAsLayer(EditorSession& session);

}  // namespace qarto
