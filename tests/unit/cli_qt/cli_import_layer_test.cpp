// qarto-cli import-layer as a build pipeline runs it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/temp_folder.h"

namespace qarto::test {
namespace {

struct CliRun {
  int code = -1;
  std::string out, err;
};

CliRun cli(const TempFolder& work, const std::string& arguments) {
  const std::string command =
      std::string("cd '") + work.path() + "' && '" + QARTO_CLI + "' " + arguments + " >stdout.txt 2>stderr.txt";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readText(work.file("stdout.txt")),
          readText(work.file("stderr.txt"))};
}

TEST(CliImportLayer, AddsTheLayerBesideTheSavedMapOrSaysWhyNot) {
  TempFolder work;
  const std::string demo = std::string(QARTO_EXAMPLES_DIR) + "/demo.qrm ";
  std::ofstream(work.file("pal.c")) << "const u16 pal[16] = {0, 0x7fff};";
  std::ofstream(work.file("gfx.c")) << "const u32 tiles[8] = {0x11111111};\nconst u16 map[640] = {0x400};";
  const std::string arrays = "--palette pal.c --tiles gfx.c:tiles --map gfx.c:map ";

  CliRun run = cli(work, "import-layer " + demo + arrays + "--width 32 -o out.qrm");
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "out.qrm: layer \"map\" of 32 x 20 tiles added (secondary), tile page tiles.bmp (loaded)\n");
  EXPECT_NE(cli(work, "info out.qrm").out.find("Secondary \"map\" 32x20 parallax 1,1"), std::string::npos);

  run = cli(work, "import-layer " + demo + arrays + "--width 33 -o refused.qrm");
  const std::string caption = "Qarto v0.99 - Import Layer from .h/.c/.cpp: ";
  EXPECT_EQ(std::tuple(run.code, run.err),
            std::tuple(1, caption + "The 640 screen entries of \"map\" do not make whole rows of 33.\n"));
  EXPECT_FALSE(std::filesystem::exists(work.file("refused.qrm")));
  // Without an array name the first array with values is taken: tiles is no map.
  run = cli(work, "import-layer " + demo + "--palette pal.c --tiles gfx.c --map gfx.c --width 17 -o x.qrm");
  EXPECT_EQ(run.err,
            caption + "The map width 17 is larger than the map array \"tiles\", which holds 16 screen entries.\n");
  EXPECT_EQ(cli(work, "import-layer " + demo + arrays).code, 2);
}

}  // namespace
}  // namespace qarto::test
