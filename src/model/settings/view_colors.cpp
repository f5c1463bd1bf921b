#include "model/settings/view_colors.h"

#include <algorithm>
#include <array>

#include "model/settings/settings_keys.h"

namespace qarto {

namespace keys = setting_keys;

namespace {

struct ColorEntry {
  const char* key;
  ViewColor ViewColors::*member;
};

// In the order of the colour table.
constexpr std::array kColorEntries{
    ColorEntry{keys::kCollisionTileColor, &ViewColors::collisionTile},
    ColorEntry{keys::kBrushWarningColor, &ViewColors::brushWarning},
    ColorEntry{keys::kMapGridColor, &ViewColors::mapGrid},
    ColorEntry{keys::kMapSelectionColor, &ViewColors::mapSelection},
    ColorEntry{keys::kMapDrawSelectionColor, &ViewColors::mapDrawSelection},
    ColorEntry{keys::kCollisionFocusColor, &ViewColors::collisionFocus},
    ColorEntry{keys::kCollisionActiveColor, &ViewColors::collisionActive},
    ColorEntry{keys::kCollisionInactiveColor, &ViewColors::collisionInactive},
    ColorEntry{keys::kMapFocusColor, &ViewColors::mapFocus},
    ColorEntry{keys::kMapActiveColor, &ViewColors::mapActive},
    ColorEntry{keys::kMapInactiveColor, &ViewColors::mapInactive},
    ColorEntry{keys::kTileGridColor, &ViewColors::tileGrid},
    ColorEntry{keys::kTileSelectionColor, &ViewColors::tileSelection},
    ColorEntry{keys::kTileDrawSelectionColor, &ViewColors::tileDrawSelection},
    ColorEntry{keys::kTilesetFocusColor, &ViewColors::tilesetFocus},
    ColorEntry{keys::kTilesetActiveColor, &ViewColors::tilesetActive},
    ColorEntry{keys::kTilesetInactiveColor, &ViewColors::tilesetInactive},
};

// The levels are single bytes fed into opacity formulas made for 0 to 15; a
// hand-edited 300 must not wrap around or push an alpha byte past 255.
std::uint8_t readLevel(SettingsStore& store, const char* key) {
  const int level = store.readInt(kSettingsSection, key, 0);
  return static_cast<std::uint8_t>(std::clamp(level, 0, kMaxAlphaLevel));
}

}  // namespace

ViewColor viewColorFromStored(std::uint32_t stored) {
  return ViewColor{static_cast<std::uint8_t>(stored & 0xFFu), static_cast<std::uint8_t>((stored >> 8) & 0xFFu),
                   static_cast<std::uint8_t>((stored >> 16) & 0xFFu), 255};
}

ViewColors loadViewColors(SettingsStore& store) {
  ViewColors colors;
  for (const ColorEntry& entry : kColorEntries) {
    const int stored = store.readInt(kSettingsSection, entry.key, 0);
    colors.*entry.member = viewColorFromStored(static_cast<std::uint32_t>(stored));
  }
  colors.brushAlphaLevel = readLevel(store, keys::kBrushAlphaValue);
  colors.layerAlphaLevel = readLevel(store, keys::kLayerAlphaValue);
  colors.collisionLayerAlphaLevel = readLevel(store, keys::kCollisionLayerAlphaValue);
  return colors;
}

float alphaLevelOpacity(int level) {
  return static_cast<float>(std::clamp(level, 0, kMaxAlphaLevel)) * 0.06666f;
}

std::uint8_t collisionLayerAlphaByte(int level) {
  return static_cast<std::uint8_t>(static_cast<double>(std::clamp(level, 0, kMaxAlphaLevel)) * 15.9);
}

}  // namespace qarto
