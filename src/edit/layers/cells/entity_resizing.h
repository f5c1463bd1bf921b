#pragma once

#include <cstdint>
#include <vector>

#include "edit/layers/cells/layer_resizing.h"

namespace qarto {

// An entity block resized with its map: each entity in use moves with the
// cells around it (by the anchor's offset, or scaled along a stretched
// axis), and one that then lies outside the new size goes to the nearest
// pixel inside it. Returns how many had to be moved inside.
int resizeEntityBlock(std::vector<std::uint8_t>& block, int oldWidth, int oldHeight, int newWidth, int newHeight,
                      const ResizeLayout& layout);

}  // namespace qarto
