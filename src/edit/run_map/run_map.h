#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "edit/view/view_state.h"

namespace qarto {

class EditorSession;

// What Run Map (F8) and Save ROM As decide before any window shows a frame.

// A ROM ready to play: the image, the temporary file that holds it, and the
// emulator command line to play it in (empty: the built-in player).
struct MapRomLaunch {
  std::vector<std::uint8_t> image;
  std::string romPath;
  std::vector<std::string> emulatorCommand;
};

// The camera at start: the primary layer's pixel under the view's top-left
// corner (the player holds it to the map).
CellPoint runMapStart(const ViewState& view, const EditorSession& session);

// The map in memory appended to the base ROM, starting where the view
// looks. Refusals are shown through the session's services.
std::optional<std::vector<std::uint8_t>> mapRomForView(EditorSession& session, const ViewState& view,
                                                       const std::string& baseRomPath);

// The emulator command line of the "EmulatorCommand" setting for a ROM:
// words split at blanks, double quotes group them; "%f" stands for the
// ROM's path, which goes last when no word holds it. Empty for an empty
// setting.
std::vector<std::string> emulatorCommandLine(const std::string& command, const std::string& romPath);

// The temporary file Run Map writes its ROM to, one per editor process.
std::string runMapRomPath();

// Run Map: the ROM written to a temporary file. Nothing when it was refused
// or could not be written (the message has been shown).
std::optional<MapRomLaunch> prepareRunMap(EditorSession& session, const ViewState& view,
                                          const std::string& baseRomPath);

// Save ROM As: the ROM Run Map would play, written where the chooser says.
bool saveRomAs(EditorSession& session, const ViewState& view, const std::string& baseRomPath);

// The ROM could not be played: says why and removes its temporary file.
void runMapFailed(EditorSession& session, const MapRomLaunch& launch, const std::string& reason);

}  // namespace qarto
