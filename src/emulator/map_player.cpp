#include "emulator/map_player.h"

#include "rom/map_rom_format.h"

namespace qarto {

namespace {

// Loading the largest map (32 KB of tiles, four screen blocks) takes well
// under a second of console time.
constexpr int kStartFrames = 60;
constexpr std::size_t kFramePixels = QARTO_GBA_SCREEN_WIDTH * QARTO_GBA_SCREEN_HEIGHT;

}  // namespace

std::unique_ptr<MapPlayer> MapPlayer::start(const std::vector<std::uint8_t>& rom, std::string& error) {
  const GbaRunnerModule* module = loadGbaRunnerModule(error);
  if (module == nullptr) return nullptr;
  char reason[256] = "";
  QartoGbaRunner* runner = module->create(rom.data(), rom.size(), reason, sizeof reason);
  if (runner == nullptr) {
    error = reason;
    return nullptr;
  }
  std::unique_ptr<MapPlayer> player(new MapPlayer(*module, runner));
  for (int frame = 0; frame < kStartFrames; ++frame) {
    module->runFrame(runner);
    const std::uint32_t status = player->state(0);
    if (status == QPLAYER_RUNNING) return player;
    if (status == QPLAYER_NO_MAP) break;
  }
  error =
      player->state(0) == QPLAYER_NO_MAP ? "the ROM holds no map the player can read" : "the map player did not start";
  return nullptr;
}

MapPlayer::~MapPlayer() { module_.destroy(runner_); }

void MapPlayer::step(std::uint32_t keys) {
  module_.setKeys(runner_, keys);
  module_.runFrame(runner_);
}

std::span<const std::uint32_t> MapPlayer::frame() const { return {module_.frame(runner_), kFramePixels}; }

std::uint32_t MapPlayer::state(int word) const {
  return module_.read32(runner_, QPLAYER_STATE_ADDRESS + 4u * static_cast<std::uint32_t>(word));
}

int MapPlayer::cameraX() const { return static_cast<int>(state(2)); }
int MapPlayer::cameraY() const { return static_cast<int>(state(3)); }

}  // namespace qarto
