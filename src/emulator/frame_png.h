#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace qarto {

// Writes a 240 x 160 GBA frame (0x00BBGGRR pixels, rows from the top) as an
// 8-bit RGB PNG, atomically. False with the reason on failure.
bool writeFramePng(const std::string& path, std::span<const std::uint32_t> frame, std::string& error);

}  // namespace qarto
