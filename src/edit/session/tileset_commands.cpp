#include "edit/session/tileset_commands.h"

#include <memory>
#include <utility>

#include "edit/session/tileset_loading.h"
#include "io/files/chooser_folders.h"
#include "io/images/bmp_codec.h"
#include "io/images/display_image.h"
#include "io/images/tile_page_reader.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/tileset/builtin_collision_tiles.h"
#include "model/tileset/tileset_host.h"
#include "model/tileset/tileset_registration.h"

namespace qarto {

namespace {

constexpr const char* kCollisionTilesFile = "collisionTiles.bmp";
constexpr const char* kUnoptimizedOneTilesetMessage =
    "Unoptimized mode only allows one tileset to be loaded at a time.  Collision tiles Do Not count as a regular "
    "texture tileset.";

// Reads "collisionTiles.bmp", or decodes the built-in page when that file
// cannot be read. False with the message of the built-in decoder.
bool readCollisionPage(Tileset& tileset, DisplayImage& display, std::string& message) {
  if (readTilePage(tileset, display, message)) return true;
  const auto& bytes = builtinCollisionTilesBmp();
  if (!decodeBmpImage(bytes.data(), bytes.size(), tileset.sourcePath, tileset, message)) return false;
  if (!computeTilesetGeometry(tileset)) return false;
  display = makeDisplayImage(tileset);
  if (display.rgba.empty()) {
    message = "Memory allocation failure trying to load file <" + tileset.sourcePath + ">.";
    return false;
  }
  return true;
}

// Loads pages one after the other; a refusal that would hit every later page
// too ends the run.
void loadPages(EditorSession& session, const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    if (loadTilePage(session, path).stopLoading) break;
  }
}

void finishLoading(EditorSession& session) {
  session.host().tileViewLayoutChanged();
  if (session.project().hasLayers()) session.project().modified = true;
}

}  // namespace

bool loadCollisionTileset(EditorSession& session) {
  PlatformServices& services = session.services();
  MapProject& project = session.project();
  if (tilesetIdsExhausted(session)) {
    services.messageBox(kTilesetIdsExhaustedMessage, caption(kTileLoadErrorSuffix), MessageButtons::Ok,
                        MessageIcon::Warning);
    return false;
  }
  std::unique_ptr<Tileset> tileset = makeTileset();
  if (!tileset) {
    services.messageBox(kTexturesAllocationFailedMessage, caption(), MessageButtons::Ok, MessageIcon::Warning);
    return false;
  }
  tileset->sourcePath = kCollisionTilesFile;
  tileset->isCollisionTileset = true;
  DisplayImage display;
  std::string message;
  if (!readCollisionPage(*tileset, display, message)) {
    services.messageBox(message, caption(kTileLoadErrorSuffix), MessageButtons::Ok, MessageIcon::Warning);
    return false;
  }
  // The project refers to the record only once it is registered, so a failed
  // upload leaves no reference to a destroyed tileset behind.
  Tileset* registered = registerTileset(project, session.host(), std::move(tileset), std::move(display));
  if (registered == nullptr) return false;
  project.collisionTileset = registered;
  session.host().tileViewLayoutChanged();
  return true;
}

void openTilesets(EditorSession& session) {
  MapProject& project = session.project();
  PlatformServices& services = session.services();
  if (project.unoptimizedMode && session.registry().countNonCollision() > 0) {
    services.messageBox(kUnoptimizedOneTilesetMessage, caption(), MessageButtons::Ok, MessageIcon::Information);
    return;
  }

  FileChooserRequest request;
  request.title = "Open Tilesets";
  request.filter = kTilesetFilter;
  request.defaultExtension = kBmpExtension;
  request.initialFolder = tilesetDialogFolder(session.settings());
  request.multiple = !project.unoptimizedMode;
  std::vector<std::string> paths = services.chooseOpenFiles(request);
  if (paths.empty()) return;
  rememberTilesetFolder(session.settings(), paths.front());
  if (project.unoptimizedMode) paths.resize(1);

  loadPages(session, paths);
  finishLoading(session);
}

void dropTilesets(EditorSession& session, const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  std::vector<std::string> accepted = paths;
  // A drop must not slip past the one-page rule of un-optimized mode: the
  // export takes a single page's palettes and would mis-colour a second one.
  if (session.project().unoptimizedMode) {
    if (session.registry().countNonCollision() > 0) {
      session.services().messageBox(kUnoptimizedOneTilesetMessage, caption(), MessageButtons::Ok,
                                    MessageIcon::Information);
      return;
    }
    accepted.resize(1);
  }
  loadPages(session, accepted);
  finishLoading(session);
}

void exportCurrentTileset(EditorSession& session) {
  const Tileset* tileset = session.registry().find(session.project().currentTilesetId);
  if (tileset == nullptr) return;

  FileChooserRequest request;
  request.title = "Export Tileset";
  request.filter = kImageFilesFilter;
  request.defaultExtension = kBmpExtension;
  request.initialFolder = tilesetDialogFolder(session.settings());
  std::optional<std::string> path = session.services().chooseSaveFile(request);
  if (!path) return;
  rememberTilesetFolder(session.settings(), *path);

  std::string message;
  if (!writeIndexedBmp(*path, *tileset, 256, message)) {
    session.services().messageBox(message, caption(" - Export Tileset"), MessageButtons::Ok, MessageIcon::Warning);
  }
}

}  // namespace qarto
