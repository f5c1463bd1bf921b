#pragma once

#include <cstdint>
#include <vector>

namespace qarto {

inline constexpr int kFlagIconCount = 16;
inline constexpr int kFlagIconSide = 32;
inline constexpr int kEntitySpriteSide = 32;
inline constexpr int kEntitySprites = 8;

// The 16 flag icons, 32 x 32 RGBA each, rows from the top. They are white
// shapes on transparency: the drawing tints them with the flag's colour.
// Icon 0 marks "Jump Through" (an arrow up through a dashed ledge), icon 15
// "Solid" (a hatched block); the rest are free for further flags.
std::vector<std::uint8_t> flagIconPixels(int icon);

// The entity strip: 256 x 32 RGBA, eight 32 x 32 sprites side by side, each
// standing on the bottom edge, centred, facing right.
std::vector<std::uint8_t> entityStripPixels();

}  // namespace qarto
