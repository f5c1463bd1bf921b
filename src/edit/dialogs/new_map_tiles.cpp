#include "edit/dialogs/new_map_tiles.h"

#include <vector>

#include "edit/collision/make_cll_wizard.h"
#include "edit/session/tileset_commands.h"
#include "io/files/chooser_folders.h"
#include "model/project/editor_session.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

std::optional<std::string> chooseNewMapTilePage(EditorSession& session) {
  // The same chooser as the Make .CLL wizard's tile page.
  std::optional<std::string> chosen = chooseMakeCllPage(session);
  if (!chosen || chosen->empty()) return std::nullopt;
  rememberTilesetFolder(session.settings(), *chosen);
  return chosen;
}

bool loadNewMapTilePage(EditorSession& session, const std::string& path) {
  if (path.empty()) return false;
  const int before = session.registry().countNonCollision();
  // Pages given from outside the chooser take the loading path of Open Tilesets.
  dropTilesets(session, {path});
  return session.registry().countNonCollision() > before;
}

}  // namespace qarto
