// The Preferences pages without their window: what they show, what OK
// stores and applies, and the screen sizes it refuses.
#include "edit/dialogs/preferences_model.h"

#include <gtest/gtest.h>

#include "model/settings/view_options.h"
#include "support/dialog_fixture.h"

namespace qarto::test {
namespace {

TEST(PreferencesOpening, ShowsTheStoredValuesAndTheDefaultScreenForAnOutOfRangeOne) {
  // The stored values coming back is the window's test; here, the stored values it must mend.
  DialogFixture f;
  f.settings.writeInt("Settings", "UndoLevels", -1);
  f.settings.writeInt("Settings", "LayerAlphaValue", 99);
  const PreferencesValues values = loadPreferences(f.settings);
  EXPECT_EQ(std::tuple(values.unlimitedUndo, values.alphaLevels[2]), std::tuple(true, 15));

  const std::pair<int, int> stored[] = {{7, 160}, {240, 8193}, {-240, -160}, {8, 8192}};
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

// Every key reaching its setting is the window's test; here, that OK stores
// its own keys only (ten of the first pages, eleven colours, three
// opacities) and the undo levels it applies.
TEST(PreferencesOk, StoresOnlyItsKeysAndAppliesTheUndoLevels) {
  DialogFixture f;
  PreferencesValues values = loadPreferences(f.settings);
  values.undoPosition = 0;
  ASSERT_EQ(acceptPreferences(f.services, f.settings, f.project(), values), PreferencesOutcome::Accepted);
  EXPECT_EQ(std::tuple(f.settings.written.size(), f.settings.readInt("Settings", "UndoLevels", 0),
                       f.project().journal().levels()),
            std::tuple(24u, 1, 1));  // position 0 is one level, not none
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
