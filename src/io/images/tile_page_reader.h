#pragma once

#include <string>

#include "model/tileset/indexed_image.h"

namespace qarto {

struct Tileset;

// Reads the page named by tileset.sourcePath, choosing the reader by its
// extension ("bmp", "pcx" or "png", case-sensitive), computes the tileset geometry,
// attaches a matching .cll beside it and builds the display image. On failure
// `message` holds the reader's text.
bool readTilePage(Tileset& tileset, DisplayImage& display, std::string& message);

}  // namespace qarto
