#pragma once

#include <cstdint>
#include <vector>

namespace qarto {

struct MapLayer;
struct StrokePlan;
class TilesetRegistry;

// The cells the brush preview replaces in one layer: the inside cells of
// the stroke plan on the active layer, and on the auto-paint collision
// layer the cells that painting would give a collision tile. The cells
// themselves are never marked; the drawing asks this list.
class HiddenCells {
 public:
  void clear() { indices_.clear(); }
  void addPlan(const StrokePlan& plan, const MapLayer& layer);
  void addAutoPaint(const StrokePlan& plan, const MapLayer& collisionLayer, const TilesetRegistry& registry);
  // Sorted, without repeats, after finish().
  void finish();

  bool empty() const { return indices_.empty(); }
  const std::vector<std::int64_t>& indices() const { return indices_; }  // x + y * width
  bool contains(std::int64_t index) const;

 private:
  std::vector<std::int64_t> indices_;
};

}  // namespace qarto
