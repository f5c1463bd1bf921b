#include "edit/commands/editor_commands.h"

#include "edit/commands/command_table.h"
#include "edit/engine/map_view_engine.h"
#include "model/app_title.h"

namespace qarto {

EditorCommands::EditorCommands(MapViewEngine& engine, FrameHost* frame)
    : engine_(engine), frame_(frame != nullptr ? frame : &defaultFrame_), title_(kAppTitle) {
  addViewCommands(*this);
  addBrushCommands(*this);
  addToolCommands(*this);
  addFileCommands(*this);
  addLayerCommands(*this);
  addRegionCommands(*this);
  addBudgetCommands(*this);
}

MapFileHooks EditorCommands::mapFileHooks() {
  MapFileHooks hooks;
  hooks.setWindowTitle = [this](const std::string& title) {
    title_ = title;
    frame_->setWindowTitle(windowTitle());
  };
  hooks.fileSettled = [this](const std::string& path) { diskWatch_.settled(path); };
  hooks.confirmOverwrite = [this](const std::string& path) {
    return diskWatch_.confirmOverwrite(engine_.session().services(), path);
  };
  return hooks;
}

std::string EditorCommands::windowTitle() const { return engine_.project().modified ? title_ + " *" : title_; }

bool EditorCommands::enabled(int id) const {
  auto it = handlers_.find(id);
  if (it == handlers_.end() || !it->second.run) return false;
  return !it->second.enabled || it->second.enabled();
}

bool EditorCommands::checked(int id) const {
  auto it = handlers_.find(id);
  return it != handlers_.end() && it->second.checked && it->second.checked();
}

bool EditorCommands::run(int id) {
  if (!enabled(id)) return false;
  // A gesture in progress is filed under its own layer before the command
  // changes the tool, the view or the layers.
  engine_.endStroke();
  handlers_.at(id).run();
  engine_.refresh();
  return true;
}

void EditorCommands::selectLayer(MapLayer* layer) {
  engine_.endStroke();
  engine_.project().setActiveLayer(layer);
  engine_.refresh();
}

bool EditorCommands::selectLayerNamed(const std::string& name) {
  for (const auto& layer : engine_.project().layers()) {
    if (layer->nameText() == name) {
      selectLayer(layer.get());
      return true;
    }
  }
  return false;
}

bool EditorCommands::handleKey(const KeyEvent& key) {
  if (const int id = commandForKey(key, engine_.state().classicKeys); id != 0) {
    run(id);
    return true;
  }
  engine_.keyDown(key);
  return false;
}

}  // namespace qarto
