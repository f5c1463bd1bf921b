#pragma once

#include <string>

#include "io/files/file_bytes.h"

namespace qarto {

// The texts the image readers hand back to their callers.
std::string fileNotFoundMessage(const std::string& path);
std::string fileEmptyMessage(const std::string& path);
std::string fileBufferFailedMessage(const std::string& path);
std::string notValidBitmapMessage(const std::string& path);
std::string notValidPcxMessage(const std::string& path);
std::string notValidPngMessage(const std::string& path);
// A PNG that is not indexed: the user is asked to save it with a palette.
std::string pngGreyscaleMessage(const std::string& path);
std::string pngTruecolourMessage(const std::string& path);
std::string bitDepthMessage(const std::string& path, int bits);
std::string tileMultipleMessage(const std::string& path, long long width, long long height);
std::string pixelBufferFailedMessage(const std::string& path);
std::string displayImageFailedMessage(const std::string& path);
std::string openForWritingFailedMessage(const std::string& path);
inline constexpr const char* kOnlyUncompressedMessage = "Only uncompressed bitmaps are currently supported.";

// Reads the whole file for an image reader; false with the reader's message
// for a missing, empty or unreadably large file.
bool readImageFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& message);

}  // namespace qarto
