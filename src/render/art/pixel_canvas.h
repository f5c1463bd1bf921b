#pragma once

#include <cstdint>
#include <vector>

namespace qarto {

struct Rgba {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 0;
};

// A small RGBA picture, rows from the top, for the artwork the program
// draws itself (icons, entity sprites). Everything outside is ignored.
class PixelCanvas {
 public:
  PixelCanvas(int width, int height) : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height * 4, 0) {}

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<std::uint8_t>& pixels() const { return pixels_; }

  void set(int x, int y, Rgba colour);
  void fillRect(int x, int y, int w, int h, Rgba colour);
  // Outline of width 1 just inside the rectangle.
  void frameRect(int x, int y, int w, int h, Rgba colour);
  // Pixels whose centre lies within the ellipse through the box.
  void fillEllipse(int x, int y, int w, int h, Rgba colour);
  void ringEllipse(int x, int y, int w, int h, int thickness, Rgba colour);
  void line(int x0, int y0, int x1, int y1, int thickness, Rgba colour);
  void fillTriangle(int x0, int y0, int x1, int y1, int x2, int y2, Rgba colour);

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace qarto
