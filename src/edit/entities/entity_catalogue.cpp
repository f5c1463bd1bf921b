#include "edit/entities/entity_catalogue.h"

namespace qarto {

const std::vector<EntityType>& builtinEntityTypes() {
  static const std::vector<EntityType> rows = {
      {"Crawler",
       "Walks along the ground and turns round\r\nat walls and ledges.\r\n \r\nPlace it on solid ground.",
       0,
       1,
       {}},
      {"Hopper", "Jumps towards the player every\r\nfew seconds.\r\n \r\nNeeds headroom of two tiles.", 1, 2, {}},
      {"Flyer", "Drifts in a sine wave through the air,\r\nignoring collision.\r\n \r\nPlace it anywhere.", 2, 3, {}},
      {"Turret", "Stands still and fires along its facing.\r\n \r\nFlip it to fire the other way.", 3, 4, {}},
      {"Spikes", "Hurts on touch; never moves.\r\n \r\nPlace its foot on the floor it covers.", 4, 5, {}},
      {"Player Start", "Where the player appears when the\r\nmap is entered.\r\n \r\nUse one per map.", 5, 0, {}},
  };
  return rows;
}

void EntityCatalogue::reset(std::string path) {
  rows_ = builtinEntityTypes();
  path_ = std::move(path);
  ++generation_;
}

void EntityCatalogue::setFileRows(const std::string& path, std::vector<EntityType> rows) {
  reset(path);
  for (EntityType& row : rows) {
    if (row.type >= 0 && row.type < kBuiltinEntityTypes) {
      rows_[static_cast<std::size_t>(row.type)] = std::move(row);
    } else {
      rows_.push_back(std::move(row));
    }
  }
}

const EntityType* EntityCatalogue::row(int index) const {
  return index >= 0 && index < rowCount() ? &rows_[static_cast<std::size_t>(index)] : nullptr;
}

const EntityType* EntityCatalogue::ofType(int type) const {
  for (const EntityType& row : rows_) {
    if (row.type == type) return &row;
  }
  return nullptr;
}

}  // namespace qarto
