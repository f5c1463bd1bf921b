#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/tileset/indexed_image.h"

namespace qarto {

inline constexpr const char* kNoErrors = "No errors.";

// Decodes an uncompressed 4- or 8-bit BMP held in memory. `path` only fills
// the messages. On failure `message` holds the user-facing text and `image`
// is left as it was.
bool decodeBmpImage(const std::uint8_t* bytes, std::size_t size, const std::string& path, IndexedImage& image,
                    std::string& message);

// Reads a whole BMP file and decodes it.
bool readBmp(const std::string& path, IndexedImage& image, std::string& message);

// The 8-bit BMP the program writes (1078-byte headers and palette, rows
// bottom-up). `paletteEntries` of the palette are written (callers pass 256).
std::vector<std::uint8_t> encodeIndexedBmp(const IndexedImage& image, int paletteEntries);
// Writes it atomically; false with "File <%s> could not be opened for
// writing." (or a write failure) when the file cannot be written.
bool writeIndexedBmp(const std::string& path, const IndexedImage& image, int paletteEntries, std::string& message);

}  // namespace qarto
