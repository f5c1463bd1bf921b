#pragma once

namespace qarto {

class BitmapFont;
struct DrawStats;
struct FrameInput;

// Draws one frame of the tile view: the current page under the tab strip,
// its grid, the tabs with their labels, the outline of the tiles in the
// page's brush, the rectangle being dragged and the box under the mouse.
class TileViewRenderer {
 public:
  explicit TileViewRenderer(const BitmapFont& font) : font_(font) {}
  void draw(const FrameInput& input, DrawStats& stats);

 private:
  const BitmapFont& font_;
};

}  // namespace qarto
