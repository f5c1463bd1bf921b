#pragma once

#include <optional>
#include <string>

#include "edit/collision/make_cll_wizard.h"
#include "edit/run_map/run_map.h"
#include "export/export_to_header.h"

namespace qarto {

struct PictureRequest;

enum class FrameBar { ToolBar, LayerBar, StatusBar, BudgetBar };

// What the commands need from the main window: its dialogs, its bars and
// its title. The editor window implements it with Qt; without a window
// (qarto-cli, tests) the defaults below stand: every dialog is cancelled,
// no bar is shown and nothing closes.
class FrameHost {
 public:
  virtual ~FrameHost() = default;

  // Dialogs that do their work through the core themselves.
  virtual void runNewMapWizard() {}
  virtual void runAddLayerDialog() {}
  virtual void runResizeLayerDialog() {}
  virtual void runShiftLayerDialog() {}
  virtual void runImportSourceDialog() {}
  virtual void runValidateTilesetDialog() {}
  virtual void showAbout() {}
  // True when the preferences were confirmed.
  virtual bool runPreferencesDialog() { return false; }
  // Dialogs whose answer the command carries out.
  virtual std::optional<ExportOptions> runExportToHeaderDialog() { return std::nullopt; }
  // The same dialog under " - Export To Raw", for the binary export.
  virtual std::optional<ExportOptions> runExportBinaryDialog() { return std::nullopt; }
  virtual std::optional<MakeCllRequest> runMakeCllDialog() { return std::nullopt; }
  virtual void runPaletteRemapperDialog() {}
  // The options of a picture import (backdrop, reduce colours); false cancels.
  virtual bool runPictureOptionsDialog(PictureRequest& /*request*/) { return false; }

  // Run Map: the base ROM beside the program ("" when there is none), and
  // playing a ROM in the built-in player or the emulator the launch names;
  // the reason when it could not be played, "" when it plays.
  virtual std::string baseRomPath() const { return {}; }
  virtual std::string playMapRom(const MapRomLaunch& /*launch*/) { return "this program has no player window"; }

  virtual bool barShown(FrameBar /*bar*/) const { return false; }
  virtual void setBarShown(FrameBar /*bar*/, bool /*shown*/) {}
  virtual void setWindowTitle(const std::string& /*title*/) {}
  // Exit: the window's close sequence (it asks about unsaved changes).
  virtual void closeFrame() {}
};

}  // namespace qarto
