#pragma once

#include <memory>
#include <string>

namespace qarto {

class EditorSession;
struct Tileset;

inline constexpr const char* kTileLoadErrorSuffix = " - Tile Load Error";
// Cells keep the tileset id in a signed byte, so a page that would get an id
// above 127 could never be painted; it is refused instead of wrapping.
inline constexpr const char* kTilesetIdsExhaustedMessage =
    "No more tilesets can be loaded into this map.  Tileset ids above 127 cannot be stored in map cells.";

// A fresh Tileset record, or nullptr when it cannot be allocated.
std::unique_ptr<Tileset> makeTileset();

// True when the next id handed out (lastTilesetId + 1) could not be stored in
// a cell.
bool tilesetIdsExhausted(EditorSession& session);

struct PageLoad {
  Tileset* tileset = nullptr;  // the registered page, nullptr on failure
  bool stopLoading = false;    // the failure would repeat for every later page
};

// Reads one tile page and registers it; every failure has been shown to the
// user when this returns.
PageLoad loadTilePage(EditorSession& session, const std::string& path);

}  // namespace qarto
