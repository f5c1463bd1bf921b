#pragma once

#include "edit/tools/stroke_path.h"
#include "edit/view/input_event.h"

namespace qarto {

struct EngineState;
struct MapLayer;

// One left-button gesture on the map, from the press to the release. The
// loop owns the gesture's undo entry: it opens it when it starts and closes
// it when it ends, so one press-drag-release is one undo step. Each mouse
// event runs the tool at the mouse point: the paint tools (paint, detail
// paint, stamp paste, flag paint) at every cell of the stroke path from the
// previous point, so a fast drag leaves no gaps; the rubber stamp picks or
// drops the cell under the mouse by the modifiers held; the fill runs at
// the press only.
class ToolLoop {
 public:
  ToolLoop(EngineState& state, MapLayer& layer);
  ~ToolLoop();
  ToolLoop(const ToolLoop&) = delete;
  ToolLoop& operator=(const ToolLoop&) = delete;

  MapLayer& layer() const { return layer_; }
  void step(ViewPoint mouse, Modifiers modifiers, bool atPress);

 private:
  void ensureEntry();
  void paint(ViewPoint mouse, bool detail);
  void stamp(ViewPoint mouse, Modifiers modifiers);
  void fill(ViewPoint mouse);
  void flags(ViewPoint mouse);

  EngineState& state_;
  MapLayer& layer_;
  StrokePath path_;
};

}  // namespace qarto
