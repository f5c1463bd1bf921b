// The main window's dialogs, each on the engine's session: its services
// (message boxes, choosers), its settings and its project.
#include "app/dialogs/editor_dialogs.h"

#include <QPointer>

#include "app/dialogs/about_box.h"
#include "app/dialogs/customize_export/customize_export_dialog.h"
#include "app/dialogs/dialog_support.h"
#include "app/dialogs/export/export_to_header_dialog.h"
#include "app/dialogs/layers/add_layer_dialog.h"
#include "app/dialogs/layers/import_source_dialog.h"
#include "app/dialogs/layers/resize_layer_dialog.h"
#include "app/dialogs/layers/shift_layer_dialog.h"
#include "app/dialogs/make_cll_dialog.h"
#include "app/dialogs/new_map_wizard_dialog.h"
#include "app/dialogs/palette_remapper_dialog.h"
#include "app/dialogs/picture/picture_options_dialog.h"
#include "app/dialogs/preferences/preferences_dialog.h"
#include "app/dialogs/validate_tileset_dialog.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "edit/palette/brush_palettes.h"
#include "edit/tile_view/faulty_tiles.h"

namespace qarto {

namespace {

EditorSession& session(const DialogContext& context) { return context.engine.session(); }

}  // namespace

void runNewMapWizard(const DialogContext& context) {
  NewMapWizardDialog dialog(session(context), context.commands.mapFileHooks(), context.parent);
  dialog.exec();
  if (dialog.lastOutcome() == NewMapOutcome::Created && dialog.tilePageGiven()) context.engine.showFirstTilePage();
  context.engine.refresh();
}

void runAddLayerDialog(const DialogContext& context) {
  AddLayerDialog dialog(context.engine.project(), context.parent);
  dialog.exec();
  context.engine.refresh();
}

void runResizeLayerDialog(const DialogContext& context) {
  context.engine.endStroke();
  ResizeLayerDialog dialog(session(context), context.parent);
  if (!dialog.begin()) return;
  dialog.exec();
  context.engine.refresh();
}

void runShiftLayerDialog(const DialogContext& context) {
  context.engine.endStroke();
  ShiftLayerDialog dialog(session(context), context.parent);
  if (!dialog.begin()) return;
  QObject::connect(&dialog, &ShiftLayerDialog::previewChanged, &dialog, [&context] {
    context.engine.refresh();
    if (context.redrawView) context.redrawView();
  });
  dialog.exec();
  context.engine.refresh();
}

std::optional<ExportOptions> runExportBinaryDialog(const DialogContext& context) {
  EditorSession& s = session(context);
  ExportToHeaderDialog dialog(s.services(), s.settings(), " - Export To Raw", context.parent, s.project().filePath);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.options();
}

void runImportSourceDialog(const DialogContext& context) {
  context.engine.endStroke();
  ImportSourceDialog dialog(session(context), context.parent);
  dialog.exec();
  context.engine.refresh();
}

void showValidateTilesetDialog(const DialogContext& context) {
  // One at a time: a second command brings the open one forward.
  static QPointer<ValidateTilesetDialog> open;
  if (open) {
    open->raise();
    open->activateWindow();
    return;
  }
  EditorSession& s = session(context);
  open = new ValidateTilesetDialog(s.services(), s.settings(), context.parent);
  open->setAttribute(Qt::WA_DeleteOnClose);
  open->setModal(false);
  open->faultsFound = [&engine = context.engine, redraw = context.redrawView](const std::string& path,
                                                                             const std::vector<int>& tiles) {
    markFaultyTiles(engine.state(), path, tiles);
    if (redraw) redraw();
  };
  open->show();
}

void showAboutBox(QWidget* parent) {
  AboutBox box(parent);
  box.exec();
}

bool runPreferencesDialog(const DialogContext& context) {
  EditorSession& s = session(context);
  PreferencesDialog dialog(s.services(), s.settings(), s.project(), context.parent);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<ExportOptions> runExportToHeaderDialog(const DialogContext& context) {
  EditorSession& s = session(context);
  ExportToHeaderDialog dialog(s.services(), s.settings(), kExportToHeaderCaptionSuffix, context.parent,
                              s.project().filePath);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.options();
}

void runCustomizeExportDialog(const DialogContext& context) {
  EditorSession& s = session(context);
  CustomizeExportDialog dialog(s.services(), s.settings(), programDirectory(), context.parent);
  dialog.exec();
}

std::optional<MakeCllRequest> runMakeCllDialog(const DialogContext& context) {
  MakeCllDialog dialog(session(context), context.parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.request();
}

void runPaletteRemapperDialog(const DialogContext& context) {
  context.engine.endStroke();
  PaletteRemapperDialog dialog(session(context), [&context] {
    resyncBrushPalettes(context.engine.state().brushes, context.engine.project().registry());
    context.engine.refresh();
    if (context.redrawView) context.redrawView();
  }, context.parent);
  dialog.exec();
  context.engine.refresh();
}

bool runPictureOptionsDialog(const DialogContext& context, PictureRequest& request) {
  PictureOptionsDialog dialog(session(context).services(), context.parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.fill(request);
  return true;
}

}  // namespace qarto
