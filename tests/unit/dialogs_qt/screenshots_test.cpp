// Every dialog laid out on the offscreen platform: no label, button or list
// is narrower than its text needs, and nothing lies outside the window.
// With QARTO_SCREENSHOT_DIR set, each is also saved there as a PNG (the
// pictures in docs/dialogs/ are made so).
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

#include "app/dialogs/about_box.h"
#include "app/dialogs/controls/tab_host.h"
#include "app/dialogs/customize_export/customize_export_dialog.h"
#include "app/dialogs/export/export_to_header_dialog.h"
#include "app/dialogs/layers/add_layer_dialog.h"
#include "app/dialogs/layers/import_source_dialog.h"
#include "app/dialogs/layers/resize_layer_dialog.h"
#include "app/dialogs/layers/shift_layer_dialog.h"
#include "app/dialogs/make_cll_dialog.h"
#include "app/dialogs/new_map_wizard_dialog.h"
#include "app/dialogs/preferences/preferences_dialog.h"
#include "app/dialogs/validate_tileset_dialog.h"
#include "gui_fixture.h"
#include "model/settings/settings_defaults.h"

namespace qarto::test {
namespace {

// The children of `dialog` whose text does not fit or that stick out.
std::vector<std::string> clippedChildren(QWidget& dialog) {
  std::vector<std::string> clipped;
  for (QWidget* widget : dialog.findChildren<QWidget*>()) {
    if (!widget->isVisible()) continue;
    const std::string name = (widget->objectName().isEmpty() ? QString(widget->metaObject()->className())
                                                             : widget->objectName()).toStdString();
    // Push buttons may be narrower than the style's usual width ("...", "?"):
    // only their text has to fit.
    auto* push = qobject_cast<QPushButton*>(widget);
    auto* edit = qobject_cast<QLineEdit*>(widget);
    const bool measured = qobject_cast<QLabel*>(widget) || qobject_cast<QCheckBox*>(widget) ||
                          qobject_cast<QRadioButton*>(widget) || qobject_cast<QComboBox*>(widget);
    if ((push && push->fontMetrics().horizontalAdvance(push->text()) + 8 > push->width()) ||
        (measured && (widget->width() < widget->minimumSizeHint().width() ||
                      widget->height() < widget->minimumSizeHint().height())) ||
        (edit && edit->text().size() < 40 && edit->fontMetrics().horizontalAdvance(edit->text()) > edit->width() - 6)) {
      clipped.push_back(name + " too small");
    }
    if (!dialog.rect().contains(QRect(widget->mapTo(&dialog, QPoint(0, 0)), widget->size()))) {
      clipped.push_back(name + " outside the window");
    }
  }
  return clipped;
}

// Lays the dialog out, checks it and saves it under `file` when asked to.
void shoot(QDialog& dialog, const char* file) {
  showAndWait(dialog);
  QApplication::processEvents();
  EXPECT_EQ(clippedChildren(dialog), std::vector<std::string>{}) << file;
  const QByteArray folder = qgetenv("QARTO_SCREENSHOT_DIR");
  if (folder.isEmpty()) return;
  QDir().mkpath(QString::fromUtf8(folder));
  EXPECT_TRUE(dialog.grab().save(QString::fromUtf8(folder) + "/" + file + ".png")) << file;
}

void shootTabs(QDialog& dialog, TabHost* tabs, const std::vector<const char*>& files) {
  for (std::size_t i = 0; i < files.size(); ++i) {
    tabs->setCurrentIndex(static_cast<int>(i));
    shoot(dialog, files[i]);
  }
}

TEST(DialogLayout, EveryDialogAndPageFits) {
  DialogFixture f;
  ensureSettingsDefaults(f.settings);
  f.settings.writeText("Settings", "ExportHeaderPath", "/home/me/game/source/maps");
  AboutBox about;
  shoot(about, "about_box");
  NewMapWizardDialog wizard(f.session, f.hooks());
  child<QCheckBox>(wizard, "layer2Enable")->setChecked(true);
  shoot(wizard, "new_map_wizard");
  PreferencesDialog preferences(f.services, f.settings, f.project());
  shootTabs(preferences, preferences.tabs(),
            {"preferences_undo_levels", "preferences_default_paths", "preferences_screen_size", "preferences_colors"});
  ExportToHeaderDialog header(f.services, f.settings, " - Export To Header");
  shoot(header, "export_to_header");
  ExportToHeaderDialog raw(f.services, f.settings, " - Export To Raw");
  child<QSlider>(raw, "saturation")->setValue(75);
  shoot(raw, "export_to_raw");
  CustomizeExportDialog customize(f.services, f.settings, "/tmp");
  shootTabs(customize, customize.tabs(),
            {"customize_export_palette", "customize_export_tiles", "customize_export_map",
             "customize_export_collision", "customize_export_miscellaneous"});
  ImportSourceDialog import(f.session);
  child<QLineEdit>(import, "paletteFile")
      ->setText(QString::fromUtf8(QARTO_SOURCE_DIR) + "/tests/golden/export/entities_collision/files/BG_Externs.h");
  import.scan(SourceGroup::Palette);
  shoot(import, "import_source");
  ValidateTilesetDialog validate(f.services, f.settings);
  child<QCheckBox>(validate, "sparse")->setChecked(true);
  shoot(validate, "validate_tileset");
  MakeCllDialog makeCll(f.session);
  child<QLineEdit>(makeCll, "path")->setText("/home/me/game/pages/level1.bmp");
  shoot(makeCll, "make_cll_wizard");

  f.project().addLayer("Level", 128, 64, 1.0f, 1.0f, LayerKind::Primary, true);
  AddLayerDialog add(f.project());
  shoot(add, "add_layer");
  ShiftLayerDialog shift(f.session);
  ASSERT_TRUE(shift.begin());
  child<QSlider>(shift, "horizontal")->setValue(131);
  shoot(shift, "shift_layer_data");
  shift.reject();
  ResizeLayerDialog resize(f.session);
  ASSERT_TRUE(resize.begin());
  shoot(resize, "resize_layer");
  f.project().addLayer("Far", 0, 0, 0.5f, 0.5f, LayerKind::Secondary, true);
  ResizeLayerDialog parallax(f.session);
  ASSERT_TRUE(parallax.begin());
  parallax.anchorButton(2)->click();
  shoot(parallax, "resize_layer_parallax");
}

}  // namespace
}  // namespace qarto::test
