#pragma once

#include <string>
#include <vector>

namespace qarto {

struct EngineState;

// Validate Tileset's finds on a page that is also loaded: every registered
// page read from `path` gets `tiles` framed in the tile view (none clears
// them). A page validated but not loaded marks nothing.
void markFaultyTiles(EngineState& state, const std::string& path, const std::vector<int>& tiles);

}  // namespace qarto
