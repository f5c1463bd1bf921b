#include "model/settings/settings_defaults.h"

#include <array>

#include "model/settings/settings_keys.h"

namespace qarto {

namespace {

using K = StartupSettingKind;
namespace keys = setting_keys;

constexpr std::array kStartupSettings{
    StartupSetting{keys::kCollisionTileColor, K::Color, 0x0000FFFF, ""},
    StartupSetting{keys::kBrushWarningColor, K::Color, 0x000000FF, ""},
    StartupSetting{keys::kMapGridColor, K::Color, 0x00FFFFFF, ""},
    StartupSetting{keys::kMapSelectionColor, K::Color, 0x0000FFFF, ""},
    StartupSetting{keys::kMapDrawSelectionColor, K::Color, 0x000000FF, ""},
    StartupSetting{keys::kCollisionFocusColor, K::Color, 0x001AC8FF, ""},
    StartupSetting{keys::kCollisionActiveColor, K::Color, 0x001A80FF, ""},
    StartupSetting{keys::kCollisionInactiveColor, K::Color, 0x00C8B200, ""},
    StartupSetting{keys::kMapFocusColor, K::Color, 0x00FFC850, ""},
    StartupSetting{keys::kMapActiveColor, K::Color, 0x001A1AFF, ""},
    StartupSetting{keys::kMapInactiveColor, K::Color, 0x00C83C00, ""},
    StartupSetting{keys::kTileGridColor, K::Color, 0x00FFFFFF, ""},
    StartupSetting{keys::kTileSelectionColor, K::Color, 0x0000FFFF, ""},
    StartupSetting{keys::kTileDrawSelectionColor, K::Color, 0x000000FF, ""},
    StartupSetting{keys::kTilesetFocusColor, K::Color, 0x00FFC850, ""},
    StartupSetting{keys::kTilesetActiveColor, K::Color, 0x001A1AFF, ""},
    StartupSetting{keys::kTilesetInactiveColor, K::Color, 0x00C83C00, ""},
    StartupSetting{keys::kBrushAlphaValue, K::Level, 11, ""},
    StartupSetting{keys::kLayerAlphaValue, K::Level, 8, ""},
    StartupSetting{keys::kCollisionLayerAlphaValue, K::Level, 8, ""},
    StartupSetting{keys::kDefMapPath, K::Text, 0, ""},
    StartupSetting{keys::kUseDefMapPath, K::Boolean, 0, ""},
    StartupSetting{keys::kDefTilesetPath, K::Text, 0, ""},
    StartupSetting{keys::kUseDefTilesetPath, K::Boolean, 0, ""},
    StartupSetting{keys::kScreenWidth, K::Integer, 240, ""},
    StartupSetting{keys::kScreenHeight, K::Integer, 160, ""},
};

}  // namespace

std::span<const StartupSetting> startupSettings() { return kStartupSettings; }

void ensureSettingsDefaults(SettingsStore& store) {
  for (const StartupSetting& setting : kStartupSettings) {
    if (setting.kind == StartupSettingKind::Text) {
      const std::string value = store.readText(kSettingsSection, setting.key, setting.textDefault);
      store.writeText(kSettingsSection, setting.key, value);
    } else {
      const int value = store.readInt(kSettingsSection, setting.key, setting.intDefault);
      store.writeInt(kSettingsSection, setting.key, value);
    }
  }
}

}  // namespace qarto
