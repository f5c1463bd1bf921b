#include "cli/map_rom_options.h"

#include <unistd.h>

#include <cstdio>

#include "modules/program_folder.h"
#include "export/rom/map_rom.h"
#include "model/settings/number_text.h"

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

std::string playerRomIfPresent() {
#ifndef QARTO_PLAYER_ROM_BUILT
  return {};
#else
  const std::string path = runningProgramFolder() + "/" + kBaseRomName;
  return access(path.c_str(), R_OK) == 0 ? path : std::string();
#endif
}

bool readStart(const CliArguments& arguments, int& x, int& y, std::string& error) {
  x = 0;
  y = 0;
  const std::optional<std::string> start = arguments.value("--start");
  if (!start) return true;
  const std::size_t comma = start->find(',');
  const std::optional<int> first = parseIntegerText(std::string_view(*start).substr(0, comma));
  const std::optional<int> second =
      comma == std::string::npos ? std::nullopt : parseIntegerText(std::string_view(*start).substr(comma + 1));
  constexpr int kFar = 1 << 20;
  if (!first || !second || *first < 0 || *second < 0 || *first > kFar || *second > kFar) {
    error = "--start takes X,Y in map pixels (for example --start 256,64)";
    return false;
  }
  x = *first;
  y = *second;
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
