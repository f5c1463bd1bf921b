// The Preferences window: its tabs and pages, OK storing exactly its keys
// through the settings code, Cancel storing nothing, and its refusals.
#include <QCheckBox>
#include <QRadioButton>
#include <QSlider>

#include "app/dialogs/controls/colour_button.h"
#include "app/dialogs/controls/tab_host.h"
#include "app/dialogs/preferences/colors_page.h"
#include "app/dialogs/preferences/preferences_dialog.h"
#include "gui_fixture.h"
#include "model/settings/settings_defaults.h"
#include "platform/qt_settings_store.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

struct PreferencesFixture : DialogFixture {
  PreferencesFixture() { ensureSettingsDefaults(settings); settings.written.clear(); }
};

template <typename T>
T* find(PreferencesDialog& dialog, const char* name) {
  return child<T>(dialog, name);
}

TEST(PreferencesDialog, TabsInOrderFirstShown) {
  PreferencesFixture f;
  PreferencesDialog dialog(f.services, f.settings, f.project());
  showAndWait(dialog);
  EXPECT_EQ(dialog.windowTitle(), "Qarto v0.99 - Preferences");
  TabHost* tabs = dialog.tabs();
  ASSERT_EQ(tabs->count(), 4);
  EXPECT_EQ(tabs->tabText(0), " Undo Levels ");
  EXPECT_EQ(tabs->tabText(1), " Default Paths ");
  EXPECT_EQ(tabs->tabText(2), " Screen Size ");
  EXPECT_EQ(tabs->tabText(3), " Colors ");
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_TRUE(tabs->page(0)->isVisible());
  EXPECT_FALSE(tabs->page(3)->isVisible());
  EXPECT_NE(button(dialog, "Ok"), nullptr);
  EXPECT_NE(button(dialog, "Cancel"), nullptr);
}

TEST(PreferencesDialog, UndoPage) {
  PreferencesFixture f;
  PreferencesDialog dialog(f.services, f.settings, f.project());
  showAndWait(dialog);
  auto* slider = find<QSlider>(dialog, "undoSlider");
  auto* value = find<QLabel>(dialog, "undoValue");
  auto* unlimited = find<QCheckBox>(dialog, "unlimited");
  EXPECT_EQ(slider->value(), 2);  // nothing stored: 10
  EXPECT_EQ(text(value), "10");
  slider->setValue(0);
  EXPECT_EQ(text(value), "1");
  slider->setValue(7);
  EXPECT_EQ(text(value), "35");

  f.services.answers = {MessageAnswer::No};
  click(unlimited);
  EXPECT_FALSE(unlimited->isChecked());
  EXPECT_TRUE(slider->isEnabled());
  EXPECT_EQ(f.services.lastMessage().buttons, MessageButtons::YesNo);

  f.services.answers = {MessageAnswer::Yes};
  click(unlimited);
  EXPECT_TRUE(unlimited->isChecked());
  EXPECT_FALSE(slider->isEnabled());
  EXPECT_FALSE(value->isEnabled());
  const std::size_t asked = f.services.messages.size();
  click(unlimited);  // unticking asks nothing
  EXPECT_TRUE(slider->isEnabled());
  EXPECT_EQ(f.services.messages.size(), asked);
}

TEST(PreferencesDialog, PathsPage) {
  PreferencesFixture f;
  f.settings.writeText("Settings", "DefTilesetPath", "/pages");
  f.settings.writeInt("Settings", "UseDefTilesetPath", 1);
  PreferencesDialog dialog(f.services, f.settings, f.project());
  showAndWait(dialog);
  dialog.tabs()->setCurrentIndex(1);
  EXPECT_TRUE(find<QRadioButton>(dialog, "mapRecent")->isChecked());
  EXPECT_FALSE(find<QLineEdit>(dialog, "mapFolder")->isEnabled());
  EXPECT_FALSE(find<QPushButton>(dialog, "mapBrowse")->isEnabled());
  EXPECT_TRUE(find<QRadioButton>(dialog, "tilesetUseDefault")->isChecked());
  EXPECT_EQ(text(find<QLineEdit>(dialog, "tilesetFolder")), "/pages");

  click(find<QRadioButton>(dialog, "mapUseDefault"));
  EXPECT_TRUE(find<QLineEdit>(dialog, "mapFolder")->isEnabled());
  f.services.folderAnswers = {std::string("/home/me/maps")};
  click(find<QPushButton>(dialog, "mapBrowse"));
  ASSERT_EQ(f.services.folderRequests.size(), 1u);
  EXPECT_EQ(f.services.folderRequests[0], "Default Map Path");
  EXPECT_EQ(text(find<QLineEdit>(dialog, "mapFolder")), "/home/me/maps");
  click(find<QPushButton>(dialog, "tilesetBrowse"));  // cancelled chooser keeps the folder
  EXPECT_EQ(f.services.folderRequests[1], "Default Tileset Path");
  EXPECT_EQ(text(find<QLineEdit>(dialog, "tilesetFolder")), "/pages");
}

