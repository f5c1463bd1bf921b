#pragma once

#include "edit/view/input_event.h"

namespace qarto {

// A cell position of a layer; may lie outside the layer.
struct CellPoint {
  int x = 0;
  int y = 0;

  friend bool operator==(const CellPoint&, const CellPoint&) = default;
};

// What turns a window point into a map position: the map zoom, the scroll
// (window pixels at that zoom) and the origin (where map pixel 0, 0 lies in
// the window). The map view and the renderer share it.
struct MapGeometry {
  float zoom = 2.0f;
  int scrollX = 0;
  int scrollY = 0;
  int originX = 0;
  int originY = 0;
};

// Float to int, truncated toward zero, held to the int range (a huge scroll
// must not become undefined behaviour).
int truncToInt(float value);

// One axis of the cell under a window point: trunc((trunc(scroll x parallax
// + point) - origin) / (8 x zoom)), every product in single precision and
// every truncation toward zero, so points up to one cell left of or above
// the layer still give cell 0.
int cellCoordinate(int scroll, float parallax, int point, int origin, float zoom);

// The cell under `point` in a layer of the given parallax.
CellPoint cellUnderPoint(const MapGeometry& geometry, float parallaxX, float parallaxY, ViewPoint point);

// The window offset of the map origin: with the centred frame option, the
// target screen is centred in the client area (never pushed off its left or
// top edge); otherwise (0, 0).
ViewPoint centredOrigin(bool centred, int clientWidth, int clientHeight, int frameWidth, int frameHeight,
                        float zoom);

}  // namespace qarto
