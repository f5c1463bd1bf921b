#include "io/map_file/map_file_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <optional>

#include "io/byte_cursor.h"
#include "io/files/prefault.h"
#include "io/map_file/file_byte_source.h"
#include "io/map_file/map_file_format.h"
#include "io/map_file/map_layer_record.h"
#include "io/map_file/map_tileset_record.h"
#include "model/allocation.h"

namespace qarto {

namespace {

// The revision named by the magic line, or 0 when it is none of 2 to 7. A
// magic ends with the only newline in it, so comparing the first nine bytes
// is comparing the first line.
int revisionFromMagic(MapByteSource& source) {
  const std::uint8_t* bytes = nullptr;
  if (!source.peek(kMagicSize, bytes)) return 0;
  for (int revision = 2; revision <= kCurrentMapRevision; ++revision) {
    const auto magic = mapMagic(revision);
    if (std::memcmp(bytes, magic.data(), kMagicSize) == 0) return revision;
  }
  return 0;
}

// Small reads of the fixed-size fields, through the source.
class FieldReader {
 public:
  explicit FieldReader(MapByteSource& source) : source_(source) {}
  bool u8(std::uint8_t& value) {
    const std::uint8_t* p = nullptr;
    if (!source_.take(1, p)) return false;
    value = p[0];
    return true;
  }
  bool boolean(bool& value) {
    std::uint8_t byte = 0;
    if (!u8(byte)) return false;
    value = byte != 0;
    return true;
  }
  bool i32(std::int32_t& value) {
    const std::uint8_t* p = nullptr;
    if (!source_.take(4, p)) return false;
    value = loadI32(p);
    return true;
  }

 private:
  MapByteSource& source_;
};

// Cells stored as they lie in memory go straight into the layer; others
// are decoded a slice at a time.
bool readCells(MapByteSource& source, std::size_t count, std::size_t cellBytes, MapCell* cells) {
  if (cellBytes == MapCell::kSize && std::endian::native == std::endian::little) {
    return count == 0 || source.copyTo(static_cast<void*>(cells), count * MapCell::kSize);
  }
  constexpr std::size_t kSlice = 8192;
  for (std::size_t done = 0; done < count;) {
    const std::size_t n = std::min(kSlice, count - done);
    const std::uint8_t* bytes = nullptr;
    if (!source.take(n * cellBytes, bytes)) return false;
    decodeCells(bytes, n, cellBytes, cells + done);
    done += n;
  }
  return true;
}

class MapFileDecoder {
 public:
  MapFileDecoder(MapByteSource& source, const MapReadQuestions& questions)
      : source_(source), fields_(source), questions_(questions) {}

  LoadedMap run() {
    if (chooseRevision() && readHeader() && readLayers()) readTilesets();
    map_.stoppedAt = restStart_ ? *restStart_ + restRead_ : source_.offset();
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
    int revision = revisionFromMagic(source_);
    if (revision == 0) {
      if (questions_.readAsOldFormat && !questions_.readAsOldFormat()) {
        return stop(MapReadOutcome::DeclinedOldFormat);
      }
      revision = 1;
    }
    map_.revision = revision;
    layout_ = mapRevisionLayout(revision);
    const std::uint8_t* magic = nullptr;
    if (layout_.hasMagic) source_.take(kMagicSize, magic);
    return true;
  }

  bool readHeader() {
    MapFileOptions& o = map_.options;
    if (layout_.hasUnoptimizedByte && !fields_.boolean(o.unoptimizedMode)) return damaged();
    const std::uint8_t* path = nullptr;
    if (!fields_.i32(o.lastTilesetId) || !fields_.i32(o.currentTilesetId) || !fields_.boolean(o.showMapGrid) ||
        !fields_.boolean(o.showTileGrid) || !fields_.boolean(o.autoPaintCollision) ||
        !source_.take(layout_.pathBytes, path)) {
      return damaged();
    }
    const auto* chars = reinterpret_cast<const char*>(path);
    o.storedPath.assign(chars, strnlen(chars, layout_.pathBytes));
    map_.headerRead = true;
    return true;
  }

