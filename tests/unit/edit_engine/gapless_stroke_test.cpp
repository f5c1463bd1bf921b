// Strokes cover every cell on the line between two successive mouse
// positions (the scripts of paint_test show it for each tool): the line
// against a plain reference.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "edit/tools/stroke_path.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

// The reference: each step moves one cell along the longer axis, every cell
// lies within half a cell of the ideal line, and a clipped line is the whole
// line with the cells outside dropped.
TEST(StrokePath, LinesAreEightConnectedCloseToTheIdealAndClipWithoutWalkingFar) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-40, 40);
  const CellRect window{-5, 3, 12, 9};
  for (int n = 0; n < 2000; ++n) {
    const CellPoint from{coordinate(random), coordinate(random)};
    const CellPoint to{coordinate(random), coordinate(random)};
    const std::vector<CellPoint> line = cellsOnLine(from, to, {-99, -99, 99, 99});
    const int steps = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    ASSERT_TRUE(line.size() == static_cast<std::size_t>(steps + 1) && line.front() == from && line.back() == to);
    std::vector<CellPoint> inside;
    for (int i = 0; i <= steps; ++i) {
      const CellPoint c = line[static_cast<std::size_t>(i)];
      const auto ideal = [&](int a, int b) { return steps == 0 ? a : a + static_cast<double>(i * (b - a)) / steps; };
      ASSERT_LE(std::max(std::abs(c.x - ideal(from.x, to.x)), std::abs(c.y - ideal(from.y, to.y))), 0.5);
      if (i > 0) {
        ASSERT_EQ(std::max(std::abs(c.x - line[i - 1].x), std::abs(c.y - line[i - 1].y)), 1);
      }
      if (window.contains(c.x, c.y)) inside.push_back(c);
    }
    ASSERT_EQ(cellsOnLine(from, to, window), inside);
  }
  // A mouse far outside the map: only the ten cells inside are listed.
  EXPECT_EQ(cellsOnLine({-2000000000, 4}, {2000000000, 4}, {0, 0, 9, 9}).size(), 10u);
  // The path lists the cells after the previous one; the same cell again is listed again.
  StrokePath path;
  const CellRect everywhere{-99, -99, 99, 99};
  EXPECT_EQ(path.advance({1, 1}, everywhere), (std::vector<CellPoint>{{1, 1}}));
  EXPECT_EQ(path.advance({4, 2}, everywhere), (std::vector<CellPoint>{{2, 1}, {3, 2}, {4, 2}}));
  EXPECT_EQ(path.advance({4, 2}, everywhere), (std::vector<CellPoint>{{4, 2}}));
}

}  // namespace
}  // namespace qarto::test
