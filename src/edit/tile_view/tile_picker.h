#pragma once

#include "edit/view/input_event.h"

namespace qarto {

struct EngineState;
class Brush;
struct Tileset;

// The tile view's mouse handling: tabs switch the current tile page, the
// page picks tiles into that page's brush by click, freehand drag and
// middle-button rectangle (Shift adds to the selection, Ctrl removes).
class TilePicker {
 public:
  explicit TilePicker(EngineState& state) : state_(state) {}

  // The hover state and content size for the mouse where it was last seen.
  void refresh();

  void move(ViewPoint point, ButtonSet held, Modifiers modifiers);
  void leftPress(ViewPoint point, Modifiers modifiers);
  void leftRelease();
  void middlePress(ViewPoint point, Modifiers modifiers);
  void middleRelease(ViewPoint point, Modifiers modifiers);

 private:
  const Tileset* currentPage() const;
  Brush* currentPageBrush();

  EngineState& state_;
};

}  // namespace qarto
