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

// The on/off options and the zooms, each under its key.
constexpr struct {
  const char* key;
  bool ViewOptions::*field;
} kFlags[] = {
    {keys::kMapGrid, &ViewOptions::showMapGrid},
    {keys::kTileGrid, &ViewOptions::showTileGrid},
    {keys::kMapGridAlpha, &ViewOptions::mapGridAlpha},
    {keys::kTileGridAlpha, &ViewOptions::tileGridAlpha},
    {keys::kFrameMask, &ViewOptions::showFrameMask},
    {keys::kCenteredView, &ViewOptions::centeredView},
    {keys::kShowLayerBounds, &ViewOptions::showLayerBounds},
};
constexpr struct {
  const char* key;
  float ViewOptions::*field;
} kZooms[] = {{keys::kMapPageScale, &ViewOptions::mapZoom}, {keys::kTilePageScale, &ViewOptions::tileZoom}};

}  // namespace

void loadViewOptions(SettingsStore& store, ViewOptions& options) {
  readClearColor(store, options.clearColor);

  for (const auto& [key, field] : kFlags) {
    options.*field = store.readInt(kSettingsSection, key, options.*field ? 1 : 0) != 0;
  }

  const ScreenSize screen = readScreenSize(store, {options.screenWidth, options.screenHeight});
  options.screenWidth = screen.width;
  options.screenHeight = screen.height;

  for (const auto& [key, field] : kZooms) readZoom(store, key, options.*field);
}

void saveViewOptions(SettingsStore& store, const ViewOptions& options) {
  std::string clearColor;
  for (float component : options.clearColor) {
    if (!clearColor.empty()) clearColor += ' ';
    clearColor += formatFloatText(component);
  }
  store.writeText(kSettingsSection, keys::kClearColor, clearColor);

  for (const auto& [key, field] : kFlags) store.writeInt(kSettingsSection, key, options.*field ? 1 : 0);
  store.writeInt(kSettingsSection, keys::kScreenWidth, options.screenWidth);
  store.writeInt(kSettingsSection, keys::kScreenHeight, options.screenHeight);

  for (const auto& [key, field] : kZooms) store.writeText(kSettingsSection, key, formatFloatText(options.*field));
}

int readUndoLevels(SettingsStore& store) {
  return store.readInt(kSettingsSection, keys::kUndoLevels, kDefaultUndoLevels);
}

}  // namespace qarto
