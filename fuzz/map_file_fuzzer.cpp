// Decodes arbitrary bytes as a map file, answering every question with "go
// on" so that the reader goes as deep as the bytes allow. Whatever it hands
// back must be internally consistent, and reading the same bytes from a
// file as they are decoded must give the same map.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "io/map_file/file_byte_source.h"
#include "io/map_file/map_file_format.h"
#include "io/map_file/map_file_reader.h"

namespace {

// The bytes as a file in memory, read through its /proc path.
void checkReadFromFile(const std::uint8_t* data, std::size_t size, const qarto::LoadedMap& memory) {
  using namespace qarto;
  const int fd = memfd_create("map", MFD_CLOEXEC);
  if (fd < 0) return;
  std::size_t written = 0;
  while (written < size) {
    const ssize_t n = write(fd, data + written, size - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  FileByteSource source;
  const ReadStatus status = source.open("/proc/self/fd/" + std::to_string(fd));
  if (written == size && size > 0) {
    FUZZ_CHECK(status == ReadStatus::Ok);
    const LoadedMap file = decodeMapSource(source);
    FUZZ_CHECK(file.outcome == memory.outcome);
    FUZZ_CHECK(file.stoppedAt == memory.stoppedAt);
    FUZZ_CHECK(file.message == memory.message);
    FUZZ_CHECK(file.layers.size() == memory.layers.size());
    FUZZ_CHECK(file.tilesets.size() == memory.tilesets.size());
    for (std::size_t i = 0; i < file.layers.size(); ++i) {
      const MapLayer& a = *file.layers[i];
      const MapLayer& b = *memory.layers[i];
      FUZZ_CHECK(a.cells.size() == b.cells.size() && a.entities == b.entities);
      FUZZ_CHECK(a.cells.empty() || std::memcmp(a.cells.data(), b.cells.data(), a.cells.size() * sizeof(MapCell)) == 0);
    }
    for (std::size_t i = 0; i < file.tilesets.size(); ++i) {
      FUZZ_CHECK(file.tilesets[i]->pixels == memory.tilesets[i]->pixels);
    }
  }
  close(fd);
}

}  // namespace

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
  checkReadFromFile(data, size, map);
  return 0;
}
