#pragma once

#include <cstdint>

#include "model/settings/view_colors.h"

namespace qarto {

// Small immediate-mode helpers. Axis-aligned lines are drawn as thin
// quads: GL lines at integer coordinates and 2-pixel lines land on
// different pixels in different drivers, quads do not.

void setColor(const ViewColor& colour);
void setColor(const ViewColor& colour, std::uint8_t alpha);

// Blending as the drawing Parts name it.
void blendSourceAlpha();  // source alpha, one minus source alpha
void blendReplace();      // one, zero

void fillRect(float x0, float y0, float x1, float y1);

// The pixels a line of `width` at coordinate `at` covers across its
// direction: floor(at) - width / 2 and the next width - 1.
struct LineSpan {
  float from = 0;
  float to = 0;
};
LineSpan lineSpan(float at, int width);

// A horizontal line at y from x0 to x1, or a vertical one at x from y0 to
// y1, `width` pixels thick; the ends reach over the end points by the same
// half width so that lines meeting at a corner close it.
void horizontalLine(float x0, float x1, float y, int width);
void verticalLine(float x, float y0, float y1, int width);
// A closed rectangle outline through the four corners; each pixel once.
void rectLoop(float x0, float y0, float x1, float y1, int width);

// Inside glBegin(GL_QUADS): one textured quad.
void texturedQuad(float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1);

}  // namespace qarto
