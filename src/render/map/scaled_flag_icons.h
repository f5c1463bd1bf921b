#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "render/art/builtin_art.h"

namespace qarto {

// The flag icons at the size of a cell, drawn one texel per window pixel.
// A 32-pixel icon stretched over a cell of 8, 16 or 24 pixels puts pixel
// centres exactly on texel edges, and which texel a driver takes there
// differs (a window and an off-screen buffer of the same driver differ).
// Here each pixel of the cell takes the icon texel under its centre, a
// centre on an edge the texel after it, worked out in whole numbers.
class ScaledFlagIcons {
 public:
  ScaledFlagIcons() = default;
  ScaledFlagIcons(const ScaledFlagIcons&) = delete;
  ScaledFlagIcons& operator=(const ScaledFlagIcons&) = delete;

  // The texture of `icon` for cells of `side` pixels (made on first use,
  // with the context current); 0 when it cannot be made. The icon fills
  // texture coordinates 0 to `extent` on both axes.
  std::uint32_t texture(int icon, int side, float& extent);
  // Deletes every texture; with the context current.
  void release();

 private:
  int side_ = 0;
  int textureSide_ = 0;
  std::array<std::uint32_t, kFlagIconCount> names_{};
  std::array<bool, kFlagIconCount> tried_{};
};

// RGBA of `icon` scaled to side x side (rows from the top) by that rule.
std::vector<std::uint8_t> scaledFlagIconPixels(int icon, int side);

}  // namespace qarto
