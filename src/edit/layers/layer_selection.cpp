#include "edit/layers/layer_selection.h"

#include "edit/layers/layer_support.h"
#include "model/project/editor_session.h"
#include "model/project/layer_observer.h"

namespace qarto {

namespace {

// The layer bar redraws its check boxes from the layers.
void refreshBar(MapProject& project) {
  if (LayerObserver* observer = project.layerObserver()) observer->refreshLayers();
}

void selectWrapped(EditorSession& session, int step) {
  MapProject& project = session.project();
  const int index = project.indexOf(project.activeLayer);
  if (index < 0) return;
  const int count = project.layerCount();
  project.activeLayer = project.layerAt((index + step + count) % count);
  notifyLayersChanged(project);
}

template <typename Toggle>
void toggleActive(EditorSession& session, Toggle toggle) {
  MapProject& project = session.project();
  if (!project.contains(project.activeLayer)) return;
  toggle(*project.activeLayer);
  refreshBar(project);
}

}  // namespace

void selectNextLayer(EditorSession& session) { selectWrapped(session, -1); }

void selectPreviousLayer(EditorSession& session) { selectWrapped(session, +1); }

void toggleActiveLayerVisible(EditorSession& session) {
  toggleActive(session, [](MapLayer& layer) { layer.visible = !layer.visible; });
}

void toggleActiveLayerAlpha(EditorSession& session) {
  toggleActive(session, [](MapLayer& layer) { layer.alpha = !layer.alpha; });
}

void toggleActiveLayerLocked(EditorSession& session) {
  toggleActive(session, [](MapLayer& layer) { layer.locked = !layer.locked; });
}

void soloActiveLayer(EditorSession& session) {
  MapProject& project = session.project();
  if (!project.contains(project.activeLayer)) return;
  for (const auto& layer : project.layers()) layer->visible = layer.get() == project.activeLayer;
  refreshBar(project);
}

void showAllLayers(EditorSession& session) {
  MapProject& project = session.project();
  for (const auto& layer : project.layers()) layer->visible = true;
  refreshBar(project);
}

}  // namespace qarto
