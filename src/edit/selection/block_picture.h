#pragma once

#include "edit/selection/cell_block.h"
#include "model/tileset/indexed_image.h"

namespace qarto {

class TilesetRegistry;

// The block as other programs see it on the clipboard: 8x8 pixels a cell,
// the layers laid over each other bottom first in their pages' colours;
// colour 0 of every 16-colour row and cells without a page stay
// transparent.
DisplayImage blockPicture(const CellBlock& block, const TilesetRegistry& registry);

}  // namespace qarto
