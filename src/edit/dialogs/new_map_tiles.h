#pragma once

#include <optional>
#include <string>

namespace qarto {

class EditorSession;

// The New Map Wizard's optional tile page: the picture chosen there is
// loaded into the new map the way Open Tilesets loads one, so the map starts
// with its tiles (and its first blank tile in every cell).

// The chooser ("Load Tileset", the tile-page filter, the tileset folder).
std::optional<std::string> chooseNewMapTilePage(EditorSession& session);

// Loads `path` into the map just created; empty: nothing. A picture that
// cannot be loaded is reported and the new map stays, without tiles.
// True when a page was loaded.
bool loadNewMapTilePage(EditorSession& session, const std::string& path);

}  // namespace qarto
