#include "edit/view/navigator.h"

#include <algorithm>
#include <climits>

#include "edit/state/engine_state.h"
#include "model/project/map_project.h"

namespace qarto {

namespace {

// Scroll arithmetic saturates: a runaway scroll must not overflow.
int addClamped(int a, long long b) {
  const long long sum = static_cast<long long>(a) + b;
  return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

}  // namespace

void Navigator::setZoom(float zoom) {
  ViewState& view = state_.view;
  if (view.tileViewShown) {
    view.tileZoom = zoom;
  } else {
    view.scrollX = rescaleScroll(view.scrollX, view.mapZoom, zoom);
    view.scrollY = rescaleScroll(view.scrollY, view.mapZoom, zoom);
    view.mapZoom = zoom;
  }
  state_.redraw();
}

void Navigator::zoomIn() { setZoom(zoomStepUp(state_.view.shownZoom())); }
void Navigator::zoomOut() { setZoom(zoomStepDown(state_.view.shownZoom())); }

void Navigator::wheel(int delta) {
  if (delta >= 120) zoomIn();
  if (delta <= -120) zoomOut();
}

void Navigator::home() {
  state_.view.scrollX = 0;
  state_.view.scrollY = 0;
  state_.redraw();
}

void Navigator::dragScroll(ViewPoint from, ViewPoint to) {
  const MapLayer* active = state_.activeLayer();
  if (active == nullptr) return;
  ViewState& view = state_.view;
  long long dx = static_cast<long long>(from.x) - to.x;
  long long dy = static_cast<long long>(from.y) - to.y;
  // Both axes follow the horizontal parallax, so a layer with the same
  // parallax on both axes stays under the mouse.
  if (active->parallaxX >= 0.1f) {
    dx = truncToInt(static_cast<float>(dx) / active->parallaxX);
    dy = truncToInt(static_cast<float>(dy) / active->parallaxX);
  }
  view.scrollX = addClamped(view.scrollX, dx);
  view.scrollY = addClamped(view.scrollY, dy);

  const MapProject& project = state_.project();
  const MapLayer* primary = project.findLayerOfKind(LayerKind::Primary);
  if (view.showFrameMask && primary != nullptr) {
    const float maxX = static_cast<float>(primary->width * 8 - project.screenWidth) * view.mapZoom;
    const float maxY = static_cast<float>(primary->height * 8 - project.screenHeight) * view.mapZoom;
    // A primary layer narrower than the frame allows no scrolling at all.
    view.scrollX = std::clamp(view.scrollX, 0, std::max(0, truncToInt(maxX)));
    view.scrollY = std::clamp(view.scrollY, 0, std::max(0, truncToInt(maxY)));
  }
}

void Navigator::followViewMove(int dx, int dy) {
  ViewState& view = state_.view;
  if (view.tileViewShown) return;
  view.scrollX = addClamped(view.scrollX, dx);
  view.scrollY = addClamped(view.scrollY, dy);
  state_.redraw();
}

void Navigator::keypadScroll(int digit) {
  static constexpr int kStepX[10] = {0, -1, 0, 1, -1, 0, 1, -1, 0, 1};
  static constexpr int kStepY[10] = {0, 1, 1, 1, 0, 0, 0, -1, -1, -1};
  if (digit < 1 || digit > 9 || digit == 5) return;
  ViewState& view = state_.view;
  const int step = truncToInt(10.0f * view.mapZoom);
  view.scrollX = addClamped(view.scrollX, static_cast<long long>(kStepX[digit]) * step);
  view.scrollY = addClamped(view.scrollY, static_cast<long long>(kStepY[digit]) * step);
  state_.redraw();
}

}  // namespace qarto
