#pragma once

#include <functional>
#include <optional>

#include "edit/collision/make_cll_wizard.h"
#include "export/export_to_header.h"

class QWidget;

namespace qarto {

class EditorCommands;
struct PictureRequest;
class MapViewEngine;

// What a dialog works on: its parent window, the engine (project, session,
// view state) and the commands (the window title hooks among them).
// redrawView, when set, repaints the map view: Shift Layer Data shows its
// preview there while it is open.
struct DialogContext {
  QWidget* parent = nullptr;
  MapViewEngine& engine;
  EditorCommands& commands;
  std::function<void()> redrawView = {};
};

// The main window's dialogs. Each runs modally and carries out its OK
// through the core, except where it hands its answer back.
void runNewMapWizard(const DialogContext& context);
void runAddLayerDialog(const DialogContext& context);
void runResizeLayerDialog(const DialogContext& context);
void runShiftLayerDialog(const DialogContext& context);
void runImportSourceDialog(const DialogContext& context);
// Validate Tileset stays open beside the main window.
void showValidateTilesetDialog(const DialogContext& context);
void showAboutBox(QWidget* parent);
// True on OK (the view then reloads its colours and preferences).
bool runPreferencesDialog(const DialogContext& context);
std::optional<ExportOptions> runExportToHeaderDialog(const DialogContext& context);
// The same dialog under " - Export To Raw".
std::optional<ExportOptions> runExportBinaryDialog(const DialogContext& context);
// Customize Export on its own (the Export to Header dialog opens it too).
void runCustomizeExportDialog(const DialogContext& context);
std::optional<MakeCllRequest> runMakeCllDialog(const DialogContext& context);
void runPaletteRemapperDialog(const DialogContext& context);
// The picture import's options; false when cancelled.
bool runPictureOptionsDialog(const DialogContext& context, PictureRequest& request);

}  // namespace qarto
