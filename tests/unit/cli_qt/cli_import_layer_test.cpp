// qarto-cli import-layer as a build pipeline runs it.
#include <filesystem>
#include <fstream>

#include "cli_run.h"

namespace qarto::test {
namespace {

using CliImportLayer = CliFixture;

TEST_F(CliImportLayer, AddsTheLayerBesideTheSavedMapOrSaysWhyNot) {
  const std::string demo = example("demo.qrm") + " ";
  std::ofstream(work.file("pal.c")) << "const u16 pal[16] = {0, 0x7fff};";
  std::ofstream(work.file("gfx.c")) << "const u32 tiles[8] = {0x11111111};\nconst u16 map[640] = {0x400};";
  const std::string arrays = "--palette pal.c --tiles gfx.c:tiles --map gfx.c:map ";

  CliRun r = run("import-layer " + demo + arrays + "--width 32 -o out.qrm");
  EXPECT_EQ(r.out, "out.qrm: layer \"map\" of 32 x 20 tiles added (secondary), tile page tiles.bmp (loaded)\n");
  EXPECT_NE(run("info out.qrm").out.find("Secondary \"map\" 32x20 parallax 1,1"), std::string::npos);

  r = run("import-layer " + demo + arrays + "--width 33 -o refused.qrm");
  const std::string caption = "Qarto v0.99 - Import Layer from .h/.c/.cpp: ";
  EXPECT_EQ(std::tuple(r.code, r.err),
            std::tuple(1, caption + "The 640 screen entries of \"map\" do not make whole rows of 33.\n"));
  EXPECT_FALSE(std::filesystem::exists(work.file("refused.qrm")));
  EXPECT_EQ(run("import-layer " + demo + arrays).code, 2);
}

}  // namespace
}  // namespace qarto::test
