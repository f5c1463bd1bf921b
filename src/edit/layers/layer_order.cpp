#include "edit/layers/layer_order.h"

#include <memory>
#include <utility>

#include "edit/layers/layer_support.h"
#include "model/project/editor_session.h"

namespace qarto {

namespace {

bool shuffle(EditorSession& session, bool up) {
  MapProject& project = session.project();
  MapLayer* const layer = project.activeLayer;
  const int index = project.indexOf(layer);
  if (index < 0) return false;
  const int target = up ? index + 1 : index - 1;
  if (target < 0 || target >= project.layerCount()) return false;

  // Up is undone against the neighbour it passed above, Down against the
  // one it passed beneath.
  project.journal().recordLayerMoved(layer, project.layerBelow(layer), project.layerAbove(layer), up);
  project.insertLayer(project.takeLayer(layer), target);
  project.activeLayer = layer;  // taking it out cleared the active layer
  project.modified = true;
  notifyLayersChanged(project);
  return true;
}

}  // namespace

bool shuffleActiveLayerUp(EditorSession& session) { return shuffle(session, true); }

bool shuffleActiveLayerDown(EditorSession& session) { return shuffle(session, false); }

}  // namespace qarto
