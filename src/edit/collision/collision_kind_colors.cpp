#include "edit/collision/collision_kind_colors.h"

#include <array>

namespace qarto {

namespace {

// None, Do Not Enter, Transition Zone, Reserved 1 to 3.
constexpr std::array<KindColor, 6> kNamedMarkers = {
    KindColor{0, 0, 0},     KindColor{230, 30, 30}, KindColor{40, 110, 255},
    KindColor{255, 215, 0}, KindColor{0, 205, 205}, KindColor{160, 90, 40}};
// None, Fire, Reserved 1, Reserved 2.
constexpr std::array<KindColor, 4> kDamageTypes = {KindColor{0, 0, 0}, KindColor{255, 120, 0},
                                                   KindColor{170, 40, 255}, KindColor{250, 250, 250}};

}  // namespace

KindColor markerColor(int index) {
  if (index >= 0 && index < static_cast<int>(kNamedMarkers.size())) return kNamedMarkers[index];
  // Unnamed indices step through the colour cube so that neighbours differ.
  const int i = index & 63;
  return KindColor{static_cast<std::uint8_t>(70 + (i * 53) % 180), static_cast<std::uint8_t>(70 + (i * 97) % 180),
                   static_cast<std::uint8_t>(70 + (i * 29) % 180)};
}

KindColor damageColor(int type) {
  return type >= 0 && type < static_cast<int>(kDamageTypes.size()) ? kDamageTypes[type] : KindColor{};
}

}  // namespace qarto
