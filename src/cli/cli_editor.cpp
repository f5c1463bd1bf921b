#include "cli/cli_editor.h"

#include "edit/session/map_file_commands.h"
#include "edit/session/tileset_commands.h"

namespace qarto {

CliEditor::CliEditor(bool answerYes, FrameHost* frame) : services_(answerYes) {
  engine_ = std::make_unique<MapViewEngine>(services_, settings_, host_);
  loadCollisionTileset(engine_->session());
  engine_->loadViewOptions();
  engine_->resize(1280, 720);
  commands_ = std::make_unique<EditorCommands>(*engine_, frame);
}

bool CliEditor::load(const std::string& path) { return loadMap(engine_->session(), path); }

}  // namespace qarto
