#pragma once

#include <cstdint>
#include <vector>

#include "io/byte_cursor.h"
#include "model/tileset/tileset.h"

namespace qarto {

enum class TilesetRecordStatus {
  Ok,
  Damaged,           // the record runs past the end or holds impossible values
  AllocationFailed,  // a buffer of the record could not be allocated
};

// Reads one tileset record (format 1 with an embedded BMP, or format 2)
// into `tileset`: stored fields, collision set, pixels and palette. The
// geometry (tile count, steps, tiles per row and column) is recomputed from
// the image size rather than trusted. Every size is checked against the bytes
// left before anything is allocated.
TilesetRecordStatus decodeTilesetRecord(ByteCursor& cursor, int format, Tileset& tileset);

// Appends the format-2 record of `tileset`. Strings longer than 255
// characters are cut so that the record stays readable; the collision set
// and pixels are written at exactly the sizes the image size implies.
// May throw std::bad_alloc.
void appendTilesetRecord(const Tileset& tileset, std::vector<std::uint8_t>& out);

}  // namespace qarto
