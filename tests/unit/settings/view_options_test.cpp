#include "model/view_options.h"

#include <gtest/gtest.h>

#include <string>

#include "model/memory_settings_store.h"

namespace qarto {
namespace {

// Saves options unlike the start values, checks their stored form (always
// with a decimal point, whatever the locale) and loads them back.
TEST(ViewOptions, SaveThenLoadRoundTrips) {
  ViewOptions o;
  o.clearColor[0] = 0.25f;
  o.clearColor[3] = 1.0f;
  o.showMapGrid = o.centeredView = false;
  o.showFrameMask = true;
  o.screenWidth = 256;
  o.mapZoom = 3.5f;
  MemorySettingsStore store;
  saveViewOptions(store, o);
  EXPECT_EQ(store.readText("Settings", "ClearColor", ""), "0.250000 0.000000 0.000000 1.000000");
  EXPECT_EQ(store.readText("Settings", "MapPageScale", ""), "3.500000");
  EXPECT_EQ(store.readInt("Settings", "GBA_Mask", -1), 1);
  EXPECT_EQ(store.readInt("Settings", "MapGrid", -1), 0);
  EXPECT_FALSE(store.contains("Settings", "UndoLevels"));
  ViewOptions loaded;
  loaded.showFrameMask = loaded.showMapGrid = false;
  loadViewOptions(store, loaded);
  EXPECT_EQ(std::tuple(loaded.clearColor[0], loaded.clearColor[3], loaded.showMapGrid, loaded.centeredView,
                       loaded.showFrameMask, loaded.screenWidth, loaded.mapZoom, loaded.tileZoom),
            std::tuple(0.25f, 1.0f, false, false, true, 256, 3.5f, 2.0f));
}

TEST(ViewOptions, MissingOrUnreadableValuesKeepTheCurrentOnes) {
  MemorySettingsStore store;
  ViewOptions options;
  options.showTileGrid = true;
  options.mapZoom = 3.0f;
  loadViewOptions(store, options);
  EXPECT_TRUE(options.showTileGrid);
  EXPECT_EQ(options.mapZoom, 2.0f);  // except the zooms, which default to 2
  EXPECT_EQ(readUndoLevels(store), 1);
  store.writeInt("Settings", "GBA_Mask", -1);     // any non-zero flag is true
  store.writeText("Settings", "MapGrid", "yes");  // a text keeps the current value
  loadViewOptions(store, options);
  EXPECT_TRUE(options.showFrameMask && options.showMapGrid);

  const std::pair<const char*, std::array<float, 4>> colours[] = {
      // current values are 0.1, 0.2, 0.3, 0.4
      {"  +0.5\t-0 .25 1e-1", {0.5f, 0.0f, 0.25f, 0.1f}},
      {"0,5 0,6 0,7 0,8", {0.0f, 0.2f, 0.3f, 0.4f}},
      {"2 -1 nan 1e40", {1.0f, 0.0f, 0.3f, 0.4f}},  // held to 0 to 1; nan and 1e40 are no floats
  };
  for (const auto& [text, expected] : colours) {
    store.writeText("Settings", "ClearColor", text);
    for (int i = 0; i < 4; ++i) options.clearColor[i] = 0.1f * static_cast<float>(i + 1);
    loadViewOptions(store, options);
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(options.clearColor[i], expected[static_cast<std::size_t>(i)]) << text;
  }
  const std::pair<const char*, float> zooms[] = {{"5x", 5.0f}, {"inf", 3.0f}, {"-2", 0.25f}, {"1000", 10.0f}};
  for (const auto& [text, zoom] : zooms) {  // the current zoom is 3
    store.writeText("Settings", "TilePageScale", text);
    options.tileZoom = 3.0f;
    loadViewOptions(store, options);
    EXPECT_EQ(options.tileZoom, zoom) << text;
  }
}

}  // namespace
}  // namespace qarto
