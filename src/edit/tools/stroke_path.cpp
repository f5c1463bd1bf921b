#include "edit/tools/stroke_path.h"

#include <algorithm>
#include <cstdint>

namespace qarto {

namespace {

// Cells under a mouse far outside the map can be anywhere in the int range:
// the products of offsetAt then need up to 66 bits.
__extension__ typedef unsigned __int128 Wide;

// The offset from the start, along one axis, of step `i` of a line that
// travels `distance` cells in `steps` steps: rounded to the nearest cell,
// halves away from the start.
std::int64_t offsetAt(std::int64_t i, std::int64_t distance, std::int64_t steps) {
  const Wide length = static_cast<Wide>(distance < 0 ? -distance : distance);
  const auto magnitude = static_cast<std::int64_t>((2 * static_cast<Wide>(i) * length + static_cast<Wide>(steps)) /
                                                   (2 * static_cast<Wide>(steps)));
  return distance < 0 ? -magnitude : magnitude;
}

struct StepRange {
  std::int64_t first = 0;
  std::int64_t last = -1;  // empty when last < first
};

// The steps 0..steps whose coordinate on this axis lies in lo..hi. The
// coordinate only ever moves one way along the line, so they form one
// range, found by halving instead of walking.
StepRange stepsWithin(std::int64_t start, std::int64_t distance, std::int64_t steps, std::int64_t lo, std::int64_t hi) {
  // Measured in the direction of travel the coordinate never decreases.
  const std::int64_t sign = distance < 0 ? -1 : 1;
  const auto along = [&](std::int64_t i) { return sign * (start + offsetAt(i, distance, steps)); };
  const std::int64_t low = sign > 0 ? lo : -hi;
  const std::int64_t high = sign > 0 ? hi : -lo;
  // The first step for which `beyond` holds (steps + 1 when none does).
  const auto firstWhere = [steps](const auto& beyond) {
    std::int64_t a = 0;
    std::int64_t b = steps + 1;
    while (a < b) {
      const std::int64_t middle = a + (b - a) / 2;
      if (beyond(middle)) {
        b = middle;
      } else {
        a = middle + 1;
      }
    }
    return a;
  };
  StepRange range;
  range.first = firstWhere([&](std::int64_t i) { return along(i) >= low; });
  range.last = firstWhere([&](std::int64_t i) { return along(i) > high; }) - 1;
  return range;
}

}  // namespace

std::vector<CellPoint> cellsOnLine(CellPoint from, CellPoint to, const CellRect& bounds) {
  std::vector<CellPoint> cells;
  if (bounds.right < bounds.left || bounds.bottom < bounds.top) return cells;
  const std::int64_t x0 = from.x;
  const std::int64_t y0 = from.y;
  const std::int64_t dx = std::int64_t{to.x} - x0;
  const std::int64_t dy = std::int64_t{to.y} - y0;
  const std::int64_t steps = std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy);
  if (steps == 0) {
    if (bounds.contains(from.x, from.y)) cells.push_back(from);
    return cells;
  }
  const StepRange inX = stepsWithin(x0, dx, steps, bounds.left, bounds.right);
  const StepRange inY = stepsWithin(y0, dy, steps, bounds.top, bounds.bottom);
  const std::int64_t first = std::max(inX.first, inY.first);
  const std::int64_t last = std::min(inX.last, inY.last);
  if (last < first) return cells;
  cells.reserve(static_cast<std::size_t>(last - first + 1));
  for (std::int64_t i = first; i <= last; ++i) {
    cells.push_back({static_cast<int>(x0 + offsetAt(i, dx, steps)), static_cast<int>(y0 + offsetAt(i, dy, steps))});
  }
  return cells;
}

std::vector<CellPoint> StrokePath::advance(CellPoint to, const CellRect& bounds) {
  std::vector<CellPoint> cells;
  if (!last_ || *last_ == to) {
    if (bounds.contains(to.x, to.y)) cells.push_back(to);
  } else {
    cells = cellsOnLine(*last_, to, bounds);
    // The previous cell was acted on by the previous point.
    if (!cells.empty() && cells.front() == *last_) cells.erase(cells.begin());
  }
  last_ = to;
  return cells;
}

}  // namespace qarto
