#include "model/project/layer_amounts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

#include "model/project/map_project.h"
#include "model/settings/number_text.h"

namespace qarto {

namespace {

constexpr const char* kLayerSizeFormat =
    "Map sizes must be no smaller than (%i,%i) tiles and no larger than (%i,%i) tiles.\n\nPlease choose a valid "
    "size.";

// Far outside any layer, yet safe to hand to int.
constexpr double kAmountLimit = 1.0e6;

// Truncation toward zero; amounts no layer could have become -1.
int truncateAmount(double value) {
  if (!(value > -kAmountLimit && value < kAmountLimit)) return -1;
  return static_cast<int>(value);
}

}  // namespace

double amountOrNaN(std::string_view text) { return parseDecimalText(text).value_or(kNotANumber); }

AxisSize layerAxisSize(double amount, SizeUnit unit, int primaryExtent, int screenTiles) {
  switch (unit) {
    case SizeUnit::Parallax: return {layerSizeForParallax(amount, primaryExtent, screenTiles), amount};
    case SizeUnit::Tiles: return {truncateAmount(amount), 1.0};
    case SizeUnit::Screens: return {truncateAmount(amount * screenTiles), 1.0};
    case SizeUnit::Pixels: return {truncateAmount(amount * 0.125), 1.0};
  }
  return {-1, 1.0};
}

bool parallaxInRange(double parallax) { return parallax >= 0.0 && parallax <= 2.0; }

bool layerExtentsInRange(int width, int height, int screenTilesX, int screenTilesY) {
  return width >= screenTilesX && width <= kMaxLayerTiles && height >= screenTilesY && height <= kMaxLayerTiles;
}

int screenTiles(int screenPixels) { return std::max(1, screenPixels / 8); }

std::string layerSizeMessage() {
  char text[256];
  std::snprintf(text, sizeof text, kLayerSizeFormat, kMinLayerTilesX, kMinLayerTilesY, kMaxLayerTiles,
                kMaxLayerTiles);
  return text;
}

std::string formatTwoDecimals(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  std::array<char, 400> buffer{};  // fixed notation of the largest double
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 2);
  if (result.ec != std::errc{}) return "0.00";
  return std::string(buffer.data(), result.ptr);
}

}  // namespace qarto
