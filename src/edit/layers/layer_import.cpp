#include "edit/layers/layer_import.h"

#include <string>
#include <vector>

#include "edit/layers/cells/page_layer_fill.h"
#include "edit/layers/layer_support.h"
#include "edit/session/tileset_loading.h"
#include "io/files/chooser_folders.h"
#include "model/project/editor_session.h"
#include "model/tileset/tileset_host.h"

namespace qarto {

namespace {

constexpr const char* kImportTitle = "Import Tileset As Layer";
constexpr const char* kImportedLayerName = "BMP_tilepage";
constexpr const char* kUnoptimizedOneTileset =
    "Unoptimized mode only allows one tileset to be loaded at a time.  Collision tiles Do Not count as a regular "
    "texture tileset.";

}  // namespace

MapLayer* importImageAsLayer(EditorSession& session) {
  MapProject& project = session.project();
  // The export of un-optimized mode takes one page's palettes as they are; a
  // second page would come out in the wrong colours.
  if (project.unoptimizedMode && session.registry().countNonCollision() > 0) {
    showLayerMessage(session, kUnoptimizedOneTileset, MessageIcon::Information);
    return nullptr;
  }

  FileChooserRequest request;
  request.title = kImportTitle;
  request.filter = kTilesetFilter;
  request.defaultExtension = kBmpExtension;
  request.initialFolder = tilesetDialogFolder(session.settings());
  const std::vector<std::string> paths = session.services().chooseOpenFiles(request);
  if (paths.empty()) return nullptr;
  rememberTilesetFolder(session.settings(), paths.front());

  const Tileset* page = loadTilePage(session, paths.front()).tileset;
  if (page == nullptr) return nullptr;
  session.host().tileViewLayoutChanged();
  project.modified = true;

  MapLayer* layer = project.addLayer(kImportedLayerName, page->imageWidth / kTileSide,
                                     page->imageHeight / kTileSide, 1.0f, 1.0f, LayerKind::Secondary, false);
  if (layer == nullptr) return nullptr;
  fillLayerFromPage(*layer, *page);
  return layer;
}

}  // namespace qarto
