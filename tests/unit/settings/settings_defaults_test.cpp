#include "model/settings_defaults.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "model/memory_settings_store.h"

namespace qarto {
namespace {

using Value = MemorySettingsStore::Value;

// A memory store that notes every call, to check what start-up does and in
// which order.
class RecordingStore : public MemorySettingsStore {
 public:
  int readInt(const std::string& section, const std::string& key, int defaultValue) override {
    calls.push_back("readInt " + section + "/" + key);
    return MemorySettingsStore::readInt(section, key, defaultValue);
  }
  void writeInt(const std::string& section, const std::string& key, int value) override {
    calls.push_back("writeInt " + section + "/" + key);
    MemorySettingsStore::writeInt(section, key, value);
  }
  std::string readText(const std::string& section, const std::string& key, const std::string& defaultValue) override {
    calls.push_back("readText " + section + "/" + key);
    return MemorySettingsStore::readText(section, key, defaultValue);
  }
  void writeText(const std::string& section, const std::string& key, const std::string& value) override {
    calls.push_back("writeText " + section + "/" + key);
    MemorySettingsStore::writeText(section, key, value);
  }

  std::vector<std::string> calls;
};

struct ExpectedDefault {
  const char* key;
  Value value;
};

// The start-up keys with their defaults, in the order start-up writes them.
const std::vector<ExpectedDefault> kExpectedDefaults = {
    {"CollisionTileColor", 0x0000FFFF},     {"BrushWarningColor", 0x000000FF},
    {"MapGridColor", 0x00FFFFFF},           {"MapSelectionColor", 0x0000FFFF},
    {"MapDrawSelectionColor", 0x000000FF},  {"CollisionFocusColor", 0x001AC8FF},
    {"CollisionActiveColor", 0x001A80FF},   {"CollisionInactiveColor", 0x00C8B200},
    {"MapFocusColor", 0x00FFC850},          {"MapActiveColor", 0x001A1AFF},
    {"MapInactiveColor", 0x00C83C00},       {"TileGridColor", 0x00FFFFFF},
    {"TileSelectionColor", 0x0000FFFF},     {"TileDrawSelectionColor", 0x000000FF},
    {"TilesetFocusColor", 0x00FFC850},      {"TilesetActiveColor", 0x001A1AFF},
    {"TilesetInactiveColor", 0x00C83C00},   {"BrushAlphaValue", 11},
    {"LayerAlphaValue", 8},                 {"CollisionLayerAlphaValue", 8},
    {"DefMapPath", std::string()},          {"UseDefMapPath", 0},
    {"DefTilesetPath", std::string()},      {"UseDefTilesetPath", 0},
    {"ScreenWidth", 240},                   {"ScreenHeight", 160},
};

TEST(SettingsDefaults, FirstStartWritesEveryStartupKeyAndNothingElse) {
  MemorySettingsStore store;
  ensureSettingsDefaults(store);

  ASSERT_EQ(store.values().size(), kExpectedDefaults.size());
  for (const ExpectedDefault& expected : kExpectedDefaults) {
    SCOPED_TRACE(expected.key);
    auto it = store.values().find({"Settings", expected.key});
    ASSERT_NE(it, store.values().end());
    // Texts must be stored as texts and numbers as numbers.
    EXPECT_EQ(it->second, expected.value);
  }

  // The view options and the remembered folders appear only later.
  for (const char* key : {"ClearColor", "MapGrid", "TileGrid", "MapGridAlpha", "TileGridAlpha", "GBA_Mask",
                          "CenteredView", "ShowLayerBounds", "MapPageScale", "TilePageScale", "UndoLevels",
                          "LastMapPath", "LastTilesetPath"}) {
    EXPECT_FALSE(store.contains("Settings", key)) << key;
  }
}

TEST(SettingsDefaults, KeepsStoredValuesAndWritesInTableOrder) {
  RecordingStore store;
  store.writeInt("Settings", "MapGridColor", 0x00123456);
  store.writeText("Settings", "DefMapPath", "/home/me/maps, levels");
  store.writeInt("Settings", "ScreenWidth", 256);
  store.writeInt("Exporting", "ScreenWidth", 7);
  store.calls.clear();

  ensureSettingsDefaults(store);

  std::vector<std::string> expectedCalls;
  for (const ExpectedDefault& expected : kExpectedDefaults) {
    const bool text = std::holds_alternative<std::string>(expected.value);
    const std::string path = std::string("Settings/") + expected.key;
    expectedCalls.push_back((text ? "readText " : "readInt ") + path);
    expectedCalls.push_back((text ? "writeText " : "writeInt ") + path);
  }
  EXPECT_EQ(store.calls, expectedCalls);

  EXPECT_EQ(store.readInt("Settings", "MapGridColor", 0), 0x00123456);
  EXPECT_EQ(store.readText("Settings", "DefMapPath", ""), "/home/me/maps, levels");
  EXPECT_EQ(store.readInt("Settings", "ScreenWidth", 0), 256);
  EXPECT_EQ(store.readInt("Exporting", "ScreenWidth", 0), 7);
  EXPECT_EQ(store.readInt("Settings", "ScreenHeight", 0), 160);

  // A second start changes nothing.
  const auto before = store.values();
  ensureSettingsDefaults(store);
  EXPECT_EQ(store.values(), before);
}

}  // namespace
}  // namespace qarto
