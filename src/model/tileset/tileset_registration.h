#pragma once

#include <memory>

#include "model/tileset/indexed_image.h"

namespace qarto {

class MapProject;
class TilesetHost;
struct Tileset;

inline constexpr const char* kTextureUploadFailedMessage =
    "Texture upload failed.  This can happen if your texture dimensions are not powers of 2 or if your video card "
    "does not have enough memory to accomodate the texture you are trying to load.\n\nMake sure your textures are "
    "valid sizes and/or close down other applications which might be using video memory.";
inline constexpr const char* kTexturesAllocationFailedMessage =
    "Textures allocation failed.\n\nThe application will continue, but you may not be able to load any additional "
    "textures.";

// Registers a tileset read from a page or a map file: texture upload, display
// name, id (lastTilesetId + 1 when it has none), registry entry, brush,
// label, the first-load fill of the layers and the current tileset. Returns
// the registered tileset, or nullptr when the upload failed (the message was
// shown and the tileset destroyed). The display image is consumed.
Tileset* registerTileset(MapProject& project, TilesetHost& host, std::unique_ptr<Tileset> tileset,
                         DisplayImage display);

}  // namespace qarto
