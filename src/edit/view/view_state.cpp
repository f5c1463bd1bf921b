#include "edit/view/view_state.h"

#include <algorithm>

#include "model/settings/view_options.h"

namespace qarto {

float zoomStepUp(float zoom) {
  if (zoom >= 1.0f) return std::min(zoom + 1.0f, kMaxViewZoom);
  return zoom + 0.25f;
}

float zoomStepDown(float zoom) {
  if (zoom > 1.0f) return zoom - 1.0f;
  return std::max(zoom - 0.25f, kMinViewZoom);
}

int rescaleScroll(int scroll, float oldZoom, float newZoom) {
  if (oldZoom <= 0.0f) return scroll;
  return truncToInt(newZoom / oldZoom * static_cast<float>(scroll));
}

MapGeometry mapGeometry(const ViewState& view, int frameWidth, int frameHeight) {
  MapGeometry geometry;
  geometry.zoom = view.mapZoom;
  geometry.scrollX = view.scrollX;
  geometry.scrollY = view.scrollY;
  const ViewPoint origin =
      centredOrigin(view.centeredView, view.clientWidth, view.clientHeight, frameWidth, frameHeight, view.mapZoom);
  geometry.originX = origin.x;
  geometry.originY = origin.y;
  return geometry;
}

}  // namespace qarto
