#include "edit/session/collision_set_commands.h"

#include <string>

#include "io/collision_set_file.h"
#include "io/files/atomic_file.h"
#include "io/files/path_utils.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"

namespace qarto {

bool exportCollisionSet(EditorSession& session) {
  MapProject& project = session.project();
  PlatformServices& services = session.services();

  const Tileset* page = session.registry().firstNonCollision();
  if (page == nullptr) {
    services.messageBox(
        "Supposedly a tileset is loaded, but couldn't find one. Auto-generation of collision layer aborted.",
        caption(), MessageButtons::Ok, MessageIcon::Stop);
    return false;
  }
  const MapLayer* layer = project.findLayerOfKind(LayerKind::Collision);
  if (layer == nullptr) {
    services.messageBox("Supposedly a collision layer is present, but none was found.", caption(),
                        MessageButtons::Ok, MessageIcon::Stop);
    return false;
  }

  CollisionSetFile set;
  set.width = layer->width;
  set.height = layer->height;
  set.tiles.reserve(layer->cells.size());
  for (const MapCell& cell : layer->cells) set.tiles.push_back(static_cast<std::uint8_t>(cell.tile & 0xFF));
  const std::vector<std::uint8_t> bytes = encodeCollisionSet(set);

  // Written atomically: a failed write leaves the former .cll untouched.
  if (bytes.empty() || !writeFileAtomically(collisionSetPathFor(page->sourcePath), bytes.data(), bytes.size())) {
    services.messageBox("Could not write out .cll file", caption(), MessageButtons::Ok, MessageIcon::Warning);
    return false;
  }
  project.modified = false;
  return true;
}

}  // namespace qarto
