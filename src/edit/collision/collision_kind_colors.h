#pragma once

#include <cstdint>

namespace qarto {

// The colour a marker index (1 to 63) or a damage type (1 to 3) is shown
// in, on the map and in the Flags bar's legend. Named kinds have colours
// far apart; the unnamed marker indices get colours of their own too.
struct KindColor {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;

  friend bool operator==(const KindColor&, const KindColor&) = default;
};

KindColor markerColor(int index);
KindColor damageColor(int type);

}  // namespace qarto
