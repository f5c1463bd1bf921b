#include "model/settings/view_options.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "model/settings/float_text.h"
#include "model/settings/screen_size.h"
#include "model/settings/settings_keys.h"

namespace qarto {

namespace keys = setting_keys;

namespace {

constexpr const char* kDefaultClearColor = "0 0 0 0";
constexpr const char* kDefaultZoom = "2.0";
constexpr int kDefaultUndoLevels = 10;  // what the Undo page shows for a missing setting

// The next number of `text`, when it is a finite one.
std::optional<float> scanFinite(std::string_view& text) {
  std::optional<float> value = scanFloatText(text);
  if (value && !std::isfinite(*value)) return std::nullopt;
  return value;
}

// As "%f %f %f %f": reading stops at the first number that fails, and every
// component from there on keeps its current value. The GL clamps a clear
// colour to 0 to 1, so the stored one is taken the same way.
void readClearColor(SettingsStore& store, float (&color)[4]) {
  const std::string text = store.readText(kSettingsSection, keys::kClearColor, kDefaultClearColor);
  std::string_view rest = text;
  for (float& component : color) {
    std::optional<float> value = scanFinite(rest);
    if (!value) return;
    component = std::clamp(*value, 0.0f, 1.0f);
  }
}

// A zoom of zero, below zero or not finite would break every cell lookup of
// the views, so such a text keeps the current zoom and an extreme one is
// pulled into the range of the zoom commands.
void readZoom(SettingsStore& store, const char* key, float& zoom) {
  const std::string text = store.readText(kSettingsSection, key, kDefaultZoom);
  std::string_view rest = text;
  if (std::optional<float> value = scanFinite(rest)) zoom = std::clamp(*value, kMinViewZoom, kMaxViewZoom);
}

void readFlag(SettingsStore& store, const char* key, bool& flag) {
  flag = store.readInt(kSettingsSection, key, flag ? 1 : 0) != 0;
}

void writeFlag(SettingsStore& store, const char* key, bool flag) {
  store.writeInt(kSettingsSection, key, flag ? 1 : 0);
}

}  // namespace

void loadViewOptions(SettingsStore& store, ViewOptions& options) {
  readClearColor(store, options.clearColor);

  readFlag(store, keys::kMapGrid, options.showMapGrid);
  readFlag(store, keys::kTileGrid, options.showTileGrid);
  readFlag(store, keys::kMapGridAlpha, options.mapGridAlpha);
  readFlag(store, keys::kTileGridAlpha, options.tileGridAlpha);
  readFlag(store, keys::kFrameMask, options.showFrameMask);
  readFlag(store, keys::kCenteredView, options.centeredView);
  readFlag(store, keys::kShowLayerBounds, options.showLayerBounds);

  const ScreenSize screen = readScreenSize(store, {options.screenWidth, options.screenHeight});
  options.screenWidth = screen.width;
  options.screenHeight = screen.height;

  readZoom(store, keys::kMapPageScale, options.mapZoom);
  readZoom(store, keys::kTilePageScale, options.tileZoom);
}

void saveViewOptions(SettingsStore& store, const ViewOptions& options) {
  std::string clearColor;
  for (float component : options.clearColor) {
    if (!clearColor.empty()) clearColor += ' ';
    clearColor += formatFloatText(component);
  }
  store.writeText(kSettingsSection, keys::kClearColor, clearColor);

  writeFlag(store, keys::kMapGrid, options.showMapGrid);
  writeFlag(store, keys::kTileGrid, options.showTileGrid);
  writeFlag(store, keys::kMapGridAlpha, options.mapGridAlpha);
  writeFlag(store, keys::kTileGridAlpha, options.tileGridAlpha);
  writeFlag(store, keys::kFrameMask, options.showFrameMask);
  writeFlag(store, keys::kCenteredView, options.centeredView);
  writeFlag(store, keys::kShowLayerBounds, options.showLayerBounds);
  store.writeInt(kSettingsSection, keys::kScreenWidth, options.screenWidth);
  store.writeInt(kSettingsSection, keys::kScreenHeight, options.screenHeight);

  store.writeText(kSettingsSection, keys::kMapPageScale, formatFloatText(options.mapZoom));
  store.writeText(kSettingsSection, keys::kTilePageScale, formatFloatText(options.tileZoom));
}

int readUndoLevels(SettingsStore& store) {
  return store.readInt(kSettingsSection, keys::kUndoLevels, kDefaultUndoLevels);
}

}  // namespace qarto
