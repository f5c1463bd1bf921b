#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "edit/brush/brush.h"

namespace qarto {

class TilesetRegistry;

// Every brush of the map view: one per registered tile page, keyed by its
// tileset id, and the rubber stamp's.
class BrushTable {
 public:
  Brush* forTileset(std::int32_t id);
  const Brush* forTileset(std::int32_t id) const;
  Brush& stamp() { return stamp_; }
  const Brush& stamp() const { return stamp_; }

  // An empty brush for a newly registered page (an existing one stays).
  void tilesetRegistered(std::int32_t id);
  void tilesetRemoved(std::int32_t id);
  // After a project reset: only the brush of `keptId` (the collision
  // tileset, when it stays) survives; the stamp is emptied.
  void projectReset(std::int32_t keptId);

  std::size_t size() const { return brushes_.size(); }
  template <typename Visit>
  void forEach(Visit visit) {
    for (auto& [id, brush] : brushes_) visit(*brush);
    visit(stamp_);
  }

 private:
  std::map<std::int32_t, std::unique_ptr<Brush>> brushes_;
  Brush stamp_;
};

// The id after (or before) `id` in the registry, wrapping around; `id`
// itself when the registry holds no other page and 0 when `id` is not
// registered (nothing to step from).
std::int32_t steppedTilesetId(const TilesetRegistry& registry, std::int32_t id, bool forward);

}  // namespace qarto
