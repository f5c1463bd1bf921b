#pragma once

#include <optional>
#include <string>

#include "export/reduction/export_reduction.h"

namespace qarto {

class MapProject;
class PlatformServices;
class SettingsStore;
class TilesetRegistry;
struct MapLayer;

inline constexpr const char* kNoActiveLayerMessage = "No active layer was present.  There is nothing to export.";
inline constexpr const char* kOnlyTileLayersMessage = "Only normal tile layers can be exported to a BMP!";
inline constexpr const char* kNoPalettesMessage = "Error!  No palettes were detected!";
inline constexpr const char* kTooManyLayerPalettesMessage =
    "Error!  More than 16 palettes were detected on this layer.  It cannot be exported to a 256 colour bmp!";
inline constexpr const char* kBmpBufferFailedMessage =
    "Memory allocation failed when trying to create an output buffer!";
inline constexpr const char* kBmpOpenFailedMessage =
    "The file could not be opened for output! It may be locked by another application or marked read-only.";
inline constexpr const char* kMissingTilesetMessage = "Expected a tileset, but couldn't find a suitable one!";

inline constexpr const char* kExportLayerChooserTitle = "Export Layer To BMP";
inline constexpr const char* kBitmapFilesFilter = "Bitmap Files(*.bmp)|*.bmp||";

// The palettes of one layer, merged as in the export (colours 1 to 15) and
// numbered in order of first use. Refuses, with its message, a missing or
// entity layer and a layer with no palette or more than 16.
std::optional<ExportReduction> collectLayerPalettes(const MapLayer* layer, const TilesetRegistry& registry,
                                                    PlatformServices& services);

// Renders the layer into an 8-bit BMP at `path` with the palettes collected
// above. The file is replaced only when complete; every failure shows its
// message and leaves the target as it was. Beeps on success.
bool writeLayerBmp(const MapLayer& layer, const TilesetRegistry& registry, const ExportReduction& palettes,
                   PlatformServices& services, const std::string& path);

// Both steps without a chooser: the headless export of a layer.
bool exportLayerToBmpFile(const MapLayer* layer, const TilesetRegistry& registry, PlatformServices& services,
                          const std::string& path);

// The Export Active Layer to BMP command: the checks, the save chooser in
// the tileset folder, then the file.
bool ExportLayerToBmp(MapProject& project, SettingsStore& settings);

}  // namespace qarto
