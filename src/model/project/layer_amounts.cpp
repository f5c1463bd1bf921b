#include "model/project/layer_amounts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

#include "model/project/map_project.h"

namespace qarto {

namespace {

constexpr const char* kLayerSizeFormat =
    "Map sizes must be no smaller than (%i,%i) tiles and no larger than (%i,%i) tiles.\n\nPlease choose a valid "
    "size.";

// Far outside any layer, yet safe to hand to int.
constexpr double kAmountLimit = 1.0e6;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::size_t skipBlanks(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && isBlank(text[pos])) ++pos;
  return pos;
}

// Truncation toward zero; amounts no layer could have become -1.
int truncateAmount(double value) {
  if (!(value > -kAmountLimit && value < kAmountLimit)) return -1;
  return static_cast<int>(value);
}

// from_chars leaves the value alone when it is out of range: an exponent
// with a minus sign means the number was too small, anything else too large.
bool tooSmall(const char* first, const char* last) {
  for (const char* p = first; p + 1 < last; ++p) {
    if ((*p == 'e' || *p == 'E') && p[1] == '-') return true;
  }
  return false;
}

}  // namespace

double parseAmount(std::string_view text) {
  std::size_t pos = skipBlanks(text);
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  if (pos >= text.size() || text[pos] == '+' || text[pos] == '-') return 0.0;

  const char* first = text.data() + pos;
  const char* last = text.data() + text.size();
  double value = 0.0;
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = tooSmall(first, result.ptr) ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (result.ec != std::errc{}) {
    return 0.0;
  }
  return negative ? -value : value;
}

int parseLeadingInteger(std::string_view text) {
  std::size_t pos = skipBlanks(text);
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  long long value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    value = std::min<long long>(value * 10 + (text[pos] - '0'), static_cast<long long>(INT_MAX) + 1);
  }
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

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