  bool readLayers() {
    std::int32_t count = 0;
    if (!fields_.i32(count)) return damaged();
    if (count < 0 || count > kMaxLayerCountWithoutQuestion) {
      if (questions_.readDespiteLayerCount && !questions_.readDespiteLayerCount(count)) {
        return stop(MapReadOutcome::DeclinedLayerCount);
      }
    }
    // Every layer takes at least its header: a larger count cannot be right.
    if (count > 0 && !source_.has(static_cast<std::uint64_t>(count) * layout_.layerHeaderBytes)) return damaged();
    for (std::int32_t i = 0; i < count; ++i) {
      if (!readLayer()) return false;
    }
    return true;
  }

  bool readLayer() {
    const std::uint8_t* header = nullptr;
    if (!source_.take(layout_.layerHeaderBytes, header)) return damaged();
    std::unique_ptr<MapLayer> layer;
    try {
      layer = std::make_unique<MapLayer>();
    } catch (const std::bad_alloc&) {
      return stop(MapReadOutcome::LayerAllocationFailed, kLayerAllocationMessage);
    }
    if (!decodeLayerHeader(header, map_.revision, *layer)) return damaged();

    if (layer->kind == LayerKind::Entity) {
      if (!source_.has(kEntityBlockSize)) return damaged();
      if (!allocateZeroed(layer->entities, kEntityBlockSize)) {
        return stop(MapReadOutcome::EntityAllocationFailed, kEntityAllocationMessage);
      }
      if (!source_.copyTo(layer->entities.data(), kEntityBlockSize)) return damaged();
    } else {
      const std::size_t cellCount = static_cast<std::size_t>(layer->width) * layer->height;
      const std::size_t storedBytes = cellCount * layout_.cellBytes;  // at most 65535^2 * 8: no overflow
      if (!source_.has(storedBytes)) return damaged();
      if (!allocateZeroedPrefaulted(layer->cells, cellCount)) {
        return stop(MapReadOutcome::CellAllocationFailed, kCellAllocationMessage);
      }
      if (!readCells(source_, cellCount, layout_.cellBytes, layer->cells.data())) return damaged();
    }
    try {
      map_.layers.push_back(std::move(layer));
    } catch (const std::bad_alloc&) {
      return stop(MapReadOutcome::LayerAllocationFailed, kLayerAllocationMessage);
    }
    return true;
  }

  // The tilesets are small: they are decoded from the rest of the file in
  // memory.
  bool readTilesets() {
    restStart_ = source_.offset();
    ByteCursor rest(nullptr, 0);
    if (!source_.takeRest(rest)) return skipRemainingTilesets();
    const bool read = readTilesets(rest);
    restRead_ = rest.offset();
    return read;
  }

  bool readTilesets(ByteCursor& cursor) {
    std::int32_t count = 0;
    if (!cursor.readI32(count) || count < 0) return damaged();
    for (std::int32_t i = 0; i < count; ++i) {
      std::unique_ptr<Tileset> tileset;
      try {
        tileset = std::make_unique<Tileset>();
      } catch (const std::bad_alloc&) {
        tileset.reset();
      }
      if (!tileset) return skipRemainingTilesets();
      const TilesetRecordStatus status = decodeTilesetRecord(cursor, layout_.tilesetFormat, *tileset);
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

  MapByteSource& source_;
  FieldReader fields_;
  const MapReadQuestions& questions_;
  std::optional<std::size_t> restStart_;  // where the tilesets begin, once reached
  std::size_t restRead_ = 0;
  MapRevisionLayout layout_;
  LoadedMap map_;
};

}  // namespace

LoadedMap decodeMapFile(const std::uint8_t* bytes, std::size_t size, const MapReadQuestions& questions) {
  if (bytes == nullptr) size = 0;
  MemoryByteSource source(bytes, size);
  return decodeMapSource(source, questions);
}

LoadedMap decodeMapSource(MapByteSource& source, const MapReadQuestions& questions) {
  return MapFileDecoder(source, questions).run();
}

MapFileRead readMapFile(const std::string& path, const MapReadQuestions& questions) {
  MapFileRead read;
  FileByteSource source;
  read.status = source.open(path);
  if (read.status == ReadStatus::Ok || read.status == ReadStatus::Empty) read.map = decodeMapSource(source, questions);
  return read;
}

}  // namespace qarto
