#pragma once

#include <cstdint>

#include "model/settings/settings_store.h"

namespace qarto {

// One colour of the view's colour table, in the byte order GL takes.
struct ViewColor {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 0;

  friend bool operator==(const ViewColor&, const ViewColor&) = default;
};

// The colour table of the map view, filled from the settings by
// loadViewColors. Alpha is 255 after loading; the drawing code sets its own
// alpha where it needs one.
struct ViewColors {
  ViewColor collisionTile;
  ViewColor brushWarning;
  std::uint8_t brushAlphaLevel = 0;           // 0 to 15
  std::uint8_t layerAlphaLevel = 0;           // 0 to 15
  std::uint8_t collisionLayerAlphaLevel = 0;  // 0 to 15
  ViewColor mapGrid;
  ViewColor mapSelection;
  ViewColor mapDrawSelection;
  ViewColor collisionFocus;
  ViewColor collisionActive;
  ViewColor collisionInactive;
  ViewColor mapFocus;
  ViewColor mapActive;
  ViewColor mapInactive;
  ViewColor tileGrid;
  ViewColor tileSelection;
  ViewColor tileDrawSelection;
  ViewColor tilesetFocus;
  ViewColor tilesetActive;
  ViewColor tilesetInactive;
};

inline constexpr int kMaxAlphaLevel = 15;

// A stored 0x00BBGGRR value as an opaque colour.
ViewColor viewColorFromStored(std::uint32_t stored);

// Reads every colour (default 0) and the three levels (default 0, held to
// 0 to 15) from section "Settings".
ViewColors loadViewColors(SettingsStore& store);

// The opacity of a translucent tile layer or of the brush preview:
// level x 0.06666, so 15 gives 0.9999 and 0 nothing.
float alphaLevelOpacity(int level);

// The alpha byte of a translucent collision layer: truncate(level x 15.9),
// so 15 gives 238 and 8 gives 127.
std::uint8_t collisionLayerAlphaByte(int level);

}  // namespace qarto
