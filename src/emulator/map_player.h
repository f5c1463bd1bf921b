#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "emulator/gba_runner_loader.h"

namespace qarto {

// A map ROM playing in the emulator module. The frames before the player
// shows the map (loading in forced blank) are run by start() and not
// counted; every step() after it is one frame the player shows.
class MapPlayer {
 public:
  // Null with the reason in `error` when the module cannot be loaded, the
  // emulator refuses the image, or the player does not bring a map up.
  static std::unique_ptr<MapPlayer> start(const std::vector<std::uint8_t>& rom, std::string& error);
  ~MapPlayer();
  MapPlayer(const MapPlayer&) = delete;
  MapPlayer& operator=(const MapPlayer&) = delete;

  // One frame with `keys` (QARTO_GBA_KEY_...) held.
  void step(std::uint32_t keys);
  // The last frame: 240 x 160, rows from the top, 0x00BBGGRR.
  std::span<const std::uint32_t> frame() const;
  // Where the player's camera is (primary layer pixels).
  int cameraX() const;
  int cameraY() const;

 private:
  MapPlayer(const GbaRunnerModule& module, QartoGbaRunner* runner) : module_(module), runner_(runner) {}
  std::uint32_t state(int word) const;

  const GbaRunnerModule& module_;
  QartoGbaRunner* runner_;
};

}  // namespace qarto
