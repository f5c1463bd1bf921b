#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "model/memory_settings_store.h"
#include "model/settings_defaults.h"
#include "model/view_colors.h"

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
  for (const char* later : {"ClearColor", "MapGrid", "GBA_Mask", "UndoLevels", "LastMapPath"}) {
    EXPECT_FALSE(store.contains("Settings", later)) << later;
  }
  EXPECT_EQ(store.readInt("Settings", "MapGridColor", 0), 0x00123456);
  EXPECT_EQ(store.readText("Settings", "DefMapPath", ""), "/home/me/maps, levels");
  EXPECT_EQ(store.values().at({"Settings", "DefTilesetPath"}), MemorySettingsStore::Value(std::string()));
  EXPECT_EQ(store.readInt("Settings", "ScreenWidth", 0), 240);
  EXPECT_EQ(store.readInt("Settings", "ScreenHeight", 0), 160);
  EXPECT_EQ(store.readInt("Settings", "UseDefTilesetPath", -1), 0);
  EXPECT_EQ(store.readInt("Exporting", "ScreenWidth", 0), 7);

  const auto before = store.values();
  ensureSettingsDefaults(store);
  EXPECT_EQ(store.values(), before);
}

TEST(ViewColors, StoredColoursAreOpaqueRedGreenBlue) {
  const std::pair<std::uint32_t, ViewColor> cases[] = {
      {0x001AC8FF, {255, 200, 26, 255}},
      {0x00000000, {0, 0, 0, 255}},
      {0xFF123456, {0x56, 0x34, 0x12, 255}},  // the top byte is not alpha
  };
  for (const auto& [stored, colour] : cases) EXPECT_EQ(viewColorFromStored(stored), colour) << std::hex << stored;
}

TEST(ViewColors, LoadedFromTheStoreWithLevelsHeldInRange) {
  MemorySettingsStore store;
  ensureSettingsDefaults(store);
  store.writeInt("Settings", "TileGridColor", 0x00030201);
  store.writeInt("Settings", "BrushAlphaValue", 300);
  store.writeInt("Settings", "LayerAlphaValue", -4);
  store.writeText("Settings", "MapGridColor", "white");  // a text reads as black
  const ViewColors c = loadViewColors(store);
  EXPECT_EQ(c.tileGrid, (ViewColor{1, 2, 3, 255}));
  EXPECT_EQ(c.collisionFocus, (ViewColor{255, 200, 26, 255}));  // the start-up default
  EXPECT_EQ(c.mapGrid, (ViewColor{0, 0, 0, 255}));
  EXPECT_EQ(std::tuple(c.brushAlphaLevel, c.layerAlphaLevel, c.collisionLayerAlphaLevel), std::tuple(15, 0, 8));
}

}  // namespace
}  // namespace qarto
