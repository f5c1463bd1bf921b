#include <algorithm>
#include <cstdio>
#include <memory>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/map_rom_options.h"
#include "emulator/frame_png.h"
#include "emulator/gba_runner_loader.h"
#include "emulator/key_sequence.h"
#include "emulator/map_player.h"

namespace qarto {

namespace {

constexpr const char* kName = "qarto-cli run";

}  // namespace

int runRun(const std::vector<std::string>& args) {
  CliArguments arguments({"-o", "--start", "--frames", "--keys"}, {"--yes"});
  std::string error;
  int startX = 0;
  int startY = 0;
  int frames = 0;
  std::vector<std::uint32_t> keys;
  bool ok = arguments.parse(args, error) && readStart(arguments, startX, startY, error) &&
            arguments.intValue("--frames", frames, error);
  if (ok && arguments.value("--frames") && frames < 1) {
    error = "--frames takes a number of frames, 1 or more";
    ok = false;
  }
  if (ok && arguments.value("--keys")) {
    std::optional<std::vector<std::uint32_t>> parsed = parseKeySequence(*arguments.value("--keys"), error);
    ok = parsed.has_value();
    if (ok) keys = std::move(*parsed);
  }
  if (ok && (arguments.positional().size() != 1 || !arguments.value("-o"))) {
    error = "expected one map file and -o FRAME.png";
    ok = false;
  }
  if (!ok) {
    std::fprintf(stderr, "%s: %s\n", kName, error.c_str());
    return kExitUsage;
  }
  // Without --frames the keys say how long; at least the first frame.
  if (!arguments.value("--frames")) frames = std::max<int>(1, static_cast<int>(keys.size()));

  const std::optional<std::string> baseRom = baseRomBesideProgram("run");
  if (!baseRom) return kExitFailed;
  if (loadGbaRunnerModule(error) == nullptr) {
    std::fprintf(stderr, "%s: the emulator is not available: %s\n", kName, error.c_str());
    return kExitFailed;
  }
  CliContext context(arguments.has("--yes"), CliContext::Settings::Private);
  const std::string& map = arguments.positional()[0];
  const std::optional<std::vector<std::uint8_t>> rom = mapRomOf(context, *baseRom, map, startX, startY);
  if (!rom) return kExitFailed;
  const std::unique_ptr<MapPlayer> player = MapPlayer::start(*rom, error);
  if (!player) {
    std::fprintf(stderr, "%s: %s\n", kName, error.c_str());
    return kExitFailed;
  }
  for (int frame = 0; frame < frames; ++frame) {
    player->step(static_cast<std::size_t>(frame) < keys.size() ? keys[static_cast<std::size_t>(frame)] : 0);
  }
  const std::string out = *arguments.value("-o");
  if (!writeFramePng(out, player->frame(), error)) {
    std::fprintf(stderr, "%s: %s\n", kName, error.c_str());
    return kExitFailed;
  }
  std::printf("%s: frame %d written to %s (camera at %d,%d)\n", map.c_str(), frames, out.c_str(), player->cameraX(),
              player->cameraY());
  return kExitOk;
}

}  // namespace qarto
