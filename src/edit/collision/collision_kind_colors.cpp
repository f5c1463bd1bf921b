#include "edit/collision/collision_kind_colors.h"

#include <array>

namespace qarto {

namespace {

// None, Do Not Enter, Transition Zone, Reserved 1 to 3.
constexpr std::array<ViewColor, 6> kNamedMarkers = {
    ViewColor{0, 0, 0, 255},     ViewColor{230, 30, 30, 255}, ViewColor{40, 110, 255, 255},
    ViewColor{255, 215, 0, 255}, ViewColor{0, 205, 205, 255}, ViewColor{160, 90, 40, 255}};
// None, Fire, Reserved 1, Reserved 2.
constexpr std::array<ViewColor, 4> kDamageTypes = {ViewColor{0, 0, 0, 255}, ViewColor{255, 120, 0, 255},
                                                   ViewColor{170, 40, 255, 255}, ViewColor{250, 250, 250, 255}};

}  // namespace

ViewColor markerColor(int index) {
  if (index >= 0 && index < static_cast<int>(kNamedMarkers.size())) return kNamedMarkers[index];
  // Unnamed indices step through the colour cube so that neighbours differ.
  const int i = index & 63;
  return ViewColor{static_cast<std::uint8_t>(70 + (i * 53) % 180), static_cast<std::uint8_t>(70 + (i * 97) % 180),
                   static_cast<std::uint8_t>(70 + (i * 29) % 180), 255};
}

ViewColor damageColor(int type) {
  return type >= 0 && type < static_cast<int>(kDamageTypes.size()) ? kDamageTypes[type] : ViewColor{};
}

}  // namespace qarto
