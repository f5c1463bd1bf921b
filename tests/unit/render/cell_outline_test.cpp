#include "render/cell_outline.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qarto::test {
namespace {

bool has(const std::vector<CellEdge>& edges, CellEdge e) {
  return std::find(edges.begin(), edges.end(), e) != edges.end();
}

TEST(CellOutlineTest, SharedSidesDisappear) {
  // An L of three cells: 8 perimeter sides, the two inner ones gone.
  const std::vector<CellEdge> edges = outlineEdges(std::vector<CellPoint>{{0, 0}, {1, 0}, {0, 1}});
  EXPECT_EQ(edges.size(), 8u);
  EXPECT_FALSE(has(edges, {1, 0, 1, 1}));  // between (0, 0) and (1, 0)
  EXPECT_FALSE(has(edges, {0, 1, 1, 1}));  // between (0, 0) and (0, 1)
  EXPECT_TRUE(has(edges, {1, 1, 2, 1}));   // under (1, 0)
}

TEST(CellOutlineTest, ApartCellsKeepAllSidesAndTheCapHolds) {
  EXPECT_EQ(outlineEdges(std::vector<CellPoint>{{0, 0}, {5, 5}}).size(), 8u);
  std::vector<CellPoint> many;
  for (int i = 0; i < 1100; ++i) many.push_back({i * 2, 0});
  // 1024 cells fill the 4096 sides; the rest are left out.
  EXPECT_EQ(outlineEdges(many).size(), static_cast<std::size_t>(kOutlineEdgeCapacity));
}

}  // namespace
}  // namespace qarto::test
