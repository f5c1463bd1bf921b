#include "io/map_file_reader.h"

#include <cstring>
#include <new>

#include "io/byte_cursor.h"
#include "io/map_file_format.h"
#include "io/map_layer_record.h"
#include "io/map_tileset_record.h"
#include "io/prefault.h"
#include "model/allocation.h"

namespace qarto {

namespace {

// The revision named by the magic line, or 0 when it is none of 2 to 7. A
// magic ends with the only newline in it, so comparing the first nine bytes
// is comparing the first line.
int revisionFromMagic(const std::uint8_t* bytes, std::size_t size) {
  if (size < kMagicSize) return 0;
  for (int revision = 2; revision <= kCurrentMapRevision; ++revision) {
    const auto magic = mapMagic(revision);
    if (std::memcmp(bytes, magic.data(), kMagicSize) == 0) return revision;
  }
  return 0;
}

class MapFileDecoder {
 public:
  MapFileDecoder(const std::uint8_t* bytes, std::size_t size, const MapReadQuestions& questions)
      : cursor_(bytes, size), bytes_(bytes), size_(size), questions_(questions) {}

  LoadedMap run() {
    if (chooseRevision() && readHeader() && readLayers()) readTilesets();
    map_.stoppedAt = cursor_.offset();
    return std::move(map_);
  }

 private:
  bool stop(MapReadOutcome outcome, const char* message = "") {
    map_.outcome = outcome;
    map_.message = message;
    return false;
  }
  bool damaged() { return stop(MapReadOutcome::Damaged, kMapDamagedMessage); }

  bool chooseRevision() {
    int revision = revisionFromMagic(bytes_, size_);
    if (revision == 0) {
      if (questions_.readAsOldFormat && !questions_.readAsOldFormat()) {
        return stop(MapReadOutcome::DeclinedOldFormat);
      }
      revision = 1;
    }
    map_.revision = revision;
    layout_ = mapRevisionLayout(revision);
    if (layout_.hasMagic) cursor_.skip(kMagicSize);
    return true;
  }

  bool readHeader() {
    MapFileOptions& o = map_.options;
    if (layout_.hasUnoptimizedByte && !cursor_.readBool(o.unoptimizedMode)) return damaged();
    const std::uint8_t* path = nullptr;
    if (!cursor_.readI32(o.lastTilesetId) || !cursor_.readI32(o.currentTilesetId) ||
        !cursor_.readBool(o.showMapGrid) || !cursor_.readBool(o.showTileGrid) ||
        !cursor_.readBool(o.autoPaintCollision) || !cursor_.take(layout_.pathBytes, path)) {
      return damaged();
    }
    const auto* chars = reinterpret_cast<const char*>(path);
    o.storedPath.assign(chars, strnlen(chars, layout_.pathBytes));
    map_.headerRead = true;
    return true;
  }

  bool readLayers() {
    std::int32_t count = 0;
    if (!cursor_.readI32(count)) return damaged();
    if (count < 0 || count > kMaxLayerCountWithoutQuestion) {
      if (questions_.readDespiteLayerCount && !questions_.readDespiteLayerCount(count)) {
        return stop(MapReadOutcome::DeclinedLayerCount);
      }
    }
    // Every layer takes at least its header: a larger count cannot be right.
    if (count > 0 && !cursor_.has(static_cast<std::uint64_t>(count) * layout_.layerHeaderBytes)) return damaged();
    for (std::int32_t i = 0; i < count; ++i) {
      if (!readLayer()) return false;
    }
    return true;
  }

  bool readLayer() {
    const std::uint8_t* header = nullptr;
    if (!cursor_.take(layout_.layerHeaderBytes, header)) return damaged();
    std::unique_ptr<MapLayer> layer;
    try {
      layer = std::make_unique<MapLayer>();
    } catch (const std::bad_alloc&) {
      return stop(MapReadOutcome::LayerAllocationFailed, kLayerAllocationMessage);
    }
    if (!decodeLayerHeader(header, map_.revision, *layer)) return damaged();

    if (layer->kind == LayerKind::Entity) {
      if (!cursor_.has(kEntityBlockSize)) return damaged();
      if (!allocateZeroed(layer->entities, kEntityBlockSize)) {
        return stop(MapReadOutcome::EntityAllocationFailed, kEntityAllocationMessage);
      }
      const std::uint8_t* block = nullptr;
      cursor_.take(kEntityBlockSize, block);
      std::memcpy(layer->entities.data(), block, kEntityBlockSize);
    } else {
      const std::size_t cellCount = static_cast<std::size_t>(layer->width) * layer->height;
      const std::size_t storedBytes = cellCount * layout_.cellBytes;  // at most 65535^2 * 8: no overflow
      if (!cursor_.has(storedBytes)) return damaged();
      if (!allocateZeroedPrefaulted(layer->cells, cellCount)) {
        return stop(MapReadOutcome::CellAllocationFailed, kCellAllocationMessage);
      }
      const std::uint8_t* stored = nullptr;
      cursor_.take(storedBytes, stored);
      decodeCells(stored, cellCount, layout_.cellBytes, layer->cells.data());
    }
    try {
      map_.layers.push_back(std::move(layer));
    } catch (const std::bad_alloc&) {
      return stop(MapReadOutcome::LayerAllocationFailed, kLayerAllocationMessage);
    }
    return true;
  }

  bool readTilesets() {
    std::int32_t count = 0;
    if (!cursor_.readI32(count) || count < 0) return damaged();
    for (std::int32_t i = 0; i < count; ++i) {
      std::unique_ptr<Tileset> tileset;
      try {
        tileset = std::make_unique<Tileset>();
      } catch (const std::bad_alloc&) {
        tileset.reset();
      }
      if (!tileset) return skipRemainingTilesets();
      const TilesetRecordStatus status = decodeTilesetRecord(cursor_, layout_.tilesetFormat, *tileset);
      if (status == TilesetRecordStatus::Damaged) return damaged();
      if (status == TilesetRecordStatus::AllocationFailed) return skipRemainingTilesets();
      try {
        map_.tilesets.push_back(std::move(tileset));
      } catch (const std::bad_alloc&) {
        return skipRemainingTilesets();
      }
    }
    return true;
  }

  // The map itself is complete: the load goes on without the rest.
  bool skipRemainingTilesets() {
    map_.tilesetsSkipped = true;
    map_.message = kTilesetAllocationMessage;
    return true;
  }

  ByteCursor cursor_;
  const std::uint8_t* bytes_;
  std::size_t size_;
  const MapReadQuestions& questions_;
  MapRevisionLayout layout_;
  LoadedMap map_;
};

}  // namespace

LoadedMap decodeMapFile(const std::uint8_t* bytes, std::size_t size, const MapReadQuestions& questions) {
  if (bytes == nullptr) size = 0;
  return MapFileDecoder(bytes, size, questions).run();
}

}  // namespace qarto
