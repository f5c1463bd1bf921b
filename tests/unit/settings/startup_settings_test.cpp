#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "model/settings/memory_settings_store.h"
#include "model/settings/settings_defaults.h"
#include "model/settings/view_colors.h"

namespace qarto {
namespace {

TEST(StartupSettings, FirstStartWritesTheMissingKeysAndKeepsStoredOnes) {
  MemorySettingsStore store;
  store.writeInt("Settings", "MapGridColor", 0x00123456);
  store.writeText("Settings", "DefMapPath", "/home/me/maps, levels");
  store.writeInt("Exporting", "ScreenWidth", 7);
  ensureSettingsDefaults(store);

  // 26 start-up keys plus the one of another section; the view options and
  // remembered folders only appear once the editor writes them.
  EXPECT_EQ(store.values().size(), 27u);
  EXPECT_FALSE(store.contains("Settings", "ClearColor") || store.contains("Settings", "LastMapPath"));
  EXPECT_EQ(store.readInt("Settings", "MapGridColor", 0), 0x00123456);
  EXPECT_EQ(store.readText("Settings", "DefMapPath", ""), "/home/me/maps, levels");
  EXPECT_EQ(store.values().at({"Settings", "DefTilesetPath"}), MemorySettingsStore::Value(std::string()));
  EXPECT_EQ(store.readInt("Settings", "ScreenWidth", 0), 240);
  EXPECT_EQ(store.readInt("Settings", "ScreenHeight", 0), 160);
  EXPECT_EQ(store.readInt("Exporting", "ScreenWidth", 0), 7);

  const auto before = store.values();
  ensureSettingsDefaults(store);
  EXPECT_EQ(store.values(), before);
}

}  // namespace
}  // namespace qarto
