#include "model/settings/screen_size.h"

#include "model/settings/settings_keys.h"

namespace qarto {

bool screenSizeInRange(int width, int height) {
  return width >= kMinScreenPixels && width <= kMaxScreenPixels && height >= kMinScreenPixels &&
         height <= kMaxScreenPixels;
}

ScreenSize readScreenSize(SettingsStore& store, ScreenSize fallback) {
  const int width = store.readInt(kSettingsSection, setting_keys::kScreenWidth, fallback.width);
  const int height = store.readInt(kSettingsSection, setting_keys::kScreenHeight, fallback.height);
  if (!screenSizeInRange(width, height)) return ScreenSize{};
  return {width, height};
}

std::string screenSizeRangeMessage() {
  return "The screen width and height must each lie between " + std::to_string(kMinScreenPixels) + " and " +
         std::to_string(kMaxScreenPixels) + " pixels.\n\nPlease choose a valid size.";
}

}  // namespace qarto
