#pragma once

#include "model/tileset/indexed_image.h"

namespace qarto {

// RGBA from the palette; alpha 0 for colour 0 of every 16-colour row.
// An empty image (rgba empty) when the buffer cannot be allocated.
DisplayImage makeDisplayImage(const IndexedImage& image);

}  // namespace qarto
