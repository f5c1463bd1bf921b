#pragma once

#include <set>
#include <string>
#include <vector>

#include "edit/session/tileset_commands.h"
#include "support/page_files.h"
#include "support/test_session.h"

namespace qarto::test {

// An editor session as the map view starts it: the collision tileset is id 1.
struct SessionFixture : TestSession {
  TempFolder folder;

  SessionFixture() { EXPECT_TRUE(loadCollisionTileset(session)); }

  // A page whose tile t is drawn in palette row (t + shift) % 16 with colour
  // 1 + t % 15, except the tiles in `blank`, which stay index 0.
  std::string page(const std::string& name, int width, int height, const std::set<int>& blank = {}, int shift = 0) {
    return writePage(folder, name, makePage(width, height, [&](int x, int y) {
                       const int t = tileAt(width, x, y);
                       if (blank.count(t) != 0) return std::uint8_t{0};
                       return static_cast<std::uint8_t>(((t + shift) % 16) << 4 | (1 + t % 15));
                     }));
  }

  Tileset* load(const std::string& path) { return loadTilesetFromFile(session, path); }

  MapLayer& primary(int width = 32, int height = 32) {
    return *project().addLayer("Primary", width, height, 1.0f, 1.0f, LayerKind::Primary, true);
  }
};

}  // namespace qarto::test
