#include "model/view_options.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

#include "model/memory_settings_store.h"

namespace qarto {
namespace {

ViewOptions changedOptions() {
  ViewOptions o;
  o.clearColor[0] = 0.25f;
  o.clearColor[1] = 0.5f;
  o.clearColor[2] = 0.125f;
  o.clearColor[3] = 1.0f;
  o.showMapGrid = o.mapGridAlpha = o.tileGridAlpha = o.centeredView = o.showLayerBounds = false;
  o.showTileGrid = o.showFrameMask = true;
  o.screenWidth = 256;
  o.screenHeight = 192;
  o.mapZoom = 3.5f;
  o.tileZoom = 0.25f;
  return o;
}

// Every field as text, so one comparison shows which differ.
std::string describe(const ViewOptions& o) {
  char text[256];
  std::snprintf(text, sizeof text, "clear %g %g %g %g grids %d %d %d %d mask %d centred %d bounds %d screen %dx%d zoom %g %g",
                o.clearColor[0], o.clearColor[1], o.clearColor[2], o.clearColor[3], o.showMapGrid, o.showTileGrid,
                o.mapGridAlpha, o.tileGridAlpha, o.showFrameMask, o.centeredView, o.showLayerBounds, o.screenWidth,
                o.screenHeight, o.mapZoom, o.tileZoom);
  return text;
}

// Saves, checks the stored form, and loads into fresh options.
void expectRoundTrip() {
  MemorySettingsStore store;
  saveViewOptions(store, changedOptions());
  EXPECT_EQ(store.readText("Settings", "ClearColor", ""), "0.250000 0.500000 0.125000 1.000000");
  EXPECT_EQ(store.readText("Settings", "MapPageScale", ""), "3.500000");
  EXPECT_EQ(store.readText("Settings", "TilePageScale", ""), "0.250000");
  EXPECT_EQ(store.readInt("Settings", "GBA_Mask", -1), 1);
  EXPECT_EQ(store.readInt("Settings", "MapGrid", -1), 0);
  EXPECT_FALSE(store.contains("Settings", "UndoLevels"));
  ViewOptions loaded;
  loadViewOptions(store, loaded);
  EXPECT_EQ(describe(loaded), describe(changedOptions()));
}

TEST(ViewOptions, SaveThenLoadRoundTrips) { expectRoundTrip(); }

// The editor runs under the user's locale; a comma as decimal point must
// neither be written nor break reading.
TEST(ViewOptions, RoundTripIgnoresADecimalCommaLocale) {
  struct RestoreLocale {
    std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    ~RestoreLocale() { std::setlocale(LC_NUMERIC, previous.c_str()); }
  } restore;
  const char* german = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
    if ((german = std::setlocale(LC_NUMERIC, name)) != nullptr) break;
  }
  if (german == nullptr) GTEST_SKIP() << "no German locale installed";
  char probe[8];
  std::snprintf(probe, sizeof probe, "%.1f", 2.5);
  ASSERT_STREQ(probe, "2,5") << "the locale should use a decimal comma";
  expectRoundTrip();
}

TEST(ViewOptions, MissingKeysKeepTheCurrentValuesExceptTheZooms) {
  MemorySettingsStore store;
  ViewOptions options;
  loadViewOptions(store, options);
  EXPECT_EQ(describe(options), describe(ViewOptions{}));
  EXPECT_TRUE(store.values().empty());

  // The zooms default to 2 and the clear colour to black, whatever was current.
  options = changedOptions();
  loadViewOptions(store, options);
  ViewOptions expected = changedOptions();
  for (float& component : expected.clearColor) component = 0.0f;
  expected.mapZoom = expected.tileZoom = 2.0f;
  EXPECT_EQ(describe(options), describe(expected));

  // Any non-zero flag is true; a text where a flag belongs keeps the current value.
  store.writeInt("Settings", "TileGrid", 7);
  store.writeInt("Settings", "GBA_Mask", -1);
  store.writeText("Settings", "MapGrid", "yes");
  options = ViewOptions{};
  loadViewOptions(store, options);
  EXPECT_TRUE(options.showTileGrid && options.showFrameMask && options.showMapGrid);

  EXPECT_EQ(readUndoLevels(store), 1);
  store.writeInt("Settings", "UndoLevels", -1);
  EXPECT_EQ(readUndoLevels(store), -1);
}

TEST(ViewOptions, UnreadableNumbersKeepTheCurrentValues) {
  struct Case {
    const char* clearColor;
    float expected[4];  // current values are 0.1, 0.2, 0.3, 0.4
  };
  const Case cases[] = {
      {"0.5 0.6 0.7 0.8", {0.5f, 0.6f, 0.7f, 0.8f}},
      {"  +0.5\t-0 .25 1e-1", {0.5f, 0.0f, 0.25f, 0.1f}},
      {"1", {1.0f, 0.2f, 0.3f, 0.4f}},
      {"0.5 green 0.7 0.8", {0.5f, 0.2f, 0.3f, 0.4f}},
      {"0,5 0,6 0,7 0,8", {0.0f, 0.2f, 0.3f, 0.4f}},
      {"", {0.1f, 0.2f, 0.3f, 0.4f}},
      {"nan inf 0.7 0.8", {0.1f, 0.2f, 0.3f, 0.4f}},
      {"2 -1 0.5 1e40", {1.0f, 0.0f, 0.5f, 0.4f}},  // held to 0 to 1; 1e40 is no float
  };
  for (const Case& c : cases) {
    MemorySettingsStore store;
    store.writeText("Settings", "ClearColor", c.clearColor);
    ViewOptions options;
    for (int i = 0; i < 4; ++i) options.clearColor[i] = 0.1f * static_cast<float>(i + 1);
    loadViewOptions(store, options);
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(options.clearColor[i], c.expected[i]) << c.clearColor << " #" << i;
  }

  const std::pair<const char*, float> zooms[] = {  // the current zoom is 3
      {"4.000000", 4.0f}, {" 1.5", 1.5f}, {"5x", 5.0f}, {"abc", 3.0f}, {"", 3.0f},
      {"nan", 3.0f},      {"inf", 3.0f},  {"0", 0.25f}, {"-2", 0.25f}, {"1000", 10.0f}};
  for (const auto& [text, zoom] : zooms) {
    MemorySettingsStore store;
    store.writeText("Settings", "MapPageScale", text);
    store.writeText("Settings", "TilePageScale", text);
    ViewOptions options;
    options.mapZoom = options.tileZoom = 3.0f;
    loadViewOptions(store, options);
    EXPECT_FLOAT_EQ(options.mapZoom, zoom) << text;
    EXPECT_FLOAT_EQ(options.tileZoom, zoom) << text;
  }
}

}  // namespace
}  // namespace qarto
