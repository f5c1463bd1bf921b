#pragma once

#include "edit/view/view_geometry.h"

namespace qarto {

// The navigation state of the map view that the tools and the drawing read.
// The grids and the target screen size live in the MapProject (the map file
// keeps the grids); the rest lives here.
struct ViewState {
  bool tileViewShown = false;  // the tile page is shown instead of the map
  float mapZoom = 2.0f;
  float tileZoom = 2.0f;
  int scrollX = 0;  // window pixels at the map zoom
  int scrollY = 0;
  int clientWidth = 0;
  int clientHeight = 0;

  bool mapGridAlpha = true;
  bool tileGridAlpha = true;
  bool showFrameMask = false;
  bool centeredView = true;
  bool showLayerBounds = true;
  bool showFlags = true;  // collision flag icons, one switch for every collision layer
  bool showMarkers = true;  // collision markers and damage types, likewise
  float clearColor[4] = {0.0f, 0.0f, 0.0f, 0.0f};

  // The mouse as last seen over the view.
  ViewPoint mouse;
  bool mouseInside = false;

  float shownZoom() const { return tileViewShown ? tileZoom : mapZoom; }
  bool pointInClient(ViewPoint p) const { return p.x >= 0 && p.y >= 0 && p.x < clientWidth && p.y < clientHeight; }
};

// The zoom steps of Zoom In and Zoom Out and the wheel: whole steps from 1
// to 10, quarter steps below 1, never below 0.25.
float zoomStepUp(float zoom);
float zoomStepDown(float zoom);

// The scroll that keeps the same map point at the origin when the zoom goes
// from `oldZoom` to `newZoom`: trunc(new / old x scroll).
int rescaleScroll(int scroll, float oldZoom, float newZoom);

// The map geometry for the current client size (the origin is recomputed
// from it, not remembered from the last frame).
MapGeometry mapGeometry(const ViewState& view, int frameWidth, int frameHeight);

}  // namespace qarto
