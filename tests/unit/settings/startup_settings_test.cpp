#include <gtest/gtest.h>

#include "model/settings/memory_settings_store.h"
#include "model/settings/settings_defaults.h"

namespace qarto {
namespace {

TEST(StartupSettings, FirstStartWritesTheMissingKeysAndKeepsStoredOnes) {
  MemorySettingsStore store;
  store.writeInt("Settings", "MapGridColor", 0x00123456);
  store.writeText("Settings", "DefMapPath", "/home/me/maps, levels");
  store.writeInt("Exporting", "ScreenWidth", 7);
  ensureSettingsDefaults(store);
  EXPECT_EQ(store.readInt("Settings", "MapGridColor", 0), 0x00123456);
  EXPECT_EQ(store.readText("Settings", "DefMapPath", ""), "/home/me/maps, levels");
  EXPECT_EQ(store.readInt("Exporting", "ScreenWidth", 0), 7);  // another section's key of the same name
  EXPECT_EQ(store.readInt("Settings", "ScreenWidth", 0), 240);
  // The view options and remembered folders only appear once the editor writes them.
  EXPECT_FALSE(store.contains("Settings", "ClearColor") || store.contains("Settings", "LastMapPath"));
  const auto before = store.values();
  ensureSettingsDefaults(store);
  EXPECT_EQ(store.values(), before);
}

}  // namespace
}  // namespace qarto
