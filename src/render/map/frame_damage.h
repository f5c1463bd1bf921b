#pragma once

#include <cstdint>
#include <vector>

#include "edit/tools/stroke_plan.h"
#include "render/layers/layer_view.h"
#include "render/window_rect.h"

namespace qarto {

struct FrameInput;
struct MapLayer;

// What a presentation that keeps the last frame's picture must do to show
// the next frame exactly: draw it whole, or move the kept picture by
// (shiftX, shiftY) pixels and draw only `rects` again (Renderer::paintPart).
struct FrameDamage {
  bool full = true;
  int shiftX = 0;
  int shiftY = 0;
  std::vector<WindowRect> rects;
};

// Compares each map frame with the last one it saw. Everything the map
// frame reads goes into a key, except what changes from one mouse move or
// scroll step to the next; those are followed one by one:
//  - the cells of every tile layer that cover the window, by their world
//    position (a cell that changed, or came into view, is drawn again);
//  - what lies under the mouse: the brush preview (its cells on the active
//    and the auto-paint layer) and the cursor box, drawn again where they
//    were and where they are;
//  - the scroll: when every layer moves with it (parallax 1) the picture
//    moves as a whole and only the strips that came into view are drawn
//    again; the frame mask, fixed to the window, then asks for a whole one.
// Any other change (zoom, size, colours, options, layers, pages, tools),
// the tile view, zooms below 1 or between steps, and selections or
// entities being dragged (drawn after the mouse) give a whole frame.
// Whatever a map frame comes to read must go into the key (frameKey), or
// the raster view keeps stale pixels when only that changes.
class DamageTracker {
 public:
  FrameDamage next(const FrameInput& input);
  // The next frame is whole (the kept picture is gone).
  void reset() { known_ = false; }

 private:
  struct LayerCells {
    const MapLayer* layer = nullptr;
    CellRange range;
    std::vector<std::uint64_t> keys;  // the range's cells, row by row
  };

  void takeCells(const FrameInput& input);
  WindowRect changedCells(const FrameInput& input) const;
  std::vector<WindowRect> mouseRects(const FrameInput& input) const;
  bool samePreview(const FrameInput& input) const;
  void remember(const FrameInput& input);

  bool known_ = false;
  std::uint64_t key_ = 0;
  int scrollX_ = 0;
  int scrollY_ = 0;
  std::vector<LayerCells> cells_;
  std::vector<WindowRect> mouse_;  // the last frame's, see mouseRects
  bool hadPreview_ = false;
  StrokePlan preview_;
};

}  // namespace qarto
