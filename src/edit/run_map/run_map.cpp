#include "edit/run_map/run_map.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "export/rom/map_rom.h"
#include "io/files/atomic_file.h"
#include "io/files/path_utils.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/project/map_project.h"
#include "model/settings/settings_keys.h"
#include "model/settings/settings_store.h"

namespace qarto {

namespace {

// One axis of the map pixel under a window point: as the cell under it, at
// one pixel instead of eight.
int pixelCoordinate(int scroll, float parallax, int point, int origin, float zoom) {
  return cellCoordinate(scroll, parallax, point, origin, zoom / 8.0f);
}

bool writeRom(EditorSession& session, const std::string& path, const std::vector<std::uint8_t>& image) {
  if (writeFileAtomically(path, image.data(), image.size())) return true;
  session.services().messageBox("Unable to write the ROM:\n\n  " + path, caption(kRunMapCaptionSuffix),
                                MessageButtons::Ok, MessageIcon::Warning);
  return false;
}

}  // namespace

CellPoint runMapStart(const ViewState& view, const EditorSession& session) {
  const MapProject& project = session.project();
  const MapGeometry geometry = mapGeometry(view, project.screenWidth, project.screenHeight);
  const MapLayer* primary = project.findLayerOfKind(LayerKind::Primary);
  const float parallaxX = primary != nullptr ? primary->parallaxX : 1.0f;
  const float parallaxY = primary != nullptr ? primary->parallaxY : 1.0f;
  return {pixelCoordinate(geometry.scrollX, parallaxX, 0, geometry.originX, geometry.zoom),
          pixelCoordinate(geometry.scrollY, parallaxY, 0, geometry.originY, geometry.zoom)};
}

std::optional<std::vector<std::uint8_t>> mapRomForView(EditorSession& session, const ViewState& view,
                                                       const std::string& baseRomPath) {
  const std::optional<std::vector<std::uint8_t>> base = readBaseRom(session, baseRomPath);
  if (!base) return std::nullopt;
  const CellPoint start = runMapStart(view, session);
  MapRomRequest request;
  request.startX = start.x;
  request.startY = start.y;
  return buildMapRom(session, *base, request);
}

std::vector<std::string> emulatorCommandLine(const std::string& command, const std::string& romPath) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false;
  bool inWord = false;
  for (const char c : command) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  if (words.empty()) return words;
  bool placed = false;
  for (std::string& w : words) {
    for (std::size_t at = w.find("%f"); at != std::string::npos; at = w.find("%f", at + romPath.size())) {
      w.replace(at, 2, romPath);
      placed = true;
    }
  }
  if (!placed) words.push_back(romPath);
  return words;
}

std::string runMapRomPath() {
  std::error_code ignored;
  return (std::filesystem::temp_directory_path(ignored) /
          ("qarto-run-map-" + std::to_string(static_cast<long>(getpid())) + ".gba"))
      .string();
}

std::optional<MapRomLaunch> prepareRunMap(EditorSession& session, const ViewState& view,
                                          const std::string& baseRomPath) {
  std::optional<std::vector<std::uint8_t>> image = mapRomForView(session, view, baseRomPath);
  if (!image) return std::nullopt;
  MapRomLaunch launch;
  launch.romPath = runMapRomPath();
  if (!writeRom(session, launch.romPath, *image)) return std::nullopt;
  launch.image = std::move(*image);
  launch.emulatorCommand = emulatorCommandLine(
      session.settings().readText(kSettingsSection, setting_keys::kEmulatorCommand, ""), launch.romPath);
  return launch;
}

bool saveRomAs(EditorSession& session, const ViewState& view, const std::string& baseRomPath) {
  const std::optional<std::vector<std::uint8_t>> image = mapRomForView(session, view, baseRomPath);
  if (!image) return false;
  FileChooserRequest request;
  request.title = "Save ROM As";
  request.filter = "GBA ROM Files (*.gba)|*.gba||";
  request.defaultExtension = ".gba";
  const std::string& mapPath = session.project().filePath;
  if (!mapPath.empty()) {
    const PathParts parts = splitPath(mapPath);
    request.initialFolder = parts.folder;
    request.initialFile = parts.baseName + ".gba";
  }
  const std::optional<std::string> path = session.services().chooseSaveFile(request);
  return path && writeRom(session, *path, *image);
}

void runMapFailed(EditorSession& session, const MapRomLaunch& launch, const std::string& reason) {
  std::error_code ignored;
  std::filesystem::remove(launch.romPath, ignored);
  session.services().messageBox("The map could not be played: " + reason + ".", caption(kRunMapCaptionSuffix),
                                MessageButtons::Ok, MessageIcon::Warning);
}

}  // namespace qarto