TEST(PreferencesDialog, OkStoresExactlyItsKeysAndAppliesThem) {
  PreferencesFixture f;
  PreferencesDialog dialog(f.services, f.settings, f.project());
  showAndWait(dialog);
  find<QSlider>(dialog, "undoSlider")->setValue(4);
  dialog.tabs()->setCurrentIndex(2);
  type(find<QLineEdit>(dialog, "screenWidth"), " 256 ");
  dialog.tabs()->setCurrentIndex(3);
  f.services.colourAnswers = {std::uint32_t{0x00336699}};
  click(find<ColourButton>(dialog, "TileGridColor"));
  find<QSlider>(dialog, "BrushAlphaValue")->setValue(15);
  click(button(dialog, "Ok"));

  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  std::set<std::string> owned = {"Settings/UndoLevels", "Settings/DefMapPath", "Settings/UseDefMapPath",
                                 "Settings/DefTilesetPath", "Settings/UseDefTilesetPath", "Settings/ScreenWidth",
                                 "Settings/ScreenHeight", "Settings/EmulatorCommand", "Settings/EntityCatalogue"};
  for (const char* key : {"CollisionTileColor", "BrushWarningColor", "MapGridColor", "MapDrawSelectionColor",
                          "MapSelectionColor", "TileGridColor", "TileDrawSelectionColor", "TileSelectionColor",
                          "TilesetFocusColor", "TilesetActiveColor", "TilesetInactiveColor", "BrushAlphaValue",
                          "CollisionLayerAlphaValue", "LayerAlphaValue"}) {
    owned.insert(std::string("Settings/") + key);
  }
  EXPECT_EQ(f.settings.written, owned);
  EXPECT_EQ(f.settings.readInt("Settings", "UndoLevels", 0), 20);
  EXPECT_EQ(f.settings.readInt("Settings", "ScreenWidth", 0), 256);
  EXPECT_EQ(f.settings.readInt("Settings", "TileGridColor", 0), 0x00336699);
  EXPECT_EQ(f.settings.readInt("Settings", "BrushAlphaValue", 0), 15);
  EXPECT_EQ(f.settings.readInt("Settings", "MapGridColor", 0), 0x00FFFFFF);  // unchanged, stored again
  EXPECT_EQ(f.project().screenWidth, 256);
  EXPECT_EQ(f.project().journal().levels(), 20);
  ASSERT_EQ(f.services.messages.size(), 0u);
}

TEST(PreferencesDialog, CancelStoresNothing) {
  PreferencesFixture f;
  const auto before = f.settings.values();
  PreferencesDialog dialog(f.services, f.settings, f.project());
  showAndWait(dialog);
  find<QSlider>(dialog, "undoSlider")->setValue(8);
  type(find<QLineEdit>(dialog, "screenHeight"), "7");
  dialog.tabs()->setCurrentIndex(3);
  f.services.colourAnswers = {std::uint32_t{0x00000001}};
  click(find<ColourButton>(dialog, "CollisionTileColor"));
  click(button(dialog, "Cancel"));
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(f.settings.values(), before);
  EXPECT_TRUE(f.settings.written.empty());
  EXPECT_EQ(f.project().screenHeight, 160);
}

