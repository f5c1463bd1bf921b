// Decodes arbitrary bytes as a map file, answering every question with "go
// on" so that the reader goes as deep as the bytes allow. Whatever it hands
// back must be internally consistent.
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "io/map_file_format.h"
#include "io/map_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qarto;
  const LoadedMap map = decodeMapFile(data, size);
  FUZZ_CHECK(map.stoppedAt <= size);
  FUZZ_CHECK(map.revision >= kOldestMapRevision && map.revision <= kCurrentMapRevision);
  FUZZ_CHECK(map.succeeded() == map.message.empty() || map.tilesetsSkipped);
  for (const auto& layer : map.layers) {
    if (layer->kind == LayerKind::Entity) {
      FUZZ_CHECK(layer->entities.size() == kEntityBlockSize);
    } else {
      FUZZ_CHECK(layer->cells.size() == static_cast<std::size_t>(layer->width) * layer->height);
    }
    FUZZ_CHECK(layer->name.back() == '\0');
  }
  for (const auto& tileset : map.tilesets) {
    FUZZ_CHECK(tileset->imageWidth > 0 && tileset->imageWidth % 8 == 0);
    FUZZ_CHECK(tileset->imageHeight > 0 && tileset->imageHeight % 8 == 0);
    const std::size_t pixels = static_cast<std::size_t>(tileset->imageWidth) * tileset->imageHeight;
    FUZZ_CHECK(tileset->pixels.size() == pixels);
    FUZZ_CHECK(tileset->tileCount == static_cast<std::int32_t>(pixels / 64));
    FUZZ_CHECK(!tileset->hasCollisionSet || tileset->collisionSet.size() == pixels / 64);
    FUZZ_CHECK(tileset->sourcePath.size() < 256 && tileset->displayName.size() < 256);
  }
  return 0;
}
