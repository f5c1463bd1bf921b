#pragma once

#include <memory>
#include <string>

#include "io/files/file_system.h"
#include "model/project/map_project.h"
#include "model/recording_services.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

// A copy of everything the map file stores, taken on the main thread in
// one go so that the copy can be encoded and written on another while the
// user keeps painting. Owns its own project and registry; shares nothing.
class RecoverySnapshot {
 public:
  // `storedPath` is the path the copy records as the map's own.
  RecoverySnapshot(const MapProject& project, const TilesetRegistry& registry, const std::string& storedPath);
  RecoverySnapshot(const RecoverySnapshot&) = delete;
  // Copies the project again into this snapshot's buffers: an earlier
  // snapshot's memory is already mapped, so the copy is a plain memcpy.
  void refresh(const MapProject& project, const TilesetRegistry& registry, const std::string& storedPath);
  RecoverySnapshot& operator=(const RecoverySnapshot&) = delete;

  // Encodes the map file and writes it atomically to `copyPath`; any thread.
  bool write(const std::string& copyPath, FileSystem& system, WriteFailure& failure) const;

  const MapProject& project() const { return project_; }

 private:
  RecordingServices services_;  // never asked: the copy only writes
  TilesetRegistry registry_;
  MapProject project_{services_, registry_};
};

}  // namespace qarto
