// The Preferences window: every control, the buttons with their choosers and
// questions, reaches its key on OK and comes back at the next opening, a
// refusal keeps the window open, Cancel stores nothing. The rules of the
// pages are the core's tests.
#include <QCheckBox>
#include <QRadioButton>
#include <QSlider>

#include "app/dialogs/controls/colour_button.h"
#include "app/dialogs/controls/tab_host.h"
#include "app/dialogs/preferences/preferences_dialog.h"
#include "gui_fixture.h"
#include "model/settings/settings_defaults.h"

namespace qarto::test {
namespace {

struct PreferencesFixture : DialogFixture {
  PreferencesDialog dialog{services, settings, project()};
  PreferencesFixture() {
    ensureSettingsDefaults(settings);
    settings.written.clear();
    showAndWait(dialog);
  }
  template <typename T>
  T* find(const char* name) {
    return child<T>(dialog, name);
  }
  void page(int index) { dialog.tabs()->setCurrentIndex(index); }
};

TEST(PreferencesDialog, EveryControlReachesItsKeyAndComesBackNextTime) {
  PreferencesFixture f;
  f.services.answers = {MessageAnswer::No};  // to unlimited undo levels
  click(f.find<QCheckBox>("unlimited"));
  EXPECT_FALSE(f.find<QCheckBox>("unlimited")->isChecked());
  f.find<QSlider>("undoSlider")->setValue(4);
  f.page(1);
  EXPECT_FALSE(f.find<QPushButton>("mapBrowse")->isEnabled());
  click(f.find<QRadioButton>("mapUseDefault"));
  click(f.find<QRadioButton>("tilesetUseDefault"));
  f.services.folderAnswers = {std::string("/maps")};
  click(f.find<QPushButton>("mapBrowse"));
  EXPECT_EQ(f.services.folderRequests, std::vector<std::string>{"Default Map Path"});
  const std::pair<const char*, const char*> texts[] = {{"tilesetFolder", "/pages"},
                                                       {"emulatorCommand", "emu %f"},
                                                       {"entityCatalogue", "/game.ini"},
                                                       {"screenWidth", "256"},
                                                       {"screenHeight", "192"}};
  for (const auto& [name, value] : texts) f.find<QLineEdit>(name)->setText(value);
  f.page(3);  // each colour button asks the chooser and shows its answer (0x00BBGGRR)
  const QList<ColourButton*> colours = f.dialog.findChildren<ColourButton*>();
  for (int i = 0; i < colours.size(); ++i) {
    f.services.colourAnswers = {static_cast<std::uint32_t>(0x100 + i)};
    click(colours[i]);
  }
  const QImage face = colours.back()->grab().toImage();
  EXPECT_EQ(face.pixelColor(face.width() / 2, face.height() / 2), QColor(0x0A, 0x01, 0x00));
  const char* alphas[] = {"BrushAlphaValue", "CollisionLayerAlphaValue", "LayerAlphaValue"};
  for (int i = 0; i < 3; ++i) f.find<QSlider>(alphas[i])->setValue(3 + i);
  click(button(f.dialog, "Ok"));
  ASSERT_EQ(f.dialog.result(), QDialog::Accepted);

  const std::pair<const char*, const char*> stored[] = {
      {"DefMapPath", "/maps"},           {"UseDefMapPath", "1"},         {"DefTilesetPath", "/pages"},
      {"UseDefTilesetPath", "1"},        {"EmulatorCommand", "emu %f"},  {"EntityCatalogue", "/game.ini"},
      {"ScreenWidth", "256"},            {"ScreenHeight", "192"},        {"UndoLevels", "20"},
      {"BrushAlphaValue", "3"},          {"CollisionLayerAlphaValue", "4"}, {"LayerAlphaValue", "5"}};
  for (const auto& [key, value] : stored) EXPECT_EQ(f.settings.readText("Settings", key, ""), value) << key;
  ASSERT_EQ(colours.size(), 11);
  for (int i = 0; i < colours.size(); ++i) {
    EXPECT_EQ(f.settings.readInt("Settings", colours[i]->objectName().toStdString(), 0), 0x100 + i) << i;
  }
  EXPECT_EQ(std::tuple(f.project().screenWidth, f.project().journal().levels()), std::tuple(256, 20));

  const auto shown = [](const PreferencesValues& v) {
    return std::tuple(v.undoPosition, v.mapPath, v.useDefMapPath, v.tilesetPath, v.useDefTilesetPath,
                      v.emulatorCommand, v.entityCataloguePath, v.screenWidthText, v.screenHeightText, v.colours,
                      v.alphaLevels);
  };
  EXPECT_EQ(shown(PreferencesDialog(f.services, f.settings, f.project()).values()), shown(f.dialog.values()));
}

// Wherever the focus is, even on a colour button, Enter is OK.
TEST(PreferencesDialog, EnterPressesOk) {
  PreferencesFixture f;
  f.page(3);
  ColourButton* colour = f.dialog.findChildren<ColourButton*>().front();
  colour->setFocus();
  QTest::keyClick(colour, Qt::Key_Return);
  EXPECT_EQ(f.dialog.result(), QDialog::Accepted);
}

TEST(PreferencesDialog, ARefusalKeepsItOpenAndCancelStoresNothing) {
  PreferencesFixture f;
  f.page(2);
  type(f.find<QLineEdit>("screenWidth"), "7");
  click(button(f.dialog, "Ok"));
  EXPECT_TRUE(f.dialog.isVisible());
  EXPECT_EQ(f.services.lastText(),
            "The screen width and height must each lie between 8 and 8192 pixels.\n\nPlease choose a valid size.");
  f.find<QSlider>("undoSlider")->setValue(8);
  click(button(f.dialog, "Cancel"));
  EXPECT_EQ(f.dialog.result(), QDialog::Rejected);
  EXPECT_TRUE(f.settings.written.empty());
  EXPECT_EQ(f.project().screenWidth, 240);
}

}  // namespace
}  // namespace qarto::test
