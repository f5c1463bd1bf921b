#include "model/view_options.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

#include "model/memory_settings_store.h"

namespace qarto {
namespace {

// Every option as text, so that one comparison shows which differ.
std::string describe(const ViewOptions& o) {
  char text[256];
  std::snprintf(text, sizeof text, "clear %g %g %g %g flags %d%d%d%d%d%d%d screen %dx%d zoom %g %g", o.clearColor[0],
                o.clearColor[1], o.clearColor[2], o.clearColor[3], o.showMapGrid, o.showTileGrid, o.mapGridAlpha,
                o.tileGridAlpha, o.showFrameMask, o.centeredView, o.showLayerBounds, o.screenWidth, o.screenHeight,
                o.mapZoom, o.tileZoom);
  return text;
}

// Saves options unlike the start values, checks their stored form and loads them back.
void expectRoundTrip() {
  ViewOptions o;
  const float clear[4] = {0.25f, 0.5f, 0.125f, 1.0f};
  std::copy(clear, clear + 4, o.clearColor);
  o.showMapGrid = o.mapGridAlpha = o.tileGridAlpha = o.centeredView = o.showLayerBounds = false;
  o.showTileGrid = o.showFrameMask = true;
  o.screenWidth = 256;
  o.screenHeight = 192;
  o.mapZoom = 3.5f;
  o.tileZoom = 0.25f;
  MemorySettingsStore store;
  saveViewOptions(store, o);
  EXPECT_EQ(store.readText("Settings", "ClearColor", ""), "0.250000 0.500000 0.125000 1.000000");
  EXPECT_EQ(store.readText("Settings", "MapPageScale", ""), "3.500000");
  EXPECT_EQ(store.readInt("Settings", "GBA_Mask", -1), 1);
  EXPECT_EQ(store.readInt("Settings", "MapGrid", -1), 0);
  EXPECT_FALSE(store.contains("Settings", "UndoLevels"));
  ViewOptions loaded;
  loadViewOptions(store, loaded);
  EXPECT_EQ(describe(loaded), describe(o));
}

TEST(ViewOptions, SaveThenLoadRoundTrips) { expectRoundTrip(); }

// The editor runs under the user's locale; a comma as decimal point must
// neither be written nor break reading.
TEST(ViewOptions, RoundTripIgnoresADecimalCommaLocale) {
  struct RestoreLocale {
    std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    ~RestoreLocale() { std::setlocale(LC_NUMERIC, previous.c_str()); }
  } restore;
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale installed";
  expectRoundTrip();
}

TEST(ViewOptions, MissingOrUnreadableValuesKeepTheCurrentOnes) {
  MemorySettingsStore store;
  ViewOptions options;
  options.showTileGrid = true;
  options.mapZoom = 3.0f;
  loadViewOptions(store, options);
  EXPECT_TRUE(options.showTileGrid);
  EXPECT_EQ(options.mapZoom, 2.0f);  // except the zooms, which default to 2
  EXPECT_TRUE(store.values().empty());
  EXPECT_EQ(readUndoLevels(store), 1);

  // Any non-zero flag is true; a text where a flag belongs keeps the current value.
  store.writeInt("Settings", "GBA_Mask", -1);
  store.writeText("Settings", "MapGrid", "yes");
  loadViewOptions(store, options);
  EXPECT_TRUE(options.showFrameMask && options.showMapGrid);

  const struct {
    const char* clearColor;
    float expected[4];  // current values are 0.1, 0.2, 0.3, 0.4
  } colours[] = {
      {"  +0.5\t-0 .25 1e-1", {0.5f, 0.0f, 0.25f, 0.1f}},
      {"0.5 green 0.7 0.8", {0.5f, 0.2f, 0.3f, 0.4f}},
      {"0,5 0,6 0,7 0,8", {0.0f, 0.2f, 0.3f, 0.4f}},
      {"nan inf 0.7 0.8", {0.1f, 0.2f, 0.3f, 0.4f}},
      {"2 -1 0.5 1e40", {1.0f, 0.0f, 0.5f, 0.4f}},  // held to 0 to 1; 1e40 is no float
  };
  for (const auto& c : colours) {
    store.writeText("Settings", "ClearColor", c.clearColor);
    for (int i = 0; i < 4; ++i) options.clearColor[i] = 0.1f * static_cast<float>(i + 1);
    loadViewOptions(store, options);
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(options.clearColor[i], c.expected[i]) << c.clearColor << " #" << i;
  }
  const std::pair<const char*, float> zooms[] = {{" 1.5", 1.5f}, {"5x", 5.0f}, {"abc", 3.0f}, {"inf", 3.0f},
                                                 {"-2", 0.25f},  {"1000", 10.0f}};  // the current zoom is 3
  for (const auto& [text, zoom] : zooms) {
    store.writeText("Settings", "MapPageScale", text);
    store.writeText("Settings", "TilePageScale", text);
    options.mapZoom = options.tileZoom = 3.0f;
    loadViewOptions(store, options);
    EXPECT_EQ(std::pair(options.mapZoom, options.tileZoom), std::pair(zoom, zoom)) << text;
  }
}

}  // namespace
}  // namespace qarto
