#pragma once

#include <QPointer>
#include <string>

#include "app/player/player_window.h"
#include "edit/run_map/run_map.h"

namespace qarto {

// Plays a Run Map ROM: in the emulator the launch names (started on its
// own, the editor does not wait), or in the built-in player window, which
// replaces the one `window` holds. The reason when it could not be played,
// "" when it plays.
std::string launchMapRom(const MapRomLaunch& launch, QWidget* parent, QPointer<PlayerWindow>& window);

}  // namespace qarto
