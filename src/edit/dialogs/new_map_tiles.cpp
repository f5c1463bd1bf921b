#include "edit/dialogs/new_map_tiles.h"

#include <vector>

#include "edit/session/tileset_commands.h"
#include "io/files/chooser_folders.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

std::optional<std::string> chooseNewMapTilePage(EditorSession& session) {
  FileChooserRequest request;
  request.title = "Load Tileset";
  request.filter = kTilesetFilter;
  request.defaultExtension = kBmpExtension;
  request.initialFolder = tilesetDialogFolder(session.settings());
  const std::vector<std::string> paths = session.services().chooseOpenFiles(request);
  if (paths.empty() || paths.front().empty()) return std::nullopt;
  rememberTilesetFolder(session.settings(), paths.front());
  return paths.front();
}

bool loadNewMapTilePage(EditorSession& session, const std::string& path) {
  if (path.empty()) return false;
  const int before = session.registry().countNonCollision();
  // Pages given from outside the chooser take the loading path of Open Tilesets.
  dropTilesets(session, {path});
  return session.registry().countNonCollision() > before;
}

}  // namespace qarto
