#include "edit/recovery/recovery_snapshot.h"

#include <cerrno>

#include "io/files/atomic_file.h"
#include "io/map_file/map_file_writer.h"
#include "model/tileset/tileset.h"

namespace qarto {

RecoverySnapshot::RecoverySnapshot(const MapProject& project, const TilesetRegistry& registry,
                                   const std::string& storedPath) {
  refresh(project, registry, storedPath);
}

void RecoverySnapshot::refresh(const MapProject& project, const TilesetRegistry& registry,
                               const std::string& storedPath) {
  project_.filePath = storedPath;
  project_.unoptimizedMode = project.unoptimizedMode;
  project_.lastTilesetId = project.lastTilesetId;
  project_.currentTilesetId = project.currentTilesetId;
  project_.showMapGrid = project.showMapGrid;
  project_.showTileGrid = project.showTileGrid;
  project_.autoPaintCollision = project.autoPaintCollision;
  while (project_.layerCount() > project.layerCount()) project_.takeLayer(project_.layerAt(project_.layerCount() - 1));
  for (int i = 0; i < project.layerCount(); ++i) {
    if (i < project_.layerCount()) {
      *project_.layerAt(i) = *project.layerAt(i);  // keeps the cells' buffer when it is big enough
    } else {
      project_.insertLayer(std::make_unique<MapLayer>(*project.layerAt(i)), i);
    }
  }
  registry_.clear();
  for (const auto& [id, tileset] : registry) {
    auto copy = std::make_unique<Tileset>(*tileset);
    // The texture stays the view's: the copy must never hand it back.
    copy->textureOwner = nullptr;
    copy->textureReady = false;
    copy->textureName = 0;
    registry_.insert(std::move(copy));
  }
}

bool RecoverySnapshot::write(const std::string& copyPath, FileSystem& system, WriteFailure& failure) const {
  AtomicSaveTarget target(copyPath, system);
  if (target.open() && writeMapFile(target, project_, registry_) && target.commit()) return true;
  failure = target.failure().value_or(WriteFailure{WriteStep::Write, ENOMEM});
  return false;
}

}  // namespace qarto
