#include <cstdio>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/map_rom_options.h"
#include "io/files/atomic_file.h"

namespace qarto {

int runRom(const std::vector<std::string>& args) {
  CliArguments arguments({"-o", "--start"}, {"--yes"});
  std::string error;
  int startX = 0;
  int startY = 0;
  bool ok = arguments.parse(args, error) && readStart(arguments, startX, startY, error);
  if (ok && (arguments.positional().size() != 1 || !arguments.value("-o"))) {
    error = "expected one map file and -o OUT.gba";
    ok = false;
  }
  if (!ok) {
    std::fprintf(stderr, "qarto-cli rom: %s\n", error.c_str());
    return kExitUsage;
  }
  const std::optional<std::string> baseRom = baseRomBesideProgram("rom");
  if (!baseRom) return kExitFailed;
  CliContext context(arguments.has("--yes"), CliContext::Settings::Private);
  const std::string& map = arguments.positional()[0];
  const std::optional<std::vector<std::uint8_t>> rom = mapRomOf(context, *baseRom, map, startX, startY);
  if (!rom) return kExitFailed;
  const std::string out = *arguments.value("-o");
  if (!writeFileAtomically(out, rom->data(), rom->size())) {
    std::fprintf(stderr, "qarto-cli rom: the ROM could not be written to %s\n", out.c_str());
    return kExitFailed;
  }
  std::printf("%s: ROM written to %s (%zu bytes)\n", map.c_str(), out.c_str(), rom->size());
  return kExitOk;
}

}  // namespace qarto
