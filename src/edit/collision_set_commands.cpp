#include "edit/collision_set_commands.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "io/atomic_file.h"
#include "io/collision_set_file.h"
#include "io/path_utils.h"
#include "model/app_title.h"
#include "model/editor_session.h"
#include "model/platform_services.h"

namespace qarto {

namespace {

bool endsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

// The .cll goes beside the page under the page's name in lower case. Only
// the file name is lowered: the folders are kept as they are, since on a
// case-sensitive file system a lowered folder is another folder.
std::string collisionSetPathFor(const std::string& imagePath) {
  const std::string::size_type slash = imagePath.find_last_of("/\\");
  const std::string::size_type nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string name = imagePath.substr(nameStart);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (endsWith(name, ".bmp") || endsWith(name, ".pcx")) {
    name.replace(name.size() - 4, 4, ".cll");
  } else {
    name += ".cll";
  }
  return imagePath.substr(0, nameStart) + name;
}

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
