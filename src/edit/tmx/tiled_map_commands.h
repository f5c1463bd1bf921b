#pragma once

#include <optional>
#include <string>

#include "edit/session/map_file_commands.h"
#include "edit/tmx/tmx_import.h"
#include "io/tmx/tmx_writer.h"

namespace qarto {

class EditorSession;
class EntityCatalogue;

inline constexpr const char* kImportTiledSuffix = " - Import Tiled Map";
inline constexpr const char* kExportTiledSuffix = " - Export Tiled Map";

// Reads a TMX file and maps it for the session's project (page ids after
// the project's last, collision cells on its collision tileset). Nothing in
// the session changes.
TmxImport readTiledMap(EditorSession& session, const EntityCatalogue& catalogue, const std::string& path);

// Replaces the open map with an imported one: a new, unsaved map (the
// collision tileset stays, as with the New Map Wizard).
void installTiledMap(EditorSession& session, TmxImport& imported);

// File > Import > "Tiled Map (.tmx)...": without a path the open chooser.
// The file is read and mapped completely before the unsaved-changes
// question and the replacement; a refusal is shown and changes nothing.
// The summary is shown after the import. True when a map was imported.
bool importTiledMap(EditorSession& session, const EntityCatalogue& catalogue, const std::optional<std::string>& path,
                    const MapFileHooks& hooks = {});

// Writes the open map as a TMX file with its tile pages as indexed PNG files
// beside it. False (the reason shown, or written to `message` when given)
// when a file could not be written.
bool writeTiledMap(EditorSession& session, const EntityCatalogue& catalogue, const std::string& path,
                   const TmxCellFormat& format, std::string& message);

// File > Export Map As > "Tiled Map (.tmx)...": the save chooser, then
// writeTiledMap; a failure is shown.
bool exportTiledMap(EditorSession& session, const EntityCatalogue& catalogue);

}  // namespace qarto
