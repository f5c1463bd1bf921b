#include "edit/collision/make_cll_wizard.h"

#include <vector>

#include "edit/collision/collision_set_generation.h"
#include "edit/layers/cells/page_layer_fill.h"
#include "edit/session/map_file_commands.h"
#include "edit/session/tileset_commands.h"
#include "io/files/chooser_folders.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/tileset/tileset.h"

namespace qarto {

namespace {

void fillCollisionLayer(MapLayer& layer, const std::vector<std::uint8_t>& set, std::int32_t collisionId) {
  for (std::size_t i = 0; i < layer.cells.size() && i < set.size(); ++i) {
    MapCell& cell = layer.cells[i];
    cell.tile = set[i];
    cell.tileset = static_cast<std::int8_t>(collisionId);
    cell.palette = 0;
    cell.flags = 0;
  }
}

}  // namespace

std::optional<std::string> chooseMakeCllPage(EditorSession& session) {
  FileChooserRequest request;
  request.title = "Load Tileset";
  request.filter = kTilesetFilter;
  request.defaultExtension = kBmpExtension;
  request.initialFolder = tilesetDialogFolder(session.settings());
  std::vector<std::string> chosen = session.services().chooseOpenFiles(request);
  if (chosen.empty()) return std::nullopt;
  return chosen.front();
}

bool runMakeCllWizard(EditorSession& session, const MakeCllRequest& request, const MapFileHooks& hooks) {
  MapProject& project = session.project();
  project.resetProject(false);
  if (hooks.setWindowTitle) hooks.setWindowTitle(caption(" - New .CLL"));

  Tileset* page = loadTilesetFromFile(session, request.pagePath);
  if (page == nullptr) return false;
  const int columns = page->imageWidth / kTileSide;
  const int rows = page->imageHeight / kTileSide;
  MapLayer* primary = project.addLayer("BMP_tilepage", columns, rows, 1.0f, 1.0f, LayerKind::Primary, true);
  MapLayer* collision = project.addLayer("CLL_Layer", columns, rows, 1.0f, 1.0f, LayerKind::Collision, false);
  if (primary != nullptr) fillLayerFromPage(*primary, *page);
  project.collisionSetEditing = true;
  project.modified = true;

  const Tileset* collisionTiles = project.collisionTileset;
  if (collision != nullptr && collisionTiles != nullptr) {
    if (request.loadExisting && page->hasCollisionSet) {
      fillCollisionLayer(*collision, page->collisionSet, collisionTiles->id);
    } else if (request.autoGenerate) {
      fillCollisionLayer(*collision, generateCollisionSet(*page, *collisionTiles, request.minimumMatch),
                         collisionTiles->id);
    }
  }
  // The new layers are the project itself: undo must not take them away.
  project.journal().clear();
  return primary != nullptr;
}

}  // namespace qarto
