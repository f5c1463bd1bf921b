#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "io/files/file_bytes.h"
#include "model/project/map_layer.h"
#include "model/tileset/tileset.h"

namespace qarto {

// The project-wide values of the file header.
struct MapFileOptions {
  bool unoptimizedMode = false;
  std::int32_t lastTilesetId = 0;
  std::int32_t currentTilesetId = 0;
  bool showMapGrid = true;
  bool showTileGrid = false;
  bool autoPaintCollision = true;
  std::string storedPath;  // filePath at the time of saving
};

enum class MapReadOutcome {
  Complete,                // everything read (tilesets may have been skipped, see below)
  DeclinedOldFormat,       // no known magic, and the user declined to read it as revision 1
  DeclinedLayerCount,      // layer count outside 0..32, and the user declined to go on
  Damaged,                 // truncated or corrupt: kMapDamagedMessage
  LayerAllocationFailed,   // reading stopped; layers read so far are kept
  EntityAllocationFailed,  // as above
  CellAllocationFailed,    // as above
};

// The questions the reader may have to ask; the caller shows them. An unset
// question counts as answered with "go on".
struct MapReadQuestions {
  std::function<bool()> readAsOldFormat;
  std::function<bool(std::int32_t layerCount)> readDespiteLayerCount;
};

// A map file decoded into plain values, not yet part of any project.
struct LoadedMap {
  int revision = 0;
  MapFileOptions options;
  bool headerRead = false;  // options hold the file's values
  std::vector<std::unique_ptr<MapLayer>> layers;   // bottom first, as stored
  std::vector<std::unique_ptr<Tileset>> tilesets;  // in file order
  bool tilesetsSkipped = false;  // a tileset could not be allocated: it and the rest were skipped

  MapReadOutcome outcome = MapReadOutcome::Complete;
  std::size_t stoppedAt = 0;  // offset where reading ended
  std::string message;        // the text to show for the outcome; empty for Complete and the declines

  bool succeeded() const { return outcome == MapReadOutcome::Complete; }
};

class MapByteSource;

// Decodes revisions 1 to 7 from memory. Never reads outside the buffer and
// never allocates more than the bytes that follow could fill.
LoadedMap decodeMapFile(const std::uint8_t* bytes, std::size_t size, const MapReadQuestions& questions = {});

// The same from any source of bytes.
LoadedMap decodeMapSource(MapByteSource& source, const MapReadQuestions& questions = {});

// A map file read from disk as it is decoded: the layers' cells go straight
// from the file into the layers, so the file is never held whole in memory.
struct MapFileRead {
  ReadStatus status = ReadStatus::NotFound;  // as readFileBytes answers; the map is decoded for Ok and Empty
  LoadedMap map;
};
MapFileRead readMapFile(const std::string& path, const MapReadQuestions& questions = {});

}  // namespace qarto
