#include "edit/view/view_geometry.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace qarto {

int truncToInt(float value) {
  if (std::isnan(value)) return 0;
  // 2147483520 is the largest float below 2^31.
  if (value >= 2147483520.0f) return INT_MAX;
  if (value <= -2147483648.0f) return INT_MIN;
  return static_cast<int>(value);
}

int cellCoordinate(int scroll, float parallax, int point, int origin, float zoom) {
  const float shifted = static_cast<float>(scroll) * parallax + static_cast<float>(point);
  const long long pixel = static_cast<long long>(truncToInt(shifted)) - origin;
  const float cellSide = zoom * 8.0f;
  return truncToInt(static_cast<float>(pixel) / cellSide);
}

CellPoint cellUnderPoint(const MapGeometry& geometry, float parallaxX, float parallaxY, ViewPoint point) {
  return {cellCoordinate(geometry.scrollX, parallaxX, point.x, geometry.originX, geometry.zoom),
          cellCoordinate(geometry.scrollY, parallaxY, point.y, geometry.originY, geometry.zoom)};
}

ViewPoint centredOrigin(bool centred, int clientWidth, int clientHeight, int frameWidth, int frameHeight,
                        float zoom) {
  if (!centred) return {};
  const float x = (static_cast<float>(clientWidth) - static_cast<float>(frameWidth) * zoom) * 0.5f;
  const float y = (static_cast<float>(clientHeight) - static_cast<float>(frameHeight) * zoom) * 0.5f;
  return {std::max(0, truncToInt(x)), std::max(0, truncToInt(y))};
}

}  // namespace qarto
