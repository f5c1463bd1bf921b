#pragma once

namespace qarto {

class BitmapFont;
struct FrameInput;

// The raised panel across the top of the tile view with one tab per
// tileset: its label (with "*" when it has a collision set) drawn twice,
// a shadow and the label in the active, focus or inactive colour, a raised
// outline on the tab under the mouse and a separator after each tab.
void drawTabStrip(const FrameInput& input, const BitmapFont& font);

}  // namespace qarto
