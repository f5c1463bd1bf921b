#include "edit/session/map_file_commands.h"

#include <utility>

#include "edit/session/collision_set_commands.h"
#include "edit/session/map_read_ahead.h"
#include "edit/session/tileset_commands.h"
#include "io/files/canonical_path.h"
#include "io/files/chooser_folders.h"
#include "io/files/path_utils.h"
#include "io/files/recent_file_list.h"
#include "io/images/display_image.h"
#include "io/map_file/file_byte_source.h"
#include "io/map_file/map_file_format.h"
#include "io/map_file/map_file_reader.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/project/layer_observer.h"
#include "model/settings/settings_keys.h"
#include "model/settings/settings_store.h"
#include "model/tileset/tileset_host.h"
#include "model/tileset/tileset_registration.h"

namespace qarto {

namespace {

constexpr const char* kMapFilter = "Map Files (*.qrm)|*.qrm||";
constexpr const char* kUnsavedCllQuestion = "There are unsaved changes to the .cll.  Would you like to export them?";
constexpr const char* kUnsavedMapQuestion = "There are unsaved changes.  Would you like to save them?";
constexpr const char* kOneMapDropMessage =
    "Qarto only supports drag and drop for one map at a time.\n\nOnly the first map in the list will be opened.";

void tell(PlatformServices& services, const std::string& text) {
  services.messageBox(text, caption(), MessageButtons::Ok, MessageIcon::Exclamation);
}

// The usual first line, then what happened where, and that nothing is lost.
std::string saveFailedMessage(const std::string& path, const MapSaveTarget* target) {
  std::string text = kSaveOpenFailedMessage;
  if (target == nullptr || !target->failure()) return text;
  return text + "\n\n" + describeWriteFailure(path, *target->failure()) +
         "\n\nThe file on disk is unchanged and the map keeps its unsaved changes.";
}

void showTitle(const MapFileHooks& hooks, const MapProject& project) {
  if (hooks.setWindowTitle) hooks.setWindowTitle(windowTitle(project));
}

// Map choosers start in "DefMapPath" when "UseDefMapPath" is set, else in
// the folder of the last map chosen.
FileChooserRequest mapChooser(SettingsStore& settings, const char* title) {
  FileChooserRequest request;
  request.title = title;
  request.filter = kMapFilter;
  request.defaultExtension = kMapFileExtension;
  request.initialFolder = chooserFolder(settings, kMapFolderKeys);
  return request;
}

void rememberMapFolder(SettingsStore& settings, const std::string& chosen) {
  rememberChooserFolder(settings, kMapFolderKeys, chosen);
}

void applyOptions(MapProject& project, const MapFileOptions& options) {
  project.unoptimizedMode = options.unoptimizedMode;
  project.lastTilesetId = options.lastTilesetId;
  project.currentTilesetId = options.currentTilesetId;
  project.showMapGrid = options.showMapGrid;
  project.showTileGrid = options.showTileGrid;
  project.autoPaintCollision = options.autoPaintCollision;
}

// Registers the tilesets under their stored ids. Returns false when a
// display image could not be made: that tileset and the rest are dropped.
bool installTilesets(EditorSession& session, std::vector<std::unique_ptr<Tileset>>& tilesets) {
  MapProject& project = session.project();
  bool complete = true;
  for (auto& tileset : tilesets) {
    // Set first, so that registration does not fill the loaded cells.
    project.tilesetsLoaded = true;
    DisplayImage display = makeDisplayImage(*tileset);
    if (display.rgba.empty()) {
      complete = false;
      break;
    }
    const bool isCollision = tileset->isCollisionTileset;
    Tileset* registered = registerTileset(project, session.host(), std::move(tileset), std::move(display));
    if (registered != nullptr && isCollision) project.collisionTileset = registered;
  }
  tilesets.clear();
  session.host().tileViewLayoutChanged();
  return complete;
}

MapReadQuestions askingQuestions(PlatformServices& services) {
  MapReadQuestions questions;
  questions.readAsOldFormat = [&services] {
    return services.messageBox(kOldFormatQuestion, caption(), MessageButtons::OkCancel, MessageIcon::Exclamation) ==
           MessageAnswer::Ok;
  };
  questions.readDespiteLayerCount = [&services](std::int32_t) {
    return services.messageBox(kLayerCountQuestion, caption(), MessageButtons::YesNo, MessageIcon::Exclamation) ==
           MessageAnswer::Yes;
  };
  return questions;
}

// Puts a completely read map into the freshly reset project.
void installMap(EditorSession& session, const std::string& path, LoadedMap& map) {
  MapProject& project = session.project();
  BusyPointer busy(session.services());
  applyOptions(project, map.options);
  // The path actually opened wins over the one stored in the file.
  project.filePath = path;
  installLayers(project, map.layers);
  const bool allTilesets = installTilesets(session, map.tilesets) && !map.tilesetsSkipped;
  if (!allTilesets) tell(session.services(), kTilesetAllocationMessage);
  project.modified = false;
  project.journal().clear();
}

}  // namespace

void installLayers(MapProject& project, std::vector<std::unique_ptr<MapLayer>>& layers) {
  MapLayer* active = nullptr;
  for (auto& layer : layers) {
    if (layer->kind == LayerKind::Entity) project.selectedEntity = -1;
    MapLayer& added = project.insertLayer(std::move(layer), project.layerCount());
    if (active == nullptr || added.kind == LayerKind::Primary) active = &added;
    if (LayerObserver* observer = project.layerObserver()) observer->layerAdded(added);
  }
  layers.clear();
  if (LayerObserver* observer = project.layerObserver()) observer->refreshLayers();
  project.setActiveLayer(active);
}

std::string windowTitle(const MapProject& project) {
  std::string title = kAppTitle;
  if (!project.filePath.empty()) title += " - " + project.filePath;
  if (project.unoptimizedMode) title += "  (Un-opt. mode)";
  return title;
}

bool saveMap(EditorSession& session, bool saveAs, const MapFileHooks& hooks) {
  MapProject& project = session.project();
  PlatformServices& services = session.services();
  SettingsStore& settings = session.settings();
  if (!project.hasLayers()) {
    tell(services, kNothingToSaveMessage);
    return false;
  }

  if (project.filePath.empty() || saveAs) {
    FileChooserRequest request = mapChooser(settings, "Save Map");
    request.initialFile = project.filePath;
    const std::optional<std::string> chosen = services.chooseSaveFile(request);
    if (!chosen || chosen->empty()) return false;
    project.filePath = canonicalPath(*chosen);
    rememberMapFolder(settings, *chosen);
  }

  const std::string path = project.filePath;
  if (hooks.confirmOverwrite && !hooks.confirmOverwrite(path)) return false;
  std::unique_ptr<MapSaveTarget> target =
      hooks.openSaveTarget ? hooks.openSaveTarget(path) : std::make_unique<AtomicSaveTarget>(path);
  if (!target || !target->open()) {
    tell(services, saveFailedMessage(path, target.get()));
    return false;
  }
  RecentFileList(settings).add(path);

  bool written = false;
  {
    BusyPointer busy(services);
    written = writeMapFile(*target, project, session.registry()) && target->commit();
  }
  // Nothing replaced the previous file: the changes are still unsaved.
  if (!written) {
    tell(services, saveFailedMessage(path, target.get()));
    return false;
  }
  project.modified = false;
  showTitle(hooks, project);
  if (hooks.fileSettled) hooks.fileSettled(path);
  return true;
}

bool loadMap(EditorSession& session, const std::optional<std::string>& path, const MapFileHooks& hooks,
             MapReadAhead* readAhead) {
  PlatformServices& services = session.services();
  SettingsStore& settings = session.settings();

  std::string chosen;
  if (path) {
    chosen = *path;
  } else {
    const std::vector<std::string> files = services.chooseOpenFiles(mapChooser(settings, "Load Map"));
    if (files.empty() || files.front().empty()) return false;
    chosen = files.front();
    rememberMapFolder(settings, chosen);
  }

  if (!confirmDiscard(session, hooks)) return false;
  // The title and the recent files show one form of the path, however it was given.
  chosen = canonicalPath(chosen);

  // The new map is read completely before the open one is replaced: a file
  // that cannot be read leaves the map on screen, the title and the recent
  // files as they were.
  std::optional<MapFileRead> ahead;
  if (readAhead != nullptr && canonicalPath(readAhead->path()) == chosen) ahead = readAhead->take();
  FileByteSource file;
  const ReadStatus status = ahead ? ahead->status : file.open(chosen);
  if (status != ReadStatus::Ok && status != ReadStatus::Empty) {
    tell(services, std::string(kLoadOpenFailedMessage) + "\n\n" + chosen);
    return false;
  }
  LoadedMap map;
  {
    BusyPointer busy(services);
    map = ahead ? std::move(ahead->map) : decodeMapSource(file, askingQuestions(services));
  }
  if (!map.succeeded()) {
    if (!map.message.empty()) tell(services, map.message);  // the declined questions say nothing more
    return false;
  }

  RecentFileList(settings).add(chosen);
  session.project().resetProject(true);
  installMap(session, chosen, map);
  showTitle(hooks, session.project());
  if (hooks.fileSettled) hooks.fileSettled(chosen);
  return true;
}

bool openMapAs(EditorSession& session, const std::string& readPath, const std::string& mapPath,
               const MapFileHooks& hooks, std::string& message) {
  FileByteSource file;
  LoadedMap map;
  if (file.open(readPath) == ReadStatus::Ok) {
    BusyPointer busy(session.services());
    map = decodeMapSource(file);  // the questions of old files are declined
  }
  if (!map.succeeded()) {
    message = map.message.empty() ? kLoadOpenFailedMessage : map.message;
    return false;
  }
  session.project().resetProject(true);
  installMap(session, mapPath, map);
  session.project().modified = true;
  showTitle(hooks, session.project());
  if (hooks.fileSettled) hooks.fileSettled(mapPath);
  return true;
}

bool confirmDiscard(EditorSession& session, const MapFileHooks& hooks) {
  MapProject& project = session.project();
  PlatformServices& services = session.services();
  const bool cllPending = project.collisionSetEditing && project.modified;
  const bool mapPending = project.hasLayers() && project.modified;
  if (!cllPending && !mapPending) return true;

  const MessageAnswer answer = services.messageBox(cllPending ? kUnsavedCllQuestion : kUnsavedMapQuestion,
                                                   caption(), MessageButtons::YesNoCancel, MessageIcon::Exclamation);
  if (answer == MessageAnswer::Cancel) return false;
  if (answer == MessageAnswer::No) return true;
  return cllPending ? exportCollisionSet(session) : saveMap(session, false, hooks);
}

void onFilesDropped(EditorSession& session, const std::vector<std::string>& paths, const MapFileHooks& hooks) {
  if (paths.empty()) return;
  if (paths.front().find(kMapFileExtension) == std::string::npos) {
    dropTilesets(session, paths);
    return;
  }
  if (paths.size() > 1) tell(session.services(), kOneMapDropMessage);
  loadMap(session, paths.front(), hooks);
}

}  // namespace qarto
