#include "app/layers/layer_bar_context.h"

#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"

namespace qarto {

MapProject& LayerBarContext::project() { return engine_.project(); }

bool LayerBarContext::contains(const MapLayer* layer) { return layer != nullptr && engine_.project().contains(layer); }

void LayerBarContext::selectLayer(MapLayer* layer) { commands_.selectLayer(layer); }

bool LayerBarContext::showFlags() const { return engine_.state().view.showFlags; }

void LayerBarContext::setShowFlags(bool on) {
  engine_.state().view.showFlags = on;
  engine_.refresh();
  if (flagsChanged) flagsChanged();
}

}  // namespace qarto
