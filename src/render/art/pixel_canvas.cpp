#include "render/art/pixel_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qarto {

void PixelCanvas::set(int x, int y, Rgba colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  std::uint8_t* p = &pixels_[(static_cast<std::size_t>(y) * width_ + x) * 4];
  p[0] = colour.r;
  p[1] = colour.g;
  p[2] = colour.b;
  p[3] = colour.a;
}

void PixelCanvas::fillRect(int x, int y, int w, int h, Rgba colour) {
  for (int row = y; row < y + h; ++row) {
    for (int column = x; column < x + w; ++column) set(column, row, colour);
  }
}

void PixelCanvas::frameRect(int x, int y, int w, int h, Rgba colour) {
  fillRect(x, y, w, 1, colour);
  fillRect(x, y + h - 1, w, 1, colour);
  fillRect(x, y, 1, h, colour);
  fillRect(x + w - 1, y, 1, h, colour);
}

void PixelCanvas::fillEllipse(int x, int y, int w, int h, Rgba colour) {
  ringEllipse(x, y, w, h, std::max(w, h), colour);
}

void PixelCanvas::ringEllipse(int x, int y, int w, int h, int thickness, Rgba colour) {
  const double cx = x + w / 2.0;
  const double cy = y + h / 2.0;
  const double rx = w / 2.0;
  const double ry = h / 2.0;
  const double innerX = std::max(0.0, rx - thickness);
  const double innerY = std::max(0.0, ry - thickness);
  for (int row = y; row < y + h; ++row) {
    for (int column = x; column < x + w; ++column) {
      const double dx = column + 0.5 - cx;
      const double dy = row + 0.5 - cy;
      const double outer = dx * dx / (rx * rx) + dy * dy / (ry * ry);
      const bool inside = outer <= 1.0;
      const bool inInner = innerX > 0 && innerY > 0 && dx * dx / (innerX * innerX) + dy * dy / (innerY * innerY) < 1.0;
      if (inside && !inInner) set(column, row, colour);
    }
  }
}

void PixelCanvas::line(int x0, int y0, int x1, int y1, int thickness, Rgba colour) {
  const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  const int half = thickness / 2;
  for (int i = 0; i <= steps; ++i) {
    const double t = steps == 0 ? 0.0 : static_cast<double>(i) / steps;
    const int x = static_cast<int>(std::lround(x0 + t * (x1 - x0)));
    const int y = static_cast<int>(std::lround(y0 + t * (y1 - y0)));
    fillRect(x - half, y - half, thickness, thickness, colour);
  }
}

void PixelCanvas::fillTriangle(int x0, int y0, int x1, int y1, int x2, int y2, Rgba colour) {
  const auto edge = [](double ax, double ay, double bx, double by, double px, double py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
  };
  const int minX = std::min({x0, x1, x2});
  const int maxX = std::max({x0, x1, x2});
  const int minY = std::min({y0, y1, y2});
  const int maxY = std::max({y0, y1, y2});
  for (int row = minY; row <= maxY; ++row) {
    for (int column = minX; column <= maxX; ++column) {
      const double px = column + 0.5;
      const double py = row + 0.5;
      const double e0 = edge(x0, y0, x1, y1, px, py);
      const double e1 = edge(x1, y1, x2, y2, px, py);
      const double e2 = edge(x2, y2, x0, y0, px, py);
      if ((e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0)) set(column, row, colour);
    }
  }
}

}  // namespace qarto
