#include "model/view_options.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

#include "model/memory_settings_store.h"

namespace qarto {
namespace {

ViewOptions changedOptions() {
  ViewOptions options;
  options.clearColor[0] = 0.25f;
  options.clearColor[1] = 0.5f;
  options.clearColor[2] = 0.125f;
  options.clearColor[3] = 1.0f;
  options.showMapGrid = false;
  options.showTileGrid = true;
  options.mapGridAlpha = false;
  options.tileGridAlpha = false;
  options.showFrameMask = true;
  options.centeredView = false;
  options.showLayerBounds = false;
  options.screenWidth = 256;
  options.screenHeight = 192;
  options.mapZoom = 3.5f;
  options.tileZoom = 0.25f;
  return options;
}

void expectSameOptions(const ViewOptions& actual, const ViewOptions& expected) {
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(actual.clearColor[i], expected.clearColor[i]) << "component " << i;
  EXPECT_EQ(actual.showMapGrid, expected.showMapGrid);
  EXPECT_EQ(actual.showTileGrid, expected.showTileGrid);
  EXPECT_EQ(actual.mapGridAlpha, expected.mapGridAlpha);
  EXPECT_EQ(actual.tileGridAlpha, expected.tileGridAlpha);
  EXPECT_EQ(actual.showFrameMask, expected.showFrameMask);
  EXPECT_EQ(actual.centeredView, expected.centeredView);
  EXPECT_EQ(actual.showLayerBounds, expected.showLayerBounds);
  EXPECT_EQ(actual.screenWidth, expected.screenWidth);
  EXPECT_EQ(actual.screenHeight, expected.screenHeight);
  EXPECT_FLOAT_EQ(actual.mapZoom, expected.mapZoom);
  EXPECT_FLOAT_EQ(actual.tileZoom, expected.tileZoom);
}

// Saves, checks the stored form, and loads into fresh options.
void expectRoundTrip() {
  MemorySettingsStore store;
  const ViewOptions saved = changedOptions();
  saveViewOptions(store, saved);

  EXPECT_EQ(store.readText("Settings", "ClearColor", ""), "0.250000 0.500000 0.125000 1.000000");
  EXPECT_EQ(store.readText("Settings", "MapPageScale", ""), "3.500000");
  EXPECT_EQ(store.readText("Settings", "TilePageScale", ""), "0.250000");
  EXPECT_EQ(store.readInt("Settings", "GBA_Mask", -1), 1);
  EXPECT_EQ(store.readInt("Settings", "MapGrid", -1), 0);
  EXPECT_FALSE(store.contains("Settings", "UndoLevels"));

  ViewOptions loaded;
  loadViewOptions(store, loaded);
  expectSameOptions(loaded, saved);
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

  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 2.5);
  EXPECT_STREQ(probe, "2,5") << "the locale should use a decimal comma";
  expectRoundTrip();
}

TEST(ViewOptions, EmptyStoreGivesTheStartValues) {
  MemorySettingsStore store;
  ViewOptions options;
  loadViewOptions(store, options);
  expectSameOptions(options, ViewOptions{});
  EXPECT_TRUE(store.values().empty());

  // The booleans and screen size default to the current values, the zooms to 2.
  options = changedOptions();
  loadViewOptions(store, options);
  ViewOptions expected = changedOptions();
  for (float& component : expected.clearColor) component = 0.0f;
  expected.mapZoom = 2.0f;
  expected.tileZoom = 2.0f;
  expectSameOptions(options, expected);
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
    SCOPED_TRACE(c.clearColor);
    MemorySettingsStore store;
    store.writeText("Settings", "ClearColor", c.clearColor);
    ViewOptions options;
    const float current[4] = {0.1f, 0.2f, 0.3f, 0.4f};
    for (int i = 0; i < 4; ++i) options.clearColor[i] = current[i];
    loadViewOptions(store, options);
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(options.clearColor[i], c.expected[i]) << "component " << i;
  }

  struct ZoomCase {
    const char* text;
    float expected;  // current zoom is 3
  };
  const ZoomCase zoomCases[] = {
      {"4.000000", 4.0f}, {" 1.5", 1.5f}, {"+2", 2.0f},  {"5x", 5.0f},   {"abc", 3.0f},   {"", 3.0f},
      {"-", 3.0f},        {"nan", 3.0f},  {"inf", 3.0f}, {"0", 0.25f},   {"-2", 0.25f},   {"1000", 10.0f},
  };
  for (const ZoomCase& c : zoomCases) {
    SCOPED_TRACE(c.text);
    MemorySettingsStore store;
    store.writeText("Settings", "MapPageScale", c.text);
    store.writeText("Settings", "TilePageScale", c.text);
    ViewOptions options;
    options.mapZoom = 3.0f;
    options.tileZoom = 3.0f;
    loadViewOptions(store, options);
    EXPECT_FLOAT_EQ(options.mapZoom, c.expected);
    EXPECT_FLOAT_EQ(options.tileZoom, c.expected);
  }
}

TEST(ViewOptions, AnyNonZeroFlagIsTrueAndGarbageKeepsTheCurrentValue) {
  MemorySettingsStore store;
  store.writeInt("Settings", "TileGrid", 7);
  store.writeInt("Settings", "GBA_Mask", -1);
  store.writeInt("Settings", "MapGrid", 0);
  store.writeText("Settings", "ShowLayerBounds", "yes");
  ViewOptions options;
  loadViewOptions(store, options);
  EXPECT_TRUE(options.showTileGrid);
  EXPECT_TRUE(options.showFrameMask);
  EXPECT_FALSE(options.showMapGrid);
  EXPECT_TRUE(options.showLayerBounds);
}

TEST(ViewOptions, UndoLevelsDefaultToOne) {
  MemorySettingsStore store;
  EXPECT_EQ(readUndoLevels(store), 1);
  store.writeInt("Settings", "UndoLevels", -1);
  EXPECT_EQ(readUndoLevels(store), -1);
  store.writeInt("Settings", "UndoLevels", 25);
  EXPECT_EQ(readUndoLevels(store), 25);
}

}  // namespace
}  // namespace qarto
