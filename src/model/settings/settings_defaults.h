#pragma once

#include <span>

#include "model/settings/settings_store.h"

namespace qarto {

enum class StartupSettingKind { Color, Level, Integer, Boolean, Text };

// A key of section "Settings" whose default start-up writes when missing.
struct StartupSetting {
  const char* key;
  StartupSettingKind kind;
  int intDefault;           // every kind but Text
  const char* textDefault;  // Text only
};

// The start-up keys in the order start-up writes them.
std::span<const StartupSetting> startupSettings();

// For each start-up key in order: reads it with its default and writes the
// value read back, so that afterwards every start-up key exists and keeps
// any value it already had.
void ensureSettingsDefaults(SettingsStore& store);

}  // namespace qarto
