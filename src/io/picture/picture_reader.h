#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/tileset/indexed_image.h"

namespace qarto {

// Any picture the program takes in, as 8-bit RGBA rows from the top: PNG of
// every colour type and depth, BMP of 1 to 32 bits, 8-bit PCX. The format
// is told by the file's first bytes, not its name. `path` fills the messages.
bool decodePicture(const std::uint8_t* bytes, std::size_t size, const std::string& path, DisplayImage& picture,
                   std::string& message);
bool readPicture(const std::string& path, DisplayImage& picture, std::string& message);

// The same picture as 8-bit RGBA, opaque: each pixel its palette entry.
DisplayImage indexedToRgba(const IndexedImage& image);

}  // namespace qarto
