#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/tileset/indexed_image.h"

namespace qarto {

// Decodes an uncompressed BMP of 1, 4, 8, 16, 24 or 32 bits per pixel (colour
// masks included) into 8-bit RGBA, any side length, bottom-up or top-down.
// A 32-bit file whose fourth bytes are all 0 has no alpha and is opaque.
// `path` only fills the messages; on failure `picture` is left as it was.
bool decodeBmpPicture(const std::uint8_t* bytes, std::size_t size, const std::string& path, DisplayImage& picture,
                      std::string& message);

}  // namespace qarto
