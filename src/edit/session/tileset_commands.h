#pragma once

#include <string>
#include <vector>

namespace qarto {

class EditorSession;

// The tileset commands of the editor. Each talks to the user through the
// session's services and reads its folders from the session's settings.

// Creates the collision tileset from "collisionTiles.bmp" in the working
// folder, or from the built-in image when that cannot be read. Called once
// when the map view starts.
bool loadCollisionTileset(EditorSession& session);

// Open Tilesets (Ctrl+T).
void openTilesets(EditorSession& session);

// Image files dropped on the view (a dropped map is handled by the map file
// commands).
void dropTilesets(EditorSession& session, const std::vector<std::string>& paths);

// Remove Tileset, Update Tileset and Export Tileset on the current tileset.
void removeCurrentTileset(EditorSession& session);
void updateCurrentTileset(EditorSession& session);
void exportCurrentTileset(EditorSession& session);

// Reads one page and registers it; shows the reader's message and returns
// nullptr on failure. Shared by Open Tilesets, drops and layer import.
struct Tileset;
Tileset* loadTilesetFromFile(EditorSession& session, const std::string& path);

}  // namespace qarto
