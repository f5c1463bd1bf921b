#pragma once

#include <string>

#include "model/settings/settings_store.h"

namespace qarto {

// The target screen in pixels ("ScreenWidth", "ScreenHeight"). Every size
// the editor derives from it (the frame mask, layer limits in tiles) needs
// at least one tile and a sane upper bound, so both sides must lie in
// 8..8192; a stored pair outside that reads as the 240 x 160 screen.
inline constexpr int kMinScreenPixels = 8;
inline constexpr int kMaxScreenPixels = 8192;
inline constexpr int kDefaultScreenWidth = 240;
inline constexpr int kDefaultScreenHeight = 160;

struct ScreenSize {
  int width = kDefaultScreenWidth;
  int height = kDefaultScreenHeight;
};

bool screenSizeInRange(int width, int height);

// Reads both keys of section "Settings"; a missing key reads as the
// fallback's side. When either side is out of range the whole size is
// 240 x 160.
ScreenSize readScreenSize(SettingsStore& store, ScreenSize fallback = {});

// The Preferences' refusal of a typed size outside 8..8192.
std::string screenSizeRangeMessage();

}  // namespace qarto
