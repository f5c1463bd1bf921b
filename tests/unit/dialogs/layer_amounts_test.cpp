// The amounts the New Map Wizard and Add Layer read from their edits, and
// the limits both apply.
#include "model/project/layer_amounts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/project/map_project.h"

namespace qarto::test {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(LayerAmounts, EachUnitGivesAnExtentAndAParallax) {
  const struct {
    double amount;
    SizeUnit unit;
    int extent;
    double parallax;
  } cases[] = {
      {0.5, SizeUnit::Parallax, 79, 0.5},  // 30 + ceil(0.5 x 98) over 128 tiles
      {0.0, SizeUnit::Parallax, 30, 0.0},   {2.0, SizeUnit::Parallax, 226, 2.0}, {2.5, SizeUnit::Tiles, 2, 1.0},
      {40.9, SizeUnit::Tiles, 40, 1.0},     {2.0, SizeUnit::Screens, 60, 1.0},   {256.0, SizeUnit::Pixels, 32, 1.0},
      {-9.0, SizeUnit::Pixels, -1, 1.0},    {kInf, SizeUnit::Tiles, -1, 1.0},    {1.0e9, SizeUnit::Screens, -1, 1.0},
      {kInf, SizeUnit::Parallax, -1, kInf},
  };
  for (const auto& c : cases) {
    const AxisSize size = layerAxisSize(c.amount, c.unit, 128, 30);
    EXPECT_EQ(std::tuple(size.extent, size.parallax), std::tuple(c.extent, c.parallax))
        << c.amount << " unit " << static_cast<int>(c.unit);
  }
  EXPECT_EQ(layerAxisSize(std::nan(""), SizeUnit::Tiles, 128, 30).extent, -1);
}

TEST(LayerAmounts, LimitsAndTwoDecimals) {
  EXPECT_EQ(std::vector<bool>({parallaxInRange(0.0), parallaxInRange(2.0), parallaxInRange(2.01),
                               parallaxInRange(-0.01), parallaxInRange(std::nan("")), parallaxInRange(kInf)}),
            std::vector<bool>({true, true, false, false, false, false}));
  EXPECT_EQ(std::vector<bool>({layerExtentsInRange(30, 20, 30, 20), layerExtentsInRange(1024, 1024, 30, 20),
                               layerExtentsInRange(29, 20, 30, 20), layerExtentsInRange(30, 1025, 30, 20)}),
            std::vector<bool>({true, true, false, false}));
  EXPECT_EQ(std::tuple(screenTiles(240), screenTiles(4)), std::tuple(30, 1));
  EXPECT_EQ(formatTwoDecimals(0.5) + " " + formatTwoDecimals(0.125) + " " + formatTwoDecimals(-1.0) + " " +
                formatTwoDecimals(kInf) + " " + formatTwoDecimals(std::nan("")),
            "0.50 0.12 -1.00 inf nan");
  EXPECT_EQ(formatTwoDecimals(1.0e300).substr(0, 3), "100");
}

}  // namespace
}  // namespace qarto::test
