#pragma once

#include <cstddef>
#include <cstdint>

#include "model/project/map_layer.h"

namespace qarto {

// Fills the header fields of `layer` (kind, name, flags, size, parallax,
// tile grouping) from one stored layer header of `revision`. False when the
// stored kind is not a LayerKind.
bool decodeLayerHeader(const std::uint8_t* header, int revision, MapLayer& layer);

// The 96-byte revision-7 header of `layer`; reserved bytes are zero.
void encodeLayerHeader(const MapLayer& layer, std::uint8_t* header);

// `count` cells as the file stores them, 8 bytes each (MapCell::toBytes).
void encodeCells(const MapCell* cells, std::size_t count, std::uint8_t* bytes);

// `count` cells stored with `cellBytes` bytes each (8, or 6 in revision 1).
void decodeCells(const std::uint8_t* bytes, std::size_t count, std::size_t cellBytes, MapCell* cells);

}  // namespace qarto
