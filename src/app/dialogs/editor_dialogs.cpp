// Placeholders until each dialog has its window: every dialog counts as
// cancelled.
#include "app/dialogs/editor_dialogs.h"

namespace qarto {

void runNewMapWizard(const DialogContext&) {}
void runAddLayerDialog(const DialogContext&) {}
void runResizeLayerDialog(const DialogContext&) {}
void runShiftLayerDialog(const DialogContext&) {}
void runExportBinaryDialog(const DialogContext&) {}
void runImportSourceDialog(const DialogContext&) {}
void showValidateTilesetDialog(const DialogContext&) {}
void showAboutBox(QWidget*) {}
bool runPreferencesDialog(const DialogContext&) { return false; }
std::optional<ExportOptions> runExportToHeaderDialog(const DialogContext&) { return std::nullopt; }
std::optional<MakeCllRequest> runMakeCllDialog(const DialogContext&) { return std::nullopt; }

}  // namespace qarto
