#pragma once

#include <string>

#include "model/tileset/indexed_image.h"

namespace qarto {

// Writes a tile page as an 8-bit indexed PNG with all 256 palette entries,
// colour 0 of every 16-colour row transparent (as the map view draws it), so
// that other tile editors show the page as Qarto does and readPng gives back
// the same indices and palette. Atomic like every write; false with
// "cannot write PATH: reason" on failure.
bool writeIndexedPng(const std::string& path, const IndexedImage& image, std::string& message);

}  // namespace qarto
