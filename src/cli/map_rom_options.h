#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/cli_context.h"

namespace qarto {

// What "rom" and "run" share: the base ROM beside qarto-cli, the start
// point, and the map ROM built from a map file.

// The base ROM's path, or nothing (with the reason printed) when this build
// or this installation has none.
std::optional<std::string> baseRomBesideProgram(const char* commandName);
// The same ROM, quietly: its path, or "" when this build has none or it is missing.
std::string playerRomIfPresent();

// "--start X,Y" (map pixels); 0,0 without it. False with `error` when it does not read.
bool readStart(const CliArguments& arguments, int& x, int& y, std::string& error);

// Loads the map and builds its ROM; nothing when the map does not load or
// the ROM is refused (the message has been printed).
std::optional<std::vector<std::uint8_t>> mapRomOf(CliContext& context, const std::string& baseRomPath,
                                                  const std::string& mapPath, int startX, int startY);

}  // namespace qarto
