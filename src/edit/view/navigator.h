#pragma once

#include "edit/view/input_event.h"

namespace qarto {

struct EngineState;

// Zoom and scrolling of the shown view.
class Navigator {
 public:
  explicit Navigator(EngineState& state) : state_(state) {}

  // The zoom of the shown view; the map view keeps the same map point at
  // the origin by rescaling its scroll.
  void setZoom(float zoom);
  void zoomIn();
  void zoomOut();
  // A wheel turn of at least one notch (120) zooms one step; less does nothing.
  void wheel(int delta);

  void home();
  // Middle-button drag from `from` to `to`: the map follows the mouse at the
  // active layer's parallax and stays inside the frame when the frame mask
  // is shown.
  void dragScroll(ViewPoint from, ViewPoint to);
  // The view's window moved by (dx, dy) pixels on the screen (a bar beside
  // it appeared or went): the map scrolls along, so it stays where it was.
  void followViewMove(int dx, int dy);
  // Keypad 1-9 (5 does nothing): 10 map pixels in the keypad direction.
  void keypadScroll(int digit);

 private:
  EngineState& state_;
};

}  // namespace qarto
