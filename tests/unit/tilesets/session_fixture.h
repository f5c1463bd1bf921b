#pragma once

#include <set>
#include <string>
#include <vector>

#include "edit/tileset_commands.h"
#include "model/app_title.h"
#include "model/editor_session.h"
#include "model/memory_settings_store.h"
#include "model/tileset_host.h"
#include "support/page_files.h"
#include "support/scripted_services.h"

namespace qarto::test {

// Remembers which brushes the view would have made and dropped.
class RecordingHost : public HeadlessTilesetHost {
 public:
  void tilesetRegistered(Tileset& tileset) override { brushes.insert(tileset.id); }
  void tilesetRemoved(std::int32_t id) override { brushes.erase(id); }
  void tileViewLayoutChanged() override { ++layouts; }
  std::set<std::int32_t> brushes;
  int layouts = 0;
};

// An editor session as the map view starts it: the collision tileset is id 1.
struct SessionFixture {
  ScriptedServices services;
  MemorySettingsStore settings;
  RecordingHost host;
  EditorSession session{services, settings, host};
  TempFolder folder;

  SessionFixture() { EXPECT_TRUE(loadCollisionTileset(session)); }

  MapProject& project() { return session.project(); }
  TilesetRegistry& registry() { return session.registry(); }

  // A page whose tile t is drawn in palette row (t + shift) % 16 with colour
  // 1 + t % 15, except the tiles in `blank`, which stay index 0.
  std::string page(const std::string& name, int width, int height, const std::set<int>& blank = {},
                   int shift = 0) {
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

  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const auto& message : services.messages) out.push_back(message.text);
    return out;
  }
};

}  // namespace qarto::test
