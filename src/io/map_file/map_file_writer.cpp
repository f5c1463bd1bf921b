#include "io/map_file/map_file_writer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "io/map_file/map_file_format.h"
#include "io/map_file/map_layer_record.h"
#include "io/map_file/map_tileset_record.h"
#include "model/byte_order.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

constexpr std::size_t kFileHeaderSize = kMagicSize + 1 + 4 + 4 + 3 + kStoredPathBytes + 4;

void encodeFileHeader(const MapProject& project, std::uint8_t* h) {
  std::fill(h, h + kFileHeaderSize, std::uint8_t{0});
  const auto magic = mapMagic(kCurrentMapRevision);
  std::memcpy(h, magic.data(), kMagicSize);
  std::uint8_t* p = h + kMagicSize;
  *p++ = project.unoptimizedMode ? 1 : 0;
  storeI32(p, project.lastTilesetId);
  p += 4;
  storeI32(p, project.currentTilesetId);
  p += 4;
  *p++ = project.showMapGrid ? 1 : 0;
  *p++ = project.showTileGrid ? 1 : 0;
  *p++ = project.autoPaintCollision ? 1 : 0;
  // The field keeps 255 characters and the terminator; the rest stays zero.
  std::memcpy(p, project.filePath.data(), std::min(project.filePath.size(), kStoredPathBytes - 1));
  p += kStoredPathBytes;
  storeI32(p, project.layerCount());
}

// Header and content of one layer in `block`. The content always has the
// size the header announces, so the file stays readable whatever the
// buffers hold.
void encodeLayer(const MapLayer& layer, std::vector<std::uint8_t>& block) {
  if (layer.kind == LayerKind::Entity) {
    block.assign(layer7::kSize + kEntityBlockSize, 0);
    const std::size_t present = std::min(layer.entities.size(), kEntityBlockSize);
    std::memcpy(block.data() + layer7::kSize, layer.entities.data(), present);
  } else {
    const std::size_t cellCount = static_cast<std::size_t>(layer.width) * layer.height;
    block.assign(layer7::kSize + cellCount * MapCell::kSize, 0);
    encodeCells(layer.cells.data(), std::min(layer.cells.size(), cellCount), block.data() + layer7::kSize);
  }
  encodeLayerHeader(layer, block.data());
}

}  // namespace

bool VectorSink::write(const std::uint8_t* data, std::size_t size) {
  try {
    bytes.insert(bytes.end(), data, data + size);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool writeMapFile(ByteSink& sink, const MapProject& project, const TilesetRegistry& registry) {
  try {
    std::uint8_t header[kFileHeaderSize];
    encodeFileHeader(project, header);
    if (!sink.write(header, sizeof header)) return false;

    std::vector<std::uint8_t> block;
    for (const auto& layer : project.layers()) {
      encodeLayer(*layer, block);
      if (!sink.write(block.data(), block.size())) return false;
    }

    block.assign(4, 0);
    storeI32(block.data(), static_cast<std::int32_t>(registry.size()));
    for (const auto& [id, tileset] : registry) appendTilesetRecord(*tileset, block);
    return sink.write(block.data(), block.size());
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool encodeMapFile(const MapProject& project, const TilesetRegistry& registry, std::vector<std::uint8_t>& out) {
  VectorSink sink;
  if (!writeMapFile(sink, project, registry)) return false;
  out.swap(sink.bytes);
  return true;
}

}  // namespace qarto
