#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace qarto {

inline constexpr std::size_t kPaletteBytes = 768;  // 256 entries of R, G, B

// A palette-indexed picture: one index per pixel, rows from the top.
struct IndexedImage {
  std::int32_t imageWidth = 0;
  std::int32_t imageHeight = 0;
  std::vector<std::uint8_t> pixels;
  std::array<std::uint8_t, kPaletteBytes> palette{};
};

// RGBA pixels, rows from the top; what the renderer uploads.
struct DisplayImage {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> rgba;
};

}  // namespace qarto
