#include "edit/tile_view/faulty_tiles.h"

#include <filesystem>

#include "edit/state/engine_state.h"
#include "model/project/editor_session.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

bool samePath(const std::string& a, const std::string& b) {
  if (a == b) return true;
  std::error_code error;
  return !a.empty() && !b.empty() && std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace

void markFaultyTiles(EngineState& state, const std::string& path, const std::vector<int>& tiles) {
  for (const auto& [id, page] : state.session.registry()) {
    if (!samePath(page->sourcePath, path)) continue;
    if (tiles.empty()) {
      state.faultyTiles.erase(id);
    } else {
      state.faultyTiles[id] = tiles;
    }
  }
  state.redraw();
}

}  // namespace qarto
