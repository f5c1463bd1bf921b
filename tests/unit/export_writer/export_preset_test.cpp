// The grit and butano presets: a program written against grit's names
// builds with the files as written, holding the arrays of the default
// export; butano's size rule refuses a layer before anything is written.
#include <gtest/gtest.h>

#include "export_cases.h"
#include "io/images/bmp_codec.h"
#include "support/scripted_services.h"
#include "writer_fixture.h"

namespace qarto {
namespace {

using test::WriterFixture;

int run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

TEST(GritPreset, AProgramUsingGritsNamesBuildsAndTheArraysAreTheDefaultExports) {
  if (run("cc --version") != 0 || run("c++ --version") != 0) GTEST_SKIP() << "no host C and C++ compilers";
  WriterFixture f;
  ExportOptions options;
  test::exportCases()[2].build(f, options);  // three tile layers: Main, Far, Near
  ASSERT_TRUE(f.exportAll(options).success);
  options.preset = ExportPreset::Grit;
  options.directory = f.out.file("grit");
  ASSERT_TRUE(f.exportAll(options).success);
  EXPECT_EQ(test::filesUnder(options.directory),
            (std::vector<std::string>{"Far.c", "Far.h", "Main.c", "Main.h", "Near.c", "Near.h"}));

  auto plain = test::arraysOfFiles(f.out.path());
  auto grit = test::arraysOfFiles(options.directory, {"Main.c", "Far.c", "Near.c"});
  for (const auto& [layer, map] : {std::pair{"Main", "bgMap"}, {"Far", "bgMap2"}, {"Near", "bgMap3"}}) {
    EXPECT_EQ(grit[layer + std::string("Map")], plain[map]) << layer;
    EXPECT_EQ(grit[layer + std::string("Pal")], plain["bgPalette"]) << layer;
    std::vector<std::int64_t> words;
    for (std::size_t i = 0; i + 1 < plain["bgTiles"].size(); i += 2) {
      words.push_back(plain["bgTiles"][i] | plain["bgTiles"][i + 1] << 16);
    }
    EXPECT_EQ(grit[layer + std::string("Tiles")], words) << layer;
  }
  std::string program = "#include \"Main.h\"\n#include \"Near.h\"\n";
  program += "static_assert(sizeof MainTiles == MainTilesLen && sizeof MainMap == MainMapLen, \"\");\n";
  program += "static_assert(sizeof NearPal == NearPalLen, \"\");\n";
  program += "int main(void) { return (int)(MainTiles[0] + MainMap[0] + NearPal[0]); }\n";
  test::TempFolder build;
  ASSERT_EQ(run("cd " + build.path() + " && cc -std=c11 -Wall -Werror -c " + options.directory + "/*.c"), 0);
  for (const char* compiler : {"cc -std=c11", "c++ -std=c++17"}) {
    const std::string main = build.file(std::string("main.") + (compiler[1] == 'c' ? "c" : "cpp"));
    std::ofstream(main) << (compiler[1] == 'c' ? "#include <assert.h>\n" : "") << program;
    EXPECT_EQ(run(std::string(compiler) + " -Wall -Werror -I " + options.directory + " " + main + " " +
                  build.path() + "/*.o -o " + build.file("program")),
              0)
        << compiler;
  }
}

TEST(ButanoPreset, WritesTheAssetFolderAndRefusesALayerOffTheSizeRule) {
  WriterFixture f;
  f.addPage(2, 3);
  test::setTileCells(f.addLayer(LayerKind::Primary, "Main", 32, 64), std::vector<int>(2048, 2), 2, 1);
  MapLayer& small = f.addLayer(LayerKind::Secondary, "Hills 2", 40, 32);
  test::setTileCells(small, std::vector<int>(1280, 1), 2);
  ExportOptions options;
  options.preset = ExportPreset::Butano;
  EXPECT_FALSE(f.exportAll(options).success);
  EXPECT_EQ(f.services.lastText(),
            "The layer \"Hills 2\" is 320x256 pixels: butano's regular backgrounds must be a multiple of 256 pixels "
            "wide and high.  Resize the layer, or export it without the butano preset.");
  EXPECT_TRUE(test::filesUnder(f.out.path()).empty());

  small.width = 64;
  small.cells.resize(64 * 32, small.cells[0]);
  ASSERT_TRUE(f.exportAll(options).success) << f.services.lastText();
  EXPECT_EQ(test::filesUnder(f.out.path()), (std::vector<std::string>{"graphics/Hills_2.bmp", "graphics/Hills_2.json",
                                                                      "graphics/Main.bmp", "graphics/Main.json"}));
  EXPECT_EQ(test::readText(f.out.file("graphics/Main.json")),
            "{\n    \"type\": \"regular_bg\",\n    \"bpp_mode\": \"bpp_4_manual\"\n}\n");
  IndexedImage image;
  std::string message;
  ASSERT_TRUE(readBmp(f.out.file("graphics/Main.bmp"), image, message)) << message;
  EXPECT_EQ(image.imageWidth, 256);
  EXPECT_EQ(image.imageHeight, 512);
}

}  // namespace
}  // namespace qarto
