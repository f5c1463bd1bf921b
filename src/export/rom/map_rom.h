#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qarto {

class EditorSession;

// The map player's ROM with a map appended: what Run Map plays and Save ROM
// As keeps (see docs/map-player.md for the layout).

inline constexpr const char* kBaseRomName = "baseRom.gba";
inline constexpr const char* kRunMapCaptionSuffix = " - Run Map";
inline constexpr int kMapPlayerLayers = 4;
inline constexpr int kMapPlayerSpeed = 2;  // d-pad scroll, pixels a frame
inline constexpr std::size_t kMaxCartridgeBytes = std::size_t{32} << 20;

inline constexpr const char* kNoTileLayersToRunMessage =
    "There are no tile layers in the map, so there is nothing to run.";
inline constexpr const char* kGroup2OverflowMessage =
    "There are more than 768 unique tiles in tile group 2.\n\nThe map player keeps the second tile group in the "
    "video memory beside its screen blocks, which holds 768 tiles.  Use fewer unique tiles on the layers of tile "
    "group 2.";
inline constexpr const char* kCartridgeOverflowMessage =
    "The map does not fit in a 32 MB cartridge.  Make its layers smaller to run it.";

struct MapRomRequest {
  int startX = 0;  // the camera at start, primary layer pixels; held to the map
  int startY = 0;
  int bankOffset = 0;  // as the export takes them
  int tileOffset = 0;
};

// The map's tile layers (up to four, bottom first), palettes and tiles as
// the export reduces them, appended to `baseRom`. Every refusal is shown
// through the session's services under " - Run Map" (the export's own
// refusals and limit messages under theirs): a base ROM that is not the
// map player, more than four tile layers or none, too many palettes or
// tiles, a map too large for a cartridge.
std::optional<std::vector<std::uint8_t>> buildMapRom(EditorSession& session, const std::vector<std::uint8_t>& baseRom,
                                                     const MapRomRequest& request);

// The message for a base ROM file that cannot be read or is no player.
std::string baseRomUnreadableText(const std::string& path);

// Reads the base ROM file, showing baseRomUnreadableText when it cannot.
std::optional<std::vector<std::uint8_t>> readBaseRom(EditorSession& session, const std::string& path);

}  // namespace qarto