TEST(PreferencesDialog, ScreenSizeOutOfRangeIsRefusedAndTheDialogStays) {
  const struct {
    const char* width;
    const char* height;
  } cases[] = {{"7", "160"}, {"240", "8193"}, {"", "160"}, {"0", "0"}, {"99999999999", "160"}};
  for (const auto& c : cases) {
    PreferencesFixture f;
    PreferencesDialog dialog(f.services, f.settings, f.project());
    showAndWait(dialog);
    type(find<QLineEdit>(dialog, "screenWidth"), c.width);
    type(find<QLineEdit>(dialog, "screenHeight"), c.height);
    click(button(dialog, "Ok"));
    EXPECT_TRUE(dialog.isVisible()) << c.width << "x" << c.height;
    ASSERT_EQ(f.services.messages.size(), 1u);
    EXPECT_EQ(f.services.lastText(),
              "The screen width and height must each lie between 8 and 8192 pixels.\n\nPlease choose a valid size.");
    EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Preferences");
    EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Warning);
    EXPECT_TRUE(f.settings.written.empty());
    EXPECT_EQ(text(find<QLineEdit>(dialog, "screenWidth")), c.width);
  }
}

TEST(PreferencesDialog, StoredScreenOutOfRangeShowsTheDefaultScreen) {
  PreferencesFixture f;
  f.settings.writeInt("Settings", "ScreenWidth", 9000);
  PreferencesDialog dialog(f.services, f.settings, f.project());
  EXPECT_EQ(text(find<QLineEdit>(dialog, "screenWidth")), "240");
  EXPECT_EQ(text(find<QLineEdit>(dialog, "screenHeight")), "160");
}

TEST(PreferencesDialog, ColorsPageShowsTheStoredColours) {
  PreferencesFixture f;
  PreferencesDialog dialog(f.services, f.settings, f.project());
  ColorsPage* colours = dialog.colorsPage();
  EXPECT_EQ(colours->colourButton(0)->colour(), 0x0000FFFFu);
  EXPECT_EQ(find<ColourButton>(dialog, "TilesetActiveColor")->colour(), 0x001A1AFFu);
  EXPECT_EQ(find<QSlider>(dialog, "LayerAlphaValue")->value(), 8);
  EXPECT_EQ(find<QSlider>(dialog, "LayerAlphaValue")->maximum(), 15);
  // The two tab colours the page does not offer keep their keys untouched.
  EXPECT_EQ(dialog.findChild<ColourButton*>("MapActiveColor"), nullptr);
  EXPECT_EQ(dialog.findChild<ColourButton*>("CollisionFocusColor"), nullptr);
}

// Through the real settings file: OK, then a fresh store reads what was written.
TEST(PreferencesDialog, RealSettingsFileRoundTrip) {
  TempFolder folder;
  const std::string ini = folder.file("Qarto.ini");
  ScriptedServices services;
  HeadlessTilesetHost host;
  {
    QtSettingsStore store(ini);
    ensureSettingsDefaults(store);
    EditorSession session(services, store, host);
    PreferencesDialog dialog(services, store, session.project());
    showAndWait(dialog);
    find<QSlider>(dialog, "undoSlider")->setValue(3);
    dialog.tabs()->setCurrentIndex(1);
    click(find<QRadioButton>(dialog, "mapUseDefault"));
    type(find<QLineEdit>(dialog, "mapFolder"), "/maps, with a comma");
    click(button(dialog, "Ok"));
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_TRUE(store.sync());
  }
  QtSettingsStore reopened(ini);
  EXPECT_EQ(reopened.readInt("Settings", "UndoLevels", 0), 15);
  EXPECT_EQ(reopened.readText("Settings", "DefMapPath", ""), "/maps, with a comma");
  EXPECT_EQ(reopened.readInt("Settings", "UseDefMapPath", 0), 1);
  ScriptedServices again;
  EditorSession session(again, reopened, host);
  PreferencesDialog dialog(again, reopened, session.project());
  EXPECT_EQ(find<QSlider>(dialog, "undoSlider")->value(), 3);
  EXPECT_EQ(text(find<QLineEdit>(dialog, "mapFolder")), "/maps, with a comma");
}

}  // namespace
}  // namespace qarto::test
