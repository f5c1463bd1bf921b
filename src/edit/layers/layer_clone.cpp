#include "edit/layers/layer_clone.h"

#include <algorithm>
#include <string>

#include "edit/layers/layer_support.h"
#include "model/project/editor_session.h"

namespace qarto {

MapLayer* cloneActiveLayer(EditorSession& session) {
  MapProject& project = session.project();
  const MapLayer* const source = project.activeLayer;
  if (!project.contains(source)) return nullptr;

  const bool primary = source->kind == LayerKind::Primary;
  const float parallaxX = primary ? 1.0f : source->parallaxX;
  const float parallaxY = primary ? 1.0f : source->parallaxY;
  MapLayer* clone = project.addLayer("Clone of " + source->nameText(), source->width, source->height, parallaxX,
                                     parallaxY, source->kind, false);
  if (clone == nullptr) return nullptr;

  clone->visible = source->visible;
  clone->alpha = source->alpha;
  if (source->isEntityLayer()) {
    std::copy_n(source->entities.begin(), std::min(source->entities.size(), clone->entities.size()),
                clone->entities.begin());
  } else {
    const std::size_t count = std::min(source->cells.size(), clone->cells.size());
    for (std::size_t i = 0; i < count; ++i) copyCellContent(clone->cells[i], source->cells[i]);
  }

  // The add-layer core makes a second primary layer a secondary one, but the
  // clone of the primary layer is still the one the user works on next.
  if (primary) project.activeLayer = clone;
  notifyLayersChanged(project);
  return clone;
}

}  // namespace qarto
