// The entry points the main window calls, run modally as the window runs
// them, with the engine and the commands of a real editor.
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

// Each entry point opens its dialog over the window; Cancel changes nothing
// and hands nothing back (Shift's preview redraws the view on the way), OK
// hands back what the dialog decided.
TEST(EntryPoints, EachOpensItsDialogOverTheWindow) {
  EditorFixture f;
  const DialogContext c = f.context();
  // Each run says whether something was handed back.
  const std::function<bool()> entryPoints[] = {
      [&] { return runNewMapWizard(c), false; },
      [&] { return runAddLayerDialog(c), false; },
      [&] { return runResizeLayerDialog(c), false; },
      [&] { return runShiftLayerDialog(c), false; },
      [&] { return runImportSourceDialog(c), false; },
      [&] { return runPreferencesDialog(c); },
      [&] { return runExportToHeaderDialog(c).has_value(); },
      [&] { return runExportBinaryDialog(c).has_value(); },
      [&] { return runCustomizeExportDialog(c), false; },
      [&] { return runMakeCllDialog(c).has_value(); }};
  QStringList titles;
  for (const auto& run : entryPoints) {
    onNextModal([&titles, &f](QDialog& dialog) {
      titles << dialog.windowTitle();
      EXPECT_EQ(dialog.parentWidget(), &f.window);
      const int redraws = f.redraws;
      auto* shift = dialog.findChild<QSlider*>("horizontal");
      if (shift != nullptr) shift->setValue(45);  // Shift's preview
      dialog.reject();
      EXPECT_GE(f.redraws - redraws, shift != nullptr ? 2 : 0);  // the change, then the cells given back
    });
    EXPECT_FALSE(run()) << titles.size();
  }
  EXPECT_EQ(titles.join("|").replace("Qarto v0.99 - ", ""),
            "Create New Map Wizard|Add Layer|Resize Layer|Shift Layer Data|Import Layer from .h/.c/.cpp|Preferences|"
            "Export To Header|Export To Raw|Customize Text Export|Make .CLL Wizard");
  EXPECT_EQ(f.engine.project().layerCount(), 1);
  EXPECT_EQ(f.engine.project().journal().size(), 0u);
  EXPECT_TRUE(f.settings.written.empty());
  for (int i : {5, 6, 7, 9}) {
    onNextModal([](QDialog& dialog) { dialog.accept(); });
    EXPECT_TRUE(entryPoints[i]()) << i;
  }
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
