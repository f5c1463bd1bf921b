#include "viewer_rom.h"

#include <cstdlib>

#include "support/temp_folder.h"

namespace qarto::gba {
namespace {

const std::string kViewerDir = QARTO_GBA_VIEWER_DIR;

std::string quoted(const std::string& text) { return "'" + text + "'"; }

// Runs a command with its output going to `logPath`; true on exit status 0.
bool run(const std::string& command, const std::string& logPath) {
  return std::system((command + " >" + quoted(logPath) + " 2>&1").c_str()) == 0;
}

}  // namespace

ViewerRom buildViewerRom(const ViewerToolchain& tools, const std::string& exportDirectory, int mapArrays,
                         const std::string& workDirectory) {
  ViewerRom rom;
  const std::string elf = workDirectory + "/viewer.elf";
  const std::string image = workDirectory + "/viewer.gba";
  const std::string log = workDirectory + "/build.log";
  // Freestanding: no C library, our own start-up code and memory layout.
  // Warnings are errors, except for the entity list's flat initialiser.
  const std::string compile =
      quoted(tools.compiler) +
      " -mcpu=arm7tdmi -marm -O2 -std=c11 -ffreestanding -nostdlib -fno-tree-loop-distribute-patterns"
      " -Wall -Wextra -Werror -Wno-missing-braces -DVIEWER_MAP_ARRAYS=" +
      std::to_string(mapArrays) + " -I " + quoted(kViewerDir) + " -I " + quoted(exportDirectory) + " -T " +
      quoted(kViewerDir + "/gba.ld") + " " + quoted(kViewerDir + "/crt0.s") + " " + quoted(kViewerDir + "/viewer.c") +
      " " + quoted(kViewerDir + "/exported_data.c") + " -lgcc -o " + quoted(elf);
  if (!run(compile, log)) {
    rom.log = test::readText(log);
    return rom;
  }
  if (!run(quoted(tools.objcopy) + " -O binary " + quoted(elf) + " " + quoted(image), log)) {
    rom.log = test::readText(log);
    return rom;
  }
  const std::string bytes = test::readText(image);
  rom.image.assign(bytes.begin(), bytes.end());
  return rom;
}

}  // namespace qarto::gba
