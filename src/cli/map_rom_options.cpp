#include "cli/map_rom_options.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "modules/program_folder.h"
#include "export/rom/map_rom.h"

namespace qarto {

std::optional<std::string> baseRomBesideProgram(const char* commandName) {
#ifndef QARTO_PLAYER_ROM_BUILT
  std::fprintf(stderr,
               "qarto-cli %s: this build has no map player ROM: arm-none-eabi-gcc or libmgba was missing when it "
               "was configured\n",
               commandName);
  return std::nullopt;
#else
  const std::string path = runningProgramFolder() + "/" + kBaseRomName;
  if (access(path.c_str(), R_OK) != 0) {
    std::fprintf(stderr, "qarto-cli %s: the map player ROM is missing: %s\n", commandName, path.c_str());
    return std::nullopt;
  }
  return path;
#endif
}

bool readStart(const CliArguments& arguments, int& x, int& y, std::string& error) {
  x = 0;
  y = 0;
  const std::optional<std::string> start = arguments.value("--start");
  if (!start) return true;
  char* end = nullptr;
  const long first = std::strtol(start->c_str(), &end, 10);
  if (end == start->c_str() || *end != ',') {
    error = "--start takes X,Y in map pixels (for example --start 256,64)";
    return false;
  }
  const char* second = end + 1;
  const long value = std::strtol(second, &end, 10);
  if (end == second || *end != '\0' || first < 0 || value < 0 || first > 1 << 20 || value > 1 << 20) {
    error = "--start takes X,Y in map pixels (for example --start 256,64)";
    return false;
  }
  x = static_cast<int>(first);
  y = static_cast<int>(value);
  return true;
}

std::optional<std::vector<std::uint8_t>> mapRomOf(CliContext& context, const std::string& baseRomPath,
                                                  const std::string& mapPath, int startX, int startY) {
  const std::optional<std::vector<std::uint8_t>> base = readBaseRom(context.session(), baseRomPath);
  if (!base || !context.loadMapFile(mapPath)) return std::nullopt;
  MapRomRequest request;
  request.startX = startX;
  request.startY = startY;
  return buildMapRom(context.session(), *base, request);
}

}  // namespace qarto
