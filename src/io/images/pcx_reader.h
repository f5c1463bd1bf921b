#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/tileset/indexed_image.h"

namespace qarto {

// Decodes an 8-bit run-length PCX held in memory; `path` fills the messages.
bool decodePcxImage(const std::uint8_t* bytes, std::size_t size, const std::string& path, IndexedImage& image,
                    std::string& message);
bool readPcx(const std::string& path, IndexedImage& image, std::string& message);

}  // namespace qarto
