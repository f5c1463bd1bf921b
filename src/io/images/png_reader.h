#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/tileset/indexed_image.h"

namespace qarto {

// Decodes an indexed (palette) PNG of 1, 2, 4 or 8 bits per pixel held in
// memory: one palette index per pixel, the PLTE entries as the palette (the
// entries it does not define are 0). Transparency chunks are not consulted:
// colour 0 of every row is transparent on a tile page anyway. Greyscale and
// truecolour files are refused with a message that asks for an indexed file.
// `path` only fills the messages; on failure `image` is left as it was.
bool decodePngImage(const std::uint8_t* bytes, std::size_t size, const std::string& path, IndexedImage& image,
                    std::string& message);

// Decodes a PNG of any colour type and bit depth into 8-bit RGBA: palettes
// and grey expanded, tRNS as alpha, 16-bit channels cut to their high byte.
// Any side length; on failure `picture` is left as it was.
bool decodePngPicture(const std::uint8_t* bytes, std::size_t size, const std::string& path, DisplayImage& picture,
                      std::string& message);

// Reads a whole PNG file and decodes it.
bool readPng(const std::string& path, IndexedImage& image, std::string& message);

}  // namespace qarto
