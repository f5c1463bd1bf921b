#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "export/export_to_header.h"
#include "model/byte_order.h"
#include "model/tileset/tileset.h"
#include "support/page_files.h"
#include "support/temp_folder.h"
#include "support/test_session.h"

namespace qarto::test {

// Every regular file under `root`, as paths relative to it, sorted.
inline std::vector<std::string> filesUnder(const std::string& root) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files.push_back(std::filesystem::relative(entry.path(), root).generic_string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// A session with a collision page (id 1), tile pages built pixel by pixel
// and a folder to export into.
struct WriterFixture : TestSession {
  TempFolder out;

  WriterFixture() {
    setenv("TZ", "UTC", 1);  // "%time%" and "%date%" in golden files
    tzset();
    registry().insert(makeTileset(1, 8, 8, [](int, int) { return 0; })).isCollisionTileset = true;
    project().lastTilesetId = 1;
  }

  // A page of `tiles` tiles in one row; tile t has pixel (x, y) = (x * t + y) mod 16
  // (so tile 0 is blank); palette byte i is (7i + id) mod 256.
  Tileset& addPage(int id, int tiles) {
    project().tilesetsLoaded = true;
    project().lastTilesetId = id;
    return registry().insert(makeTileset(
        id, tiles * 8, 8, [](int x, int y) { return x < 8 ? 0 : (x % 8 * (x / 8) + y) % 16; },
        [id](std::size_t i) { return (i * 7 + static_cast<std::size_t>(id)) & 0xFF; }));
  }

  static void placeEntity(MapLayer& layer, int slot, int type, int facing, int x, int y) {
    std::uint8_t* record = layer.entities.data() + static_cast<std::size_t>(slot) * kEntityRecordSize;
    record[0] = 1;
    storeU16(record + 2, static_cast<std::uint16_t>(type));
    record[4] = static_cast<std::uint8_t>(static_cast<std::int8_t>(facing));
    storeI32(record + 8, x);
    storeI32(record + 12, y);
  }

  ExportOutcome exportAll(ExportOptions options = {}) {
    if (options.directory.empty()) options.directory = out.path();
    if (!options.startTime) options.startTime = 1700000000;  // Nov 14, 2023 22:13 UTC
    return exportToHeaders(session, options);
  }
};

}  // namespace qarto::test
