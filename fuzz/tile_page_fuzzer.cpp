// Reads a tile page and the .cll beside it from a scratch folder, through the
// same path the editor takes when it opens a page.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_check.h"
#include "io/images/bmp_codec.h"
#include "io/images/tile_page_reader.h"
#include "model/tileset/tileset.h"
#include "tile_page_input.h"

namespace {

std::string g_scratch;

void removeScratch() {
  for (const char* name : {"/page.bmp", "/page.pcx", "/page.png", "/page.cll"}) unlink((g_scratch + name).c_str());
  rmdir(g_scratch.c_str());
}

// Files in memory when the machine offers it: disk writes would dominate.
const std::string& scratchFolder() {
  if (g_scratch.empty()) {
    std::string pattern =
        access("/dev/shm", W_OK) == 0 ? "/dev/shm/qarto_tile_page_fuzz.XXXXXX" : "/tmp/qarto_tile_page_fuzz.XXXXXX";
    FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
    g_scratch = pattern;
    std::atexit(removeScratch);
  }
  return g_scratch;
}

void writeOrRemove(const std::string& path, const std::vector<std::uint8_t>* bytes) {
  if (bytes == nullptr) {
    unlink(path.c_str());
    return;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  FUZZ_CHECK(file != nullptr);
  FUZZ_CHECK(std::fwrite(bytes->data(), 1, bytes->size(), file) == bytes->size());
  FUZZ_CHECK(std::fclose(file) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const qarto::seeds::TilePageInput input = qarto::seeds::splitTilePageInput(data, size);
  const std::string folder = scratchFolder();
  const std::string bmpPath = folder + "/page.bmp";
  const std::string pcxPath = folder + "/page.pcx";
  const std::string pngPath = folder + "/page.png";
  const std::string cllPath = folder + "/page.cll";
  const std::string& pagePath = input.png ? pngPath : input.pcx ? pcxPath : bmpPath;
  for (const std::string* path : {&bmpPath, &pcxPath, &pngPath}) {
    writeOrRemove(*path, *path == pagePath ? &input.image : nullptr);
  }
  writeOrRemove(cllPath, input.withCll ? &input.cll : nullptr);

  qarto::Tileset tileset;
  tileset.sourcePath = pagePath;
  qarto::DisplayImage display;
  std::string message;
  if (!qarto::readTilePage(tileset, display, message)) {
    FUZZ_CHECK(!message.empty() && message != qarto::kNoErrors);
    FUZZ_CHECK(tileset.pixels.empty() && !tileset.hasCollisionSet);
    return 0;
  }
  FUZZ_CHECK(message == qarto::kNoErrors);
  FUZZ_CHECK(tileset.tileCount == tileset.imageWidth * tileset.imageHeight / 64);
  FUZZ_CHECK(display.rgba.size() == tileset.pixels.size() * 4);
  FUZZ_CHECK(!tileset.hasCollisionSet || tileset.collisionSet.size() == static_cast<std::size_t>(tileset.tileCount));
  return 0;
}
