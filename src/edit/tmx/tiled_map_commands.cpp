#include "edit/tmx/tiled_map_commands.h"

#include <utility>

#include "edit/tmx/tmx_export.h"
#include "io/files/atomic_file.h"
#include "io/files/chooser_folders.h"
#include "io/images/display_image.h"
#include "io/images/png_indexed_writer.h"
#include "io/tmx/tmx_reader.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/settings/settings_keys.h"
#include "model/tileset/tileset_host.h"
#include "model/tileset/tileset_registration.h"

namespace qarto {

namespace {

constexpr const char* kTiledFilter = "Tiled Maps (*.tmx)|*.tmx||";

FileChooserRequest tiledChooser(EditorSession& session, const char* title) {
  FileChooserRequest request;
  request.title = title;
  request.filter = kTiledFilter;
  request.defaultExtension = ".tmx";
  request.initialFolder = chooserFolder(session.settings(), kMapFolderKeys);
  return request;
}

void warn(EditorSession& session, const std::string& text, const char* suffix) {
  session.services().messageBox(text, caption(suffix), MessageButtons::Ok, MessageIcon::Warning);
}

}  // namespace

TmxImport readTiledMap(EditorSession& session, const EntityCatalogue& catalogue, const std::string& path) {
  const TmxRead read = readTmxFile(path);
  if (!read.ok) {
    TmxImport refused;
    refused.message = read.message;
    return refused;
  }
  const MapProject& project = session.project();
  TmxImportContext context;
  context.firstTilesetId = project.lastTilesetId + 1;
  context.collisionTilesetId = project.collisionTileset != nullptr ? project.collisionTileset->id : 0;
  context.catalogue = &catalogue;
  return importTmx(read.map, context);
}

void installTiledMap(EditorSession& session, TmxImport& imported) {
  MapProject& project = session.project();
  BusyPointer busy(session.services());
  project.resetProject(false);
  // The cells are filled already: registration must not fill them again.
  project.tilesetsLoaded = true;
  for (auto& page : imported.pages) {
    DisplayImage display = makeDisplayImage(*page);
    registerTileset(project, session.host(), std::move(page), std::move(display));
  }
  imported.pages.clear();
  session.host().tileViewLayoutChanged();
  installLayers(project, imported.layers);
  project.modified = true;
  project.journal().clear();
}

bool importTiledMap(EditorSession& session, const EntityCatalogue& catalogue, const std::optional<std::string>& path,
                    const MapFileHooks& hooks) {
  PlatformServices& services = session.services();
  std::string chosen;
  if (path) {
    chosen = *path;
  } else {
    const std::vector<std::string> files = services.chooseOpenFiles(tiledChooser(session, "Import Tiled Map"));
    if (files.empty() || files.front().empty()) return false;
    chosen = files.front();
    rememberChooserFolder(session.settings(), kMapFolderKeys, chosen);
  }
  TmxImport imported;
  {
    BusyPointer busy(services);
    imported = readTiledMap(session, catalogue, chosen);
  }
  if (!imported.ok) {
    warn(session, imported.message, kImportTiledSuffix);
    return false;
  }
  if (!confirmDiscard(session, hooks)) return false;
  installTiledMap(session, imported);
  if (hooks.setWindowTitle) hooks.setWindowTitle(windowTitle(session.project()));
  services.messageBox(imported.summary, caption(kImportTiledSuffix), MessageButtons::Ok, MessageIcon::Information);
  return true;
}

bool writeTiledMap(EditorSession& session, const EntityCatalogue& catalogue, const std::string& path,
                   const TmxCellFormat& format, std::string& message) {
  BusyPointer busy(session.services());
  const TmxExport exported = exportTmx(session.project(), session.registry(), catalogue, path);
  for (const TmxPageFile& page : exported.pages) {
    if (!writeIndexedPng(page.path, *page.page, message)) return false;
  }
  const std::string text = tmxText(exported.map, format);
  if (!writeFileAtomically(path, text.data(), text.size())) {
    message = "cannot write " + path + ": the file could not be replaced";
    return false;
  }
  return true;
}

bool exportTiledMap(EditorSession& session, const EntityCatalogue& catalogue) {
  FileChooserRequest request = tiledChooser(session, "Export Tiled Map");
  const std::optional<std::string> chosen = session.services().chooseSaveFile(request);
  if (!chosen || chosen->empty()) return false;
  rememberChooserFolder(session.settings(), kMapFolderKeys, *chosen);
  std::string message;
  if (writeTiledMap(session, catalogue, *chosen, {}, message)) return true;
  warn(session, message, kExportTiledSuffix);
  return false;
}

}  // namespace qarto
