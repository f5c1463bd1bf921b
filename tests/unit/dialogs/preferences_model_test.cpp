// The Preferences pages without their window: what they show, what OK
// stores and applies, and the screen sizes it refuses.
#include "edit/dialogs/preferences_model.h"

#include <gtest/gtest.h>

#include "model/settings/view_options.h"
#include "support/dialog_fixture.h"

namespace qarto::test {
namespace {

TEST(PreferencesOpening, ShowsTheStoredValuesAndTheDefaultScreenForAnOutOfRangeOne) {
  DialogFixture f;
  EXPECT_EQ(loadPreferences(f.settings).undoPosition, 2) << "nothing stored: 10 levels";
  f.settings.writeInt("Settings", "UndoLevels", -1);
  f.settings.writeInt("Settings", "UseDefTilesetPath", 1);
  f.settings.writeText("Settings", "DefTilesetPath", "/pages");
  f.settings.writeInt("Settings", "ScreenWidth", 256);
  f.settings.writeInt("Settings", "LayerAlphaValue", 99);
  const PreferencesValues values = loadPreferences(f.settings);
  EXPECT_EQ(std::tuple(values.unlimitedUndo, values.useDefTilesetPath, values.tilesetPath, values.screenWidthText,
                       values.alphaLevels[2]),
            std::tuple(true, true, "/pages", "256", 15));

  const std::pair<int, int> stored[] = {{0, 160}, {7, 160}, {240, 8193}, {-240, -160}, {100000, 100000}, {8, 8192}};
  for (const auto& [width, height] : stored) {
    DialogFixture g;
    g.settings.writeInt("Settings", "ScreenWidth", width);
    g.settings.writeInt("Settings", "ScreenHeight", height);
    const PreferencesValues shown = loadPreferences(g.settings);
    ViewOptions options;
    options.screenWidth = 512;
    loadViewOptions(g.settings, options);
    const bool inRange = width == 8;
    EXPECT_EQ(std::tuple(shown.screenWidthText, shown.screenHeightText, options.screenWidth, options.screenHeight),
              inRange ? std::tuple("8", "8192", 8, 8192) : std::tuple("240", "160", 240, 160))
        << width << "x" << height;
  }
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
  // Nine keys of the first pages, eleven colours and three opacities.
  std::set<std::string> pages = {"Settings/UndoLevels",     "Settings/DefMapPath",        "Settings/UseDefMapPath",
                                 "Settings/DefTilesetPath", "Settings/UseDefTilesetPath", "Settings/ScreenWidth",
                                 "Settings/ScreenHeight",   "Settings/EmulatorCommand",   "Settings/EntityCatalogue"};
  EXPECT_EQ(f.settings.written.size(), 23u);
  for (const std::string& key : pages) EXPECT_EQ(f.settings.written.count(key), 1u) << key;
  auto number = [&f](const char* key) { return f.settings.readInt("Settings", key, 0); };
  EXPECT_EQ(std::tuple(number("UndoLevels"), f.settings.readText("Settings", "DefMapPath", ""), number("UseDefMapPath"),
                       number("ScreenWidth"), number("MapSelectionColor"), number("CollisionLayerAlphaValue")),
            std::tuple(1, "/maps", 1, 256, 0x00123456, 3));  // position 0 is one level, not none
  EXPECT_EQ(std::tuple(f.project().screenWidth, f.project().screenHeight, f.project().journal().levels(),
                       f.services.messages.size()),
            std::tuple(256, 192, 1, 0u));
}

TEST(PreferencesOk, UndoLevels) {
  DialogFixture f;
  PreferencesValues values = loadPreferences(f.settings);
  ASSERT_EQ(acceptPreferences(f.services, f.settings, f.project(), values), PreferencesOutcome::Accepted);
  EXPECT_EQ(f.settings.readInt("Settings", "UndoLevels", 0), 10);  // untouched page stores 10
  values.unlimitedUndo = true;
  ASSERT_EQ(acceptPreferences(f.services, f.settings, f.project(), values), PreferencesOutcome::Accepted);
  EXPECT_EQ(std::tuple(f.settings.readInt("Settings", "UndoLevels", 0), f.project().journal().levels()),
            std::tuple(-1, -1));
}

// Text that is no number at all: typed_numbers_test.
TEST(PreferencesOk, ScreenSizesOutsideTheRangeAreRefused) {
  const std::pair<const char*, const char*> cases[] = {
      {"7", "160"}, {"240", "8193"}, {"-8", "160"}, {"99999999999", "160"}, {"240", "0"}};
  for (const auto& [width, height] : cases) {
    DialogFixture f;
    PreferencesValues values = loadPreferences(f.settings);
    values.screenWidthText = width;
    values.screenHeightText = height;
    values.colours[0] = 0x00ABCDEF;
    EXPECT_EQ(acceptPreferences(f.services, f.settings, f.project(), values), PreferencesOutcome::StayOpen)
        << width << "x" << height;
    EXPECT_EQ(f.services.messages,
              std::vector{shown("The screen width and height must each lie between 8 and 8192 pixels.\n\nPlease "
                                "choose a valid size.",
                                MessageIcon::Warning, " - Preferences")});
    EXPECT_EQ(std::tuple(f.settings.written.empty(), f.project().screenWidth), std::tuple(true, 240));
  }
}

TEST(PreferencesUnlimited, AsksFirst) {
  DialogFixture f;
  f.services.answers = {MessageAnswer::No};
  EXPECT_FALSE(confirmUnlimitedUndo(f.services));
  EXPECT_EQ(f.services.messages,
            std::vector{shown("Selecting this option gives Qarto the freedom to potentially consume large amounts of "
                              "memory.  If your system becomes low on memory, applications may begin to behave "
                              "erratically or exhibit poor performance.  Are you sure you'd like to use this feature?",
                              MessageIcon::Exclamation, "", MessageButtons::YesNo)});
}

}  // namespace
}  // namespace qarto::test
