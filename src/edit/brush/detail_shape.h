#pragma once

#include <cstdint>

namespace qarto {

enum class DetailShape : std::int32_t { Rectangle = 0, Ellipse = 1, DiagonalSlash = 2, DiagonalBackslash = 3 };

// The footprint of the Detail Paint tool: which brush offsets it writes.
// Levels grow and shrink by one, radii double and halve with them.
struct DetailBrush {
  DetailShape shape = DetailShape::Ellipse;
  int widthLevel = 3;
  int heightLevel = 3;
  float widthRadius = 2.0f;
  float heightRadius = 2.0f;

  // Whether the shape admits a placement at offset (dx, dy) from the brush
  // origin, in cells.
  bool admits(int dx, int dy) const;

  void growUniform();
  void shrinkUniform();
  void growWidth();
  void shrinkWidth();
  void growHeight();
  void shrinkHeight();
};

}  // namespace qarto
