#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qarto {

// The 16-bit collision word of a collision cell: bits 6-11 the marker
// index, bit 12 "Solid", bit 13 "Jump Through", bits 14-15 the damage type.
inline constexpr std::uint16_t kSolidBit = 1u << 12;
inline constexpr std::uint16_t kJumpThroughBit = 1u << 13;
inline constexpr int kMarkerShift = 6;
inline constexpr std::uint16_t kMarkerMask = 63u << kMarkerShift;
inline constexpr int kDamageShift = 14;
inline constexpr std::uint16_t kDamageMask = 3u << kDamageShift;

inline int markerIndex(std::uint16_t word) { return (word & kMarkerMask) >> kMarkerShift; }
inline int damageType(std::uint16_t word) { return (word & kDamageMask) >> kDamageShift; }

// The named markers and damage types, in index order.
inline constexpr std::array<const char*, 6> kMarkerNames = {"None",       "Do Not Enter", "Transition Zone",
                                                            "Reserved 1", "Reserved 2",   "Reserved 3"};
inline constexpr std::array<const char*, 4> kDamageNames = {"None", "Fire", "Reserved 1", "Reserved 2"};

// The name of a marker or damage index; indices beyond the named ones have
// no name ("").
const char* markerName(int index);
const char* damageName(int index);

// A named flag bit of the collision word, with what the drawing needs.
struct FlagDefinition {
  bool inUse = false;
  std::string name;
  int bit = 0;
  int icon = -1;  // one of the 16 built-in flag icons; -1: not drawn
  std::uint8_t red = 255, green = 255, blue = 255, alpha = 255;
};

inline constexpr int kMaxFlagDefinitions = 16;

// "Solid" (bit 12, the last icon, tinted 255, 0, 255, 100) and "Jump
// Through" (bit 13, the first icon, tinted 0, 255, 0, 176).
const std::array<FlagDefinition, kMaxFlagDefinitions>& flagDefinitions();

// The collision index the read-out shows: (tile AND 63) shifted by 0.
inline int collisionIndex(int tile) { return tile & 63; }

}  // namespace qarto
