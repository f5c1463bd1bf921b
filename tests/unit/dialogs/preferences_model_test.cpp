// The Preferences pages without their window: what they show, what OK
// stores and applies, and the screen sizes it refuses.
#include <gtest/gtest.h>

#include "edit/dialogs/preferences_model.h"
#include "model/settings/screen_size.h"
#include "model/settings/settings_defaults.h"
#include "model/settings/view_options.h"
#include "support/dialog_fixture.h"

namespace qarto::test {
namespace {

const std::string kScreenRange =
    "The screen width and height must each lie between 8 and 8192 pixels.\n\nPlease choose a valid size.";

TEST(PreferencesUndoPage, PositionsAndLevels) {
  const int levels[] = {1, 5, 10, 15, 20, 25, 30, 35, 40};
  for (int p = 0; p <= kMaxUndoPosition; ++p) {
    EXPECT_EQ(undoLevelsForPosition(p), levels[p]);
    EXPECT_EQ(undoLevelsLabel(p), std::to_string(levels[p]));
  }
  const struct {
    int stored;
    int position;
  } cases[] = {{1, 0}, {4, 0}, {5, 1}, {12, 2}, {40, 8}, {500, 8}};
  for (const auto& c : cases) EXPECT_EQ(undoPositionForLevels(c.stored), c.position) << c.stored;
}

TEST(PreferencesOpening, ShowsTheStoredValues) {
  DialogFixture f;
  ensureSettingsDefaults(f.settings);
  PreferencesValues values = loadPreferences(f.settings);
  EXPECT_FALSE(values.unlimitedUndo);
  EXPECT_EQ(values.undoPosition, 2);  // nothing stored: 10 levels
  EXPECT_EQ(values.screenWidthText, "240");
  EXPECT_EQ(values.screenHeightText, "160");
  EXPECT_FALSE(values.useDefMapPath);
  EXPECT_EQ(values.colours[0], 0x0000FFFFu);   // collision tiles: yellow
  EXPECT_EQ(values.colours[2], 0x00FFFFFFu);   // map grid: white
  EXPECT_EQ(values.colours[10], 0x00C83C00u);  // inactive tab
  EXPECT_EQ(values.alphaLevels, (std::array<int, 3>{11, 8, 8}));

  f.settings.writeInt("Settings", "UndoLevels", -1);
  f.settings.writeInt("Settings", "UseDefTilesetPath", 1);
  f.settings.writeText("Settings", "DefTilesetPath", "/pages");
  f.settings.writeInt("Settings", "ScreenWidth", 256);
  f.settings.writeInt("Settings", "LayerAlphaValue", 99);
  values = loadPreferences(f.settings);
  EXPECT_TRUE(values.unlimitedUndo);
  EXPECT_TRUE(values.useDefTilesetPath);
  EXPECT_EQ(values.tilesetPath, "/pages");
  EXPECT_EQ(values.screenWidthText, "256");
  EXPECT_EQ(values.alphaLevels[2], 15);
}

TEST(PreferencesOpening, OutOfRangeScreenReadsAsTheDefaultScreen) {
  const struct {
    int width;
    int height;
  } stored[] = {{0, 160}, {7, 160}, {240, 8193}, {-240, -160}, {100000, 100000}};
  for (const auto& s : stored) {
    DialogFixture f;
    f.settings.writeInt("Settings", "ScreenWidth", s.width);
    f.settings.writeInt("Settings", "ScreenHeight", s.height);
    const PreferencesValues values = loadPreferences(f.settings);
    EXPECT_EQ(values.screenWidthText, "240") << s.width << "x" << s.height;
    EXPECT_EQ(values.screenHeightText, "160") << s.width << "x" << s.height;
    ViewOptions options;
    options.screenWidth = 512;
    loadViewOptions(f.settings, options);
    EXPECT_EQ(options.screenWidth, 240);
    EXPECT_EQ(options.screenHeight, 160);
  }
  DialogFixture f;
  f.settings.writeInt("Settings", "ScreenWidth", 8);
  f.settings.writeInt("Settings", "ScreenHeight", 8192);
  const ScreenSize edges = readScreenSize(f.settings);
  EXPECT_EQ(edges.width, 8);
  EXPECT_EQ(edges.height, 8192);
}

TEST(PreferencesOk, StoresExactlyItsKeysAndAppliesThem) {
  DialogFixture f;
  PreferencesValues values = loadPreferences(f.settings);
  values.undoPosition = 0;
  values.mapPath = "/maps";
  values.useDefMapPath = true;
  values.screenWidthText = " 256 ";
  values.screenHeightText = "192";
  values.colours[4] = 0x00123456;
  values.alphaLevels[1] = 3;
  ASSERT_EQ(acceptPreferences(f.services, f.settings, f.project(), values), PreferencesOutcome::Accepted);

  std::set<std::string> owned = {"Settings/UndoLevels", "Settings/DefMapPath", "Settings/UseDefMapPath",
                                 "Settings/DefTilesetPath", "Settings/UseDefTilesetPath", "Settings/ScreenWidth",
                                 "Settings/ScreenHeight",   "Settings/EmulatorCommand", "Settings/EntityCatalogue"};
  for (const ColourPreference& c : kColourPreferences) owned.insert(std::string("Settings/") + c.key);
  for (const AlphaPreference& a : kAlphaPreferences) owned.insert(std::string("Settings/") + a.key);
  EXPECT_EQ(owned.size(), 23u);
  EXPECT_EQ(f.settings.written, owned);

  EXPECT_EQ(f.settings.readInt("Settings", "UndoLevels", 0), 1);  // position 0 is one level, not none
  EXPECT_EQ(f.settings.readText("Settings", "DefMapPath", ""), "/maps");
  EXPECT_EQ(f.settings.readInt("Settings", "UseDefMapPath", 0), 1);
  EXPECT_EQ(f.settings.readInt("Settings", "ScreenWidth", 0), 256);
  EXPECT_EQ(f.settings.readInt("Settings", "MapSelectionColor", 0), 0x00123456);
  EXPECT_EQ(f.settings.readInt("Settings", "CollisionLayerAlphaValue", 0), 3);
  EXPECT_EQ(f.project().screenWidth, 256);
  EXPECT_EQ(f.project().screenHeight, 192);
  EXPECT_EQ(f.project().journal().levels(), 1);
  EXPECT_TRUE(f.services.messages.empty());
}

TEST(PreferencesOk, UndoLevels) {
  DialogFixture f;
  PreferencesValues values = loadPreferences(f.settings);
  ASSERT_EQ(acceptPreferences(f.services, f.settings, f.project(), values), PreferencesOutcome::Accepted);
  EXPECT_EQ(f.settings.readInt("Settings", "UndoLevels", 0), 10);  // untouched page stores 10

  values.unlimitedUndo = true;
  ASSERT_EQ(acceptPreferences(f.services, f.settings, f.project(), values), PreferencesOutcome::Accepted);
  EXPECT_EQ(f.settings.readInt("Settings", "UndoLevels", 0), -1);
  EXPECT_EQ(f.project().journal().levels(), -1);
}

TEST(PreferencesOk, ScreenSizesOutsideTheRangeAreRefused) {
  const struct {
    const char* width;
    const char* height;
  } cases[] = {{"", "160"}, {"7", "160"}, {"240", "8193"}, {"-8", "160"}, {"abc", "xyz"},
               {"99999999999", "160"}, {"240", "0"}};
  for (const auto& c : cases) {
    DialogFixture f;
    PreferencesValues values = loadPreferences(f.settings);
    values.screenWidthText = c.width;
    values.screenHeightText = c.height;
    values.colours[0] = 0x00ABCDEF;
    EXPECT_EQ(acceptPreferences(f.services, f.settings, f.project(), values), PreferencesOutcome::StayOpen)
        << c.width << "x" << c.height;
    ASSERT_EQ(f.services.messages.size(), 1u);
    EXPECT_EQ(f.services.lastText(), kScreenRange);
    EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Preferences");
    EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Warning);
    EXPECT_TRUE(f.settings.written.empty());
    EXPECT_EQ(f.project().screenWidth, 240);
  }
  DialogFixture f;
  PreferencesValues values = loadPreferences(f.settings);
  values.screenWidthText = "8";
  values.screenHeightText = "8192";
  EXPECT_EQ(acceptPreferences(f.services, f.settings, f.project(), values), PreferencesOutcome::Accepted);
}

TEST(PreferencesUnlimited, AsksFirst) {
  DialogFixture f;
  f.services.answers = {MessageAnswer::No, MessageAnswer::Yes};
  EXPECT_FALSE(confirmUnlimitedUndo(f.services));
  EXPECT_TRUE(confirmUnlimitedUndo(f.services));
  ASSERT_EQ(f.services.messages.size(), 2u);
  EXPECT_EQ(f.services.lastText(),
            "Selecting this option gives Qarto the freedom to potentially consume large amounts of memory.  If your "
            "system becomes low on memory, applications may begin to behave erratically or exhibit poor "
            "performance.  Are you sure you'd like to use this feature?");
  EXPECT_EQ(f.services.lastMessage().buttons, MessageButtons::YesNo);
  EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Exclamation);
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99");
}

}  // namespace
}  // namespace qarto::test
