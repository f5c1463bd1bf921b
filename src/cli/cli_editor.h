#pragma once

#include <memory>
#include <string>

#include "cli/cli_services.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "model/settings/memory_settings_store.h"
#include "model/tileset/tileset_host.h"

namespace qarto {

// The editor's engine and commands as the editor window starts them, with
// a private settings store (a script's `set` lines never reach the user's
// preferences) and a 1280 x 720 view.
class CliEditor {
 public:
  // `frame`: the window the commands see; none: every dialog cancelled, no player ROM.
  explicit CliEditor(bool answerYes, FrameHost* frame = nullptr);

  // Loads a map; false (its message shown) on failure.
  bool load(const std::string& path);

  CliServices& services() { return services_; }
  MapViewEngine& engine() { return *engine_; }
  EditorCommands& commands() { return *commands_; }

 private:
  CliServices services_;
  MemorySettingsStore settings_;
  HeadlessTilesetHost host_;
  std::unique_ptr<MapViewEngine> engine_;
  std::unique_ptr<EditorCommands> commands_;
};

}  // namespace qarto
