#include "edit/brush/detail_shape.h"

#include <cstdlib>

namespace qarto {

namespace {

constexpr int kMaxGrowLevel = 10;  // a level at most this still grows

}  // namespace

bool DetailBrush::admits(int dx, int dy) const {
  const float fx = static_cast<float>(dx);
  const float fy = static_cast<float>(dy);
  switch (shape) {
    case DetailShape::Rectangle:
      return std::abs(dx) < widthLevel && std::abs(dy) < heightLevel;
    case DetailShape::Ellipse:
      return fy * fy / heightRadius + fx * fx / widthRadius < 1.0f;
    case DetailShape::DiagonalSlash:
    case DetailShape::DiagonalBackslash: {
      const int along = shape == DetailShape::DiagonalSlash ? dx + dy : dy - dx;
      if (along < -widthLevel || along > widthLevel) return false;
      return dx * dx + dy * dy < heightLevel * heightLevel - 1;
    }
  }
  return false;
}

void DetailBrush::growUniform() {
  if (widthLevel <= kMaxGrowLevel) ++widthLevel;
  if (heightLevel <= kMaxGrowLevel) ++heightLevel;
}

void DetailBrush::shrinkUniform() {
  if (widthLevel > 0) --widthLevel;
  if (heightLevel > 0) --heightLevel;
}

void DetailBrush::growWidth() {
  if (widthLevel > kMaxGrowLevel) return;
  ++widthLevel;
  widthRadius *= 2.0f;
}

void DetailBrush::shrinkWidth() {
  if (widthLevel < 2) return;
  --widthLevel;
  widthRadius *= 0.5f;
}

void DetailBrush::growHeight() {
  if (heightLevel > kMaxGrowLevel) return;
  ++heightLevel;
  heightRadius *= 2.0f;
}

void DetailBrush::shrinkHeight() {
  if (heightLevel < 2) return;
  --heightLevel;
  heightRadius *= 0.5f;
}

}  // namespace qarto
