#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "io/map_file/map_file_writer.h"

namespace qarto {

class EditorSession;
class MapProject;
class MapReadAhead;
struct MapLayer;

// What the map file commands need beyond the session. The main frame fills
// setWindowTitle; tests may also replace the save target to make writes fail.
struct MapFileHooks {
  // Receives the new main window title after every save and every load.
  std::function<void(const std::string& title)> setWindowTitle;
  // Opens the file a save writes to; unset means an AtomicSaveTarget.
  std::function<std::unique_ptr<MapSaveTarget>(const std::string& path)> openSaveTarget;
  // Hears the path of every map file just read or written, as it now is on disk.
  std::function<void(const std::string& path)> fileSettled{};
  // Asked before a save replaces `path`; false stops the save.
  std::function<bool(const std::string& path)> confirmOverwrite{};
};

// "Qarto v0.99 - <path>", with "  (Un-opt. mode)" in un-optimized mode; the
// bare title while the project has no file.
std::string windowTitle(const MapProject& project);

// Save Map (saveAs false) and Save Map As (saveAs true). True when the file
// was written; a failed save keeps the previous file and `modified`.
bool saveMap(EditorSession& session, bool saveAs, const MapFileHooks& hooks = {});

// Open Map (no path: the file chooser), opening at start-up, from the
// recent-file list or by a drop. True when a map was read. The file is read
// completely before the open project is replaced, so any failure (a file
// that cannot be opened, a damaged file, a declined question, memory) leaves
// the project, the window title and the recent files as they were; only a
// map that was read joins the recent files. A read ahead of the same path,
// if given, stands in for reading the file.
bool loadMap(EditorSession& session, const std::optional<std::string>& path, const MapFileHooks& hooks = {},
             MapReadAhead* readAhead = nullptr);

// The unsaved-changes question before the project is replaced or closed.
// True means the caller may go on.
bool confirmDiscard(EditorSession& session, const MapFileHooks& hooks = {});

// Opens a map file read elsewhere (a recovery copy) as the map at `mapPath`,
// with unsaved changes: nothing is written to `mapPath` until the user
// saves. False, with the reason in `message`, when `readPath` cannot be
// read; the open project is then untouched.
bool openMapAs(EditorSession& session, const std::string& readPath, const std::string& mapPath,
               const MapFileHooks& hooks, std::string& message);
// Stacks layers read from a file in their order (the first ends at the
// bottom) and tells the layer bar. The active layer is the last Primary
// layer, or the first layer when there is none. `layers` ends empty.
void installLayers(MapProject& project, std::vector<std::unique_ptr<MapLayer>>& layers);

// Files dropped on the map view: a map (only the first one) or tile pages.
void onFilesDropped(EditorSession& session, const std::vector<std::string>& paths, const MapFileHooks& hooks = {});

}  // namespace qarto
