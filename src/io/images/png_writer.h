#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace qarto {

// Writes 8-bit RGB pixels (three bytes a pixel, rows from the top) as a PNG
// file, atomically: a failed write leaves any earlier file as it was. False
// with "cannot write PATH: reason" on failure.
bool writeRgbPng(const std::string& path, int width, int height, std::span<const std::uint8_t> rgb,
                 std::string& message);

}  // namespace qarto
