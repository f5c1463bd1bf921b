#pragma once

#include "export/picture/picture_tiles.h"

namespace qarto {

struct ColourMergeResult {
  int merged = 0;         // colours that became another colour
  int largestChange = 0;  // the most any channel moved, in 5-bit steps
};

// Merges every colour into a more used one no more than `distance` steps
// away in any channel (the nearest such colour, by distance in RGB), the
// most used colours kept first. Colour 0 pixels stay as they are.
ColourMergeResult mergeCloseColours(ColourPicture& picture, int distance);

}  // namespace qarto
