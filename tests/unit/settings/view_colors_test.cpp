#include "model/view_colors.h"

#include <gtest/gtest.h>

#include "model/memory_settings_store.h"
#include "model/settings_defaults.h"

namespace qarto {
namespace {

TEST(ViewColors, SplitsStoredColoursIntoOpaqueBytes) {
  struct Case {
    std::uint32_t stored;
    ViewColor expected;
  };
  const Case cases[] = {
      {0x001AC8FF, {255, 200, 26, 255}},
      {0x00C8B200, {0, 178, 200, 255}},
      {0x00000000, {0, 0, 0, 255}},
      {0xFF123456, {0x56, 0x34, 0x12, 255}},  // the top byte is not alpha
  };
  for (const Case& c : cases) {
    EXPECT_EQ(viewColorFromStored(c.stored), c.expected) << std::hex << c.stored;
  }
}

TEST(ViewColors, LoadsEachKeyIntoItsEntry) {
  MemorySettingsStore store;
  ensureSettingsDefaults(store);
  store.writeInt("Settings", "TileGridColor", 0x00030201);
  store.writeInt("Settings", "LayerAlphaValue", 15);

  const ViewColors colors = loadViewColors(store);
  EXPECT_EQ(colors.collisionTile, (ViewColor{255, 255, 0, 255}));
  EXPECT_EQ(colors.brushWarning, (ViewColor{255, 0, 0, 255}));
  EXPECT_EQ(colors.mapGrid, (ViewColor{255, 255, 255, 255}));
  EXPECT_EQ(colors.mapSelection, (ViewColor{255, 255, 0, 255}));
  EXPECT_EQ(colors.mapDrawSelection, (ViewColor{255, 0, 0, 255}));
  EXPECT_EQ(colors.collisionFocus, (ViewColor{255, 200, 26, 255}));
  EXPECT_EQ(colors.collisionActive, (ViewColor{255, 128, 26, 255}));
  EXPECT_EQ(colors.collisionInactive, (ViewColor{0, 178, 200, 255}));
  EXPECT_EQ(colors.mapFocus, (ViewColor{80, 200, 255, 255}));
  EXPECT_EQ(colors.mapActive, (ViewColor{255, 26, 26, 255}));
  EXPECT_EQ(colors.mapInactive, (ViewColor{0, 60, 200, 255}));
  EXPECT_EQ(colors.tileGrid, (ViewColor{1, 2, 3, 255}));
  EXPECT_EQ(colors.tileSelection, (ViewColor{255, 255, 0, 255}));
  EXPECT_EQ(colors.tileDrawSelection, (ViewColor{255, 0, 0, 255}));
  EXPECT_EQ(colors.tilesetFocus, (ViewColor{80, 200, 255, 255}));
  EXPECT_EQ(colors.tilesetActive, (ViewColor{255, 26, 26, 255}));
  EXPECT_EQ(colors.tilesetInactive, (ViewColor{0, 60, 200, 255}));
  EXPECT_EQ(colors.brushAlphaLevel, 11);
  EXPECT_EQ(colors.layerAlphaLevel, 15);
  EXPECT_EQ(colors.collisionLayerAlphaLevel, 8);
}

TEST(ViewColors, LostKeysReadAsZeroAndLevelsStayInRange) {
  MemorySettingsStore store;
  store.writeInt("Settings", "BrushAlphaValue", 300);
  store.writeInt("Settings", "LayerAlphaValue", -4);
  store.writeText("Settings", "MapGridColor", "white");

  const ViewColors colors = loadViewColors(store);
  EXPECT_EQ(colors.mapGrid, (ViewColor{0, 0, 0, 255}));
  EXPECT_EQ(colors.tilesetInactive, (ViewColor{0, 0, 0, 255}));
  EXPECT_EQ(colors.brushAlphaLevel, 15);
  EXPECT_EQ(colors.layerAlphaLevel, 0);
  EXPECT_EQ(colors.collisionLayerAlphaLevel, 0);
}

TEST(ViewColors, AlphaLevelsBecomeOpacities) {
  EXPECT_FLOAT_EQ(alphaLevelOpacity(0), 0.0f);
  EXPECT_FLOAT_EQ(alphaLevelOpacity(8), 0.53328f);
  EXPECT_FLOAT_EQ(alphaLevelOpacity(15), 0.9999f);

  EXPECT_EQ(collisionLayerAlphaByte(0), 0);
  EXPECT_EQ(collisionLayerAlphaByte(8), 127);
  EXPECT_EQ(collisionLayerAlphaByte(15), 238);
  EXPECT_EQ(collisionLayerAlphaByte(16), 238);  // never past the top level
}

}  // namespace
}  // namespace qarto
