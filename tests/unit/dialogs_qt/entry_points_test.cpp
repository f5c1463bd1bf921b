// The entry points the main window calls, run modally as the window runs
// them, with the engine and the commands of a real editor.
#include <QCheckBox>
#include <QSlider>

#include "app/dialogs/editor_dialogs.h"
#include "app/dialogs/validate_tileset_dialog.h"
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
  QWidget window;
  int redraws = 0;

  EditorFixture() {
    EXPECT_TRUE(loadCollisionTileset(engine.session()));
    engine.project().addLayer("Level", 40, 24, 1.0f, 1.0f, LayerKind::Primary, true);
    engine.project().modified = false;
    engine.project().journal().clear();
  }
  DialogContext context() { return {&window, engine, commands, [this] { ++redraws; }}; }
};

TEST(EntryPoints, EachOpensItsDialogOverTheWindowAndCancelChangesNothing) {
  EditorFixture f;
  QPixmap mark(16, 16);
  mark.fill(Qt::magenta);
  f.window.setWindowIcon(QIcon(mark));
  const DialogContext c = f.context();
  const std::function<void()> entryPoints[] = {
      [&] { runNewMapWizard(c); },      [&] { runAddLayerDialog(c); },        [&] { runResizeLayerDialog(c); },
      [&] { runShiftLayerDialog(c); },  [&] { runImportSourceDialog(c); },    [&] { runPreferencesDialog(c); },
      [&] { runExportToHeaderDialog(c); }, [&] { runExportBinaryDialog(c); }, [&] { runCustomizeExportDialog(c); },
      [&] { runMakeCllDialog(c); }};
  QStringList titles;
  for (const auto& run : entryPoints) {
    onNextModal([&titles](QDialog& dialog) {
      titles << dialog.windowTitle();
      EXPECT_EQ(dialog.windowIcon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::magenta));
      dialog.reject();
    });
    run();
  }
  EXPECT_EQ(titles.join("|").replace("Qarto v0.99 - ", ""),
            "Create New Map Wizard|Add Layer|Resize Layer|Shift Layer Data|Import Layer from .h/.c/.cpp|Preferences|"
            "Export To Header|Export To Raw|Customize Text Export|Make .CLL Wizard");
  EXPECT_EQ(f.engine.project().layerCount(), 1);
  EXPECT_EQ(f.engine.project().journal().size(), 0u);
  EXPECT_TRUE(f.settings.written.empty());
}

TEST(EntryPoints, OkHandsBackWhatTheDialogDecided) {
  EditorFixture f;
  onNextModal([](QDialog& wizard) {
    child<QCheckBox>(wizard, "hasEntity")->setChecked(true);
    wizard.accept();
  });
  runNewMapWizard(f.context());
  EXPECT_EQ(f.engine.project().layerCount(), 3);
  EXPECT_NE(f.engine.project().findLayerOfKind(LayerKind::Entity), nullptr);
  onNextModal([](QDialog& dialog) {  // one entity layer a map
    EXPECT_FALSE(child<QAbstractButton>(dialog, "entity")->isEnabled());
    dialog.reject();
  });
  runAddLayerDialog(f.context());

  onNextModal([](QDialog& dialog) {
    child<QLineEdit>(dialog, "screenWidth")->setText("256");
    dialog.accept();
  });
  EXPECT_TRUE(runPreferencesDialog(f.context()));
  EXPECT_EQ(f.engine.project().screenWidth, 256);

  onNextModal([](QDialog& dialog) {
    child<QLineEdit>(dialog, "exportPath")->setText("/out");
    child<QSlider>(dialog, "luminance")->setValue(150);
    dialog.accept();
  });
  const std::optional<ExportOptions> options = runExportToHeaderDialog(f.context());
  ASSERT_TRUE(options.has_value());
  EXPECT_EQ(std::pair(options->directory, options->luminance), std::pair(std::string("/out/"), 50));
  onNextModal([](QDialog& dialog) {
    child<QSlider>(dialog, "bankOffset")->setValue(4);
    dialog.accept();
  });
  EXPECT_EQ(runExportBinaryDialog(f.context())->bankOffset, 4);

  onNextModal([](QDialog& dialog) {
    child<QLineEdit>(dialog, "path")->setText("/pages/a.bmp");
    dialog.accept();
  });
  EXPECT_EQ(runMakeCllDialog(f.context())->pagePath, "/pages/a.bmp");
}

TEST(EntryPoints, ShiftPreviewRedrawsTheView) {
  EditorFixture f;
  onNextModal([](QDialog& dialog) {
    child<QSlider>(dialog, "horizontal")->setValue(45);
    dialog.reject();
  });
  runShiftLayerDialog(f.context());
  EXPECT_GE(f.redraws, 2);  // the change, then the cells given back
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

}  // namespace
}  // namespace qarto::test
