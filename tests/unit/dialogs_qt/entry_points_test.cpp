// The entry points the main window calls, run modally as the window runs
// them, with the engine and the commands of a real editor.
#include <QCheckBox>
#include <QSlider>

#include "app/dialogs/editor_dialogs.h"
#include "app/dialogs/validate_tileset_dialog.h"
#include "edit/commands/command_ids.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "gui_fixture.h"

namespace qarto::test {
namespace {

struct EditorFixture {
  ScriptedServices services;
  LoggingSettingsStore settings;
  HeadlessTilesetHost host;
  MapViewEngine engine{services, settings, host};
  EditorCommands commands{engine};
  std::vector<std::string> titles;
  QWidget window;
  int redraws = 0;

  EditorFixture() { EXPECT_TRUE(loadCollisionTileset(engine.session())); }
  DialogContext context() { return {&window, engine, commands, [this] { ++redraws; }}; }
};

TEST(EntryPoints, NewMapWizardBuildsTheMap) {
  EditorFixture f;
  onNextModal([](QDialog& wizard) {
    EXPECT_EQ(wizard.windowTitle(), "Qarto v0.99 - Create New Map Wizard");
    wizard.accept();
  });
  runNewMapWizard(f.context());
  EXPECT_EQ(f.engine.project().layerCount(), 2);
  EXPECT_TRUE(f.engine.mapOpen());
  EXPECT_EQ(f.engine.project().journal().size(), 0u);
}

TEST(EntryPoints, AddLayerOnTheOpenMap) {
  EditorFixture f;
  f.engine.project().addLayer("Level", 64, 40, 1.0f, 1.0f, LayerKind::Primary, true);
  onNextModal([](QDialog& dialog) {
    child<QComboBox>(dialog, "unitX")->setCurrentIndex(2);
    child<QLineEdit>(dialog, "amountX")->setText("2.0");
    dialog.accept();
  });
  runAddLayerDialog(f.context());
  ASSERT_EQ(f.engine.project().layerCount(), 2);
  EXPECT_EQ(f.engine.project().layerAt(0)->width, 60);
  EXPECT_EQ(f.engine.project().layerAt(0)->height, 40);
}

TEST(EntryPoints, PreferencesOkReturnsTrueCancelFalse) {
  EditorFixture f;
  onNextModal([](QDialog& dialog) {
    child<QLineEdit>(dialog, "screenWidth")->setText("256");
    dialog.accept();
  });
  EXPECT_TRUE(runPreferencesDialog(f.context()));
  EXPECT_EQ(f.settings.readInt("Settings", "ScreenWidth", 0), 256);
  EXPECT_EQ(f.engine.project().screenWidth, 256);

  f.settings.written.clear();
  onNextModal([](QDialog& dialog) { dialog.reject(); });
  EXPECT_FALSE(runPreferencesDialog(f.context()));
  EXPECT_TRUE(f.settings.written.empty());
}

TEST(EntryPoints, ExportDialogsHandBackTheirAnswers) {
  EditorFixture f;
  onNextModal([](QDialog& dialog) {
    child<QLineEdit>(dialog, "exportPath")->setText("/out");
    child<QSlider>(dialog, "luminance")->setValue(150);
    dialog.accept();
  });
  const std::optional<ExportOptions> options = runExportToHeaderDialog(f.context());
  ASSERT_TRUE(options.has_value());
  EXPECT_EQ(options->directory, "/out/");
  EXPECT_EQ(options->luminance, 50);

  onNextModal([](QDialog& dialog) { dialog.reject(); });
  EXPECT_FALSE(runExportToHeaderDialog(f.context()).has_value());

  // The binary export keeps its settings like the header export.
  f.settings.written.clear();
  onNextModal([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Qarto v0.99 - Export To Raw");
    child<QSlider>(dialog, "bankOffset")->setValue(4);
    dialog.accept();
  });
  EXPECT_EQ(runExportBinaryDialog(f.context())->bankOffset, 4);
  EXPECT_EQ(f.settings.readInt("Settings", "BankOffset", 0), 4);
  EXPECT_EQ(f.settings.written.size(), 5u);
}

TEST(EntryPoints, MakeCllHandsBackTheRequest) {
  EditorFixture f;
  onNextModal([](QDialog& dialog) {
    child<QLineEdit>(dialog, "path")->setText("/pages/a.bmp");
    child<QCheckBox>(dialog, "minimumMatch")->setChecked(true);
    dialog.accept();
  });
  const std::optional<MakeCllRequest> request = runMakeCllDialog(f.context());
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(request->pagePath, "/pages/a.bmp");
  EXPECT_TRUE(request->minimumMatch);
}

TEST(EntryPoints, ShiftPreviewRedrawsTheView) {
  EditorFixture f;
  f.engine.project().addLayer("Level", 40, 24, 1.0f, 1.0f, LayerKind::Primary, true);
  onNextModal([](QDialog& dialog) {
    child<QSlider>(dialog, "horizontal")->setValue(45);
    dialog.reject();
  });
  runShiftLayerDialog(f.context());
  EXPECT_GE(f.redraws, 2);  // the change, then the cells given back
}

TEST(EntryPoints, ResizeAndImportAndCustomizeOpenAndClose) {
  EditorFixture f;
  f.engine.project().addLayer("Level", 40, 24, 1.0f, 1.0f, LayerKind::Primary, true);
  QStringList titles;
  auto closeNext = [&titles] {
    onNextModal([&titles](QDialog& dialog) {
      titles << dialog.windowTitle();
      dialog.reject();
    });
  };
  closeNext();
  runResizeLayerDialog(f.context());
  closeNext();
  runImportSourceDialog(f.context());
  closeNext();
  runCustomizeExportDialog(f.context());
  EXPECT_EQ(titles, (QStringList{"Qarto v0.99 - Resize Layer", "Qarto v0.99 - Import Layer from .h/.c/.cpp",
                                 "Qarto v0.99 - Customize Text Export"}));
}

TEST(EntryPoints, ValidateTilesetStaysOpenAndIsOpenedOnce) {
  EditorFixture f;
  f.window.show();
  showValidateTilesetDialog(f.context());
  showValidateTilesetDialog(f.context());
  QList<ValidateTilesetDialog*> open = f.window.findChildren<ValidateTilesetDialog*>();
  ASSERT_EQ(open.size(), 1);
  EXPECT_TRUE(waitFor([&] { return open[0]->isVisible(); }));
  EXPECT_FALSE(open[0]->isModal());
  open[0]->close();
  EXPECT_TRUE(waitFor([&] { return f.window.findChildren<ValidateTilesetDialog*>().isEmpty(); }));
}

TEST(EntryPoints, DialogsShowTheIconOfTheirWindow) {
  EditorFixture f;
  QPixmap mark(16, 16);
  mark.fill(Qt::magenta);
  f.window.setWindowIcon(QIcon(mark));
  QImage shown;
  onNextModal([&shown](QDialog& dialog) {
    shown = dialog.windowIcon().pixmap(16, 16).toImage();
    dialog.reject();
  });
  runImportSourceDialog(f.context());
  ASSERT_FALSE(shown.isNull());
  EXPECT_EQ(shown.pixelColor(8, 8), QColor(Qt::magenta));
}

// A map starts with an entity layer from the wizard's box; Add Layer offers
// one only while the map has none.
TEST(EntryPoints, EntityLayersFromTheWizardAndFromAddLayer) {
  EditorFixture f;
  onNextModal([](QDialog& wizard) {
    child<QCheckBox>(wizard, "hasEntity")->setChecked(true);
    wizard.accept();
  });
  runNewMapWizard(f.context());
  MapLayer* entities = f.engine.project().findLayerOfKind(LayerKind::Entity);
  ASSERT_NE(entities, nullptr);
  EXPECT_EQ(f.settings.readInt("Settings", "HasEntity", 0), 1);
  onNextModal([](QDialog& dialog) {
    EXPECT_FALSE(child<QAbstractButton>(dialog, "entity")->isEnabled());
    dialog.reject();
  });
  runAddLayerDialog(f.context());
  f.engine.project().takeLayer(entities);
  onNextModal([](QDialog& dialog) {
    child<QAbstractButton>(dialog, "entity")->click();
    child<QLineEdit>(dialog, "name")->setText("Enemies");
    dialog.accept();
  });
  runAddLayerDialog(f.context());
  ASSERT_NE(f.engine.project().findLayerOfKind(LayerKind::Entity), nullptr);
  EXPECT_EQ(f.engine.project().findLayerOfKind(LayerKind::Entity)->nameText(), "Enemies");
}

}  // namespace
}  // namespace qarto::test
