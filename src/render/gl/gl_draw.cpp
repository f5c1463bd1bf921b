#include "render/gl/gl_draw.h"

#include <algorithm>
#include <cmath>

#include "render/gl/gl_api.h"

namespace qarto {

void setColor(const ViewColor& colour) { glColor4ub(colour.r, colour.g, colour.b, colour.a); }

void setColor(const ViewColor& colour, std::uint8_t alpha) { glColor4ub(colour.r, colour.g, colour.b, alpha); }

void blendSourceAlpha() { glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA); }

void blendReplace() { glBlendFunc(GL_ONE, GL_ZERO); }

void fillRect(float x0, float y0, float x1, float y1) {
  glBegin(GL_QUADS);
  glVertex2f(x0, y0);
  glVertex2f(x1, y0);
  glVertex2f(x1, y1);
  glVertex2f(x0, y1);
  glEnd();
}

LineSpan lineSpan(float at, int width) {
  const float start = std::floor(at) - static_cast<float>(width / 2);
  return {start, start + static_cast<float>(width)};
}

void horizontalLine(float x0, float x1, float y, int width) {
  const LineSpan across = lineSpan(y, width);
  const LineSpan along{lineSpan(std::min(x0, x1), width).from, lineSpan(std::max(x0, x1), width).to};
  fillRect(along.from, across.from, along.to, across.to);
}

void verticalLine(float x, float y0, float y1, int width) {
  const LineSpan across = lineSpan(x, width);
  const LineSpan along{lineSpan(std::min(y0, y1), width).from, lineSpan(std::max(y0, y1), width).to};
  fillRect(across.from, along.from, across.to, along.to);
}

void rectLoop(float x0, float y0, float x1, float y1, int width) {
  const LineSpan top = lineSpan(std::min(y0, y1), width);
  const LineSpan bottom = lineSpan(std::max(y0, y1), width);
  const LineSpan left = lineSpan(std::min(x0, x1), width);
  const LineSpan right = lineSpan(std::max(x0, x1), width);
  fillRect(left.from, top.from, right.to, top.to);
  if (bottom.from >= top.to) {
    fillRect(left.from, bottom.from, right.to, bottom.to);
  } else if (bottom.to > top.to) {
    fillRect(left.from, top.to, right.to, bottom.to);
  }
  // The sides between the two rows, without drawing the corners again.
  const float sideTop = top.to;
  const float sideBottom = std::max(bottom.from, sideTop);
  if (sideBottom > sideTop) {
    fillRect(left.from, sideTop, left.to, sideBottom);
    if (right.from >= left.to) {
      fillRect(right.from, sideTop, right.to, sideBottom);
    } else if (right.to > left.to) {
      fillRect(left.to, sideTop, right.to, sideBottom);
    }
  }
}

void texturedQuad(float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1) {
  glTexCoord2f(u0, v0);
  glVertex2f(x0, y0);
  glTexCoord2f(u1, v0);
  glVertex2f(x1, y0);
  glTexCoord2f(u1, v1);
  glVertex2f(x1, y1);
  glTexCoord2f(u0, v1);
  glVertex2f(x0, y1);
}

}  // namespace qarto
