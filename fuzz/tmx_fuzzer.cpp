// Reads arbitrary bytes as a TMX map (its .tsx files are the same bytes
// again) and maps what reads to Qarto's layers over a fixed 16x8 page.
// A refusal must say why; a map that reads must have every layer's cells,
// and writing it again must read back to the same cells.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "edit/tmx/tmx_import.h"
#include "fuzz_check.h"
#include "io/tmx/tmx_reader.h"
#include "io/tmx/tmx_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qarto;
  const std::vector<std::uint8_t> bytes(data, data + size);
  const TsxFileLoader sameBytes = [&bytes](const std::string&) { return std::optional(bytes); };
  const TmxRead read = decodeTmx(data, size, "fuzz.tmx", sameBytes);
  if (!read.ok) {
    FUZZ_CHECK(read.message.rfind("fuzz.tmx", 0) == 0 || read.message.find(".tsx") != std::string::npos);
    return 0;
  }
  for (const TmxLayer& layer : read.map.layers) {
    if (layer.kind == TmxLayerKind::Tiles) {
      FUZZ_CHECK(layer.gids.size() == static_cast<std::size_t>(layer.width) * static_cast<std::size_t>(layer.height));
    }
  }

  const std::string again = tmxText(read.map, {TmxEncoding::Base64, TmxCompression::Zlib});
  const TmxRead reread =
      decodeTmx(reinterpret_cast<const std::uint8_t*>(again.data()), again.size(), "again.tmx", sameBytes);
  FUZZ_CHECK(reread.ok);
  const auto cellsOf = [](const TmxMap& map) {
    std::vector<std::vector<std::uint32_t>> cells;
    for (const TmxLayer& layer : map.layers) {
      if (layer.kind == TmxLayerKind::Tiles) cells.push_back(layer.gids);
    }
    return cells;
  };
  FUZZ_CHECK(cellsOf(reread.map) == cellsOf(read.map));

  TmxImportContext context;
  context.firstTilesetId = 2;
  context.collisionTilesetId = 1;
  context.readPage = [](Tileset& page, std::string&) {
    page.imageWidth = 16;
    page.imageHeight = 8;
    page.pixels.assign(128, 0x11);
    return computeTilesetGeometry(page);
  };
  const TmxImport imported = importTmx(read.map, context);
  FUZZ_CHECK(imported.ok == imported.message.empty());
  for (const auto& layer : imported.layers) {
    if (layer->isEntityLayer()) {
      FUZZ_CHECK(layer->entities.size() == kEntityBlockSize);
    } else {
      FUZZ_CHECK(layer->cells.size() == static_cast<std::size_t>(layer->width) * layer->height);
    }
  }
  return 0;
}
