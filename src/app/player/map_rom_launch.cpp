#include "app/player/map_rom_launch.h"

#include <QProcess>
#include <QStringList>
#include <memory>

#include "emulator/map_player.h"
#include "model/app_title.h"

namespace qarto {

std::string launchMapRom(const MapRomLaunch& launch, QWidget* parent, QPointer<PlayerWindow>& window) {
  if (!launch.emulatorCommand.empty()) {
    QStringList arguments;
    for (std::size_t i = 1; i < launch.emulatorCommand.size(); ++i) {
      arguments << QString::fromStdString(launch.emulatorCommand[i]);
    }
    if (QProcess::startDetached(QString::fromStdString(launch.emulatorCommand.front()), arguments)) return {};
    return "the emulator \"" + launch.emulatorCommand.front() + "\" could not be started";
  }
  std::string error;
  std::unique_ptr<MapPlayer> player = MapPlayer::start(launch.image, error);
  if (!player) return error;
  if (window) window->close();
  window = new PlayerWindow(std::move(player), QString::fromStdString(caption(" - Run Map")), parent);
  window->show();
  window->raise();
  window->activateWindow();
  return {};
}

}  // namespace qarto
