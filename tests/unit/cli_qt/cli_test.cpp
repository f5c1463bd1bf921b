// Runs the real qarto-cli the way a build pipeline would, in a work folder
// with the user's settings in a throw-away home, and checks its output files,
// streams and exit codes. What render's picture holds is the renderer's tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "edit/session/map_file_commands.h"
#include "export/definition/definition_file.h"
#include "export/definition/export_definition.h"
#include "export/export_to_header.h"
#include "io/images/bmp_codec.h"
#include "support/hidden_banks.h"
#include "support/page_files.h"
#include "support/temp_folder.h"
#include "support/test_session.h"

namespace qarto::test {
namespace {

struct CliRun {
  int code = -1;
  std::string out, err;
};

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("HOME", home.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home.path() + "/config").c_str(), 1);
    setenv("GALLIUM_DRIVER", "llvmpipe", 1);
  }
  CliRun run(const std::string& arguments) {
    const std::string command =
        "cd '" + work.path() + "' && '" + QARTO_CLI + "' " + arguments + " >stdout.txt 2>stderr.txt";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readText(work.file("stdout.txt")),
            readText(work.file("stderr.txt"))};
  }
  static std::string example(const std::string& name) { return std::string(QARTO_EXAMPLES_DIR) + "/" + name; }

  // Runs the command; checks its exit code and that `text` shows on stdout
  // after a success or on stderr after a failure.
  CliRun expect(const std::string& arguments, int code, const std::string& text = "") {
    CliRun r = run(arguments);
    EXPECT_EQ(r.code, code) << arguments << "\n" << r.err;
    EXPECT_NE((code == 0 ? r.out : r.err).find(text), std::string::npos) << arguments << ": " << r.out << r.err;
    return r;
  }
  // A loaded copy of a map file.
  std::unique_ptr<TestSession> load(const std::string& path) {
    auto s = std::make_unique<TestSession>();
    EXPECT_TRUE(loadMap(s->session, path)) << path;
    return s;
  }

  TempFolder home, work;
};

TEST_F(CliTest, UsageErrorsExitWithTwoAndHelpWithZero) {
  const std::string demo = example("demo.qrm");
  for (const std::string& arguments : {std::string(), std::string("frobnicate"), std::string("info"), "export " + demo,
                                       "export " + demo + " -o x --saturation 101", "count " + demo + " --bogus"}) {
    EXPECT_EQ(run(arguments).code, 2) << arguments;
  }
  for (const char* command : {"export", "count", "layer-bmp", "validate", "info", "upgrade", "selfcheck", "budget"}) {
    expect(std::string(command) + " --help", 0, std::string("usage: qarto-cli ") + command);
  }
  expect("export " + demo + " -o x --preset gritty", 2, "\"gritty\" is no preset (templates, grit, butano)");
  expect("export --help", 0, "--preset NAME   the files to write: templates");
}

TEST_F(CliTest, ExportWritesTheSameBytesAsTheEditorsExport) {
  expect("export " + example("demo.qrm") + " -o cli --bank-offset 2 --tile-offset 5 --saturation -20 --luminance 10", 0,
         "Exported the following map data files");
  const auto s = load(example("demo.qrm"));
  const ExportOptions options{work.file("editor"), 2, 5, -20, 10, std::nullopt, false};  // folder, offsets, colours
  ASSERT_TRUE(exportToHeaders(s->session, options).success);
  for (const char* name : {"BG_Collisions.cpp", "BG_Externs.h", "BG_Maps.cpp", "BG_Palette.cpp", "BG_Tiles.cpp"}) {
    EXPECT_EQ(readText(work.file(std::string("cli/") + name)), readText(work.file(std::string("editor/") + name)))
        << name;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work.file("cli")), {}), 5);
  // The recent files are the editor's own.
  EXPECT_EQ(readText(home.path() + "/config/Vantrel Software/Qarto.ini").find("Recent"), std::string::npos);
}

TEST_F(CliTest, ExportWithDefinitionUsesItsNamesAndStoresItLikeCustomizeExportOk) {
  ExportDefinition definition = defaultExportDefinition();
  definition.file(ExportFile::Palette).fileName = "level_palette.c";
  ASSERT_TRUE(WriteDefinitionFile(work.file("custom.qrd"), definition));
  expect("export " + example("demo.qrm") + " -o out --definition custom.qrd", 0);
  EXPECT_TRUE(std::filesystem::exists(work.file("out/level_palette.c")));
  EXPECT_FALSE(std::filesystem::exists(work.file("out/BG_Palette.cpp")));
  EXPECT_NE(readText(home.path() + "/config/Vantrel Software/Qarto.ini").find("level_palette.c"), std::string::npos);

  std::ofstream(work.file("broken.qrd"), std::ios::binary) << "def V2.0";
  expect("export " + example("demo.qrm") + " -o none --definition broken.qrd", 1,
         "The export definition file is damaged or truncated and was not loaded.");
  EXPECT_FALSE(std::filesystem::exists(work.file("none")));
}

TEST_F(CliTest, InfoCountUpgradeLayerBmpValidateAndFilesThatCannotBeRead) {
  const CliRun info = expect("info --json " + example("demo.qrm"), 0,
                             "{\"kind\": \"Primary\", \"name\": \"Level\", \"width\": 64, \"height\": 32");
  expect("count " + example("demo.qrm"), 0, "Number of unique tiles detected: \n\t16");
  expect("budget " + example("demo.qrm"), 0, "Group1 tiles: 16 of 1024, 1 char blocks\nPalettes: ");
  expect("budget --json " + example("demo.qrm"), 0, "{\"tiles\": [16, 0], \"charBlocks\": [1, 0], \"palettes\": ");
  expect("upgrade " + example("demo.qrm") + " -o copy.qrm", 0);
  EXPECT_EQ(run("info --json copy.qrm").out, info.out);
  std::ofstream(work.file("strange.qrm"), std::ios::binary) << "not a map at all\n";
  EXPECT_NE(expect("info strange.qrm", 1, "The map you are loading is possibly an old Qarto format.").err.find("--yes"),
            std::string::npos);  // a question the editor would ask stops the command
  expect("count absent.qrm", 1, "File could not be opened for loading.");

  expect("layer-bmp " + example("demo.qrm") + " -o sky.bmp --layer Sky", 0);
  EXPECT_EQ(std::filesystem::file_size(work.file("sky.bmp")), 1078u + 47u * 8u * 26u * 8u);
  expect("layer-bmp " + example("demo.qrm") + " -o x.bmp --layer Nope", 1);
  EXPECT_FALSE(std::filesystem::exists(work.file("x.bmp")));
  expect("validate " + example("tiles.bmp"), 0);
  expect("validate absent.bmp", 1, "The requested tileset does not exist.");
  // A tile that mixes palette rows 0 and 1 breaks the 16-colour rule.
  writePage(work, "mixed.bmp", makePage(8, 8, [](int x, int y) { return x + y == 0 ? 0x12 : 1; }));
  EXPECT_FALSE(expect("validate mixed.bmp --image faults.bmp", 1).out.empty());
  EXPECT_TRUE(std::filesystem::exists(work.file("faults.bmp")));
}

// The editing engine through qarto-cli edit, by clicks and command lines.
// The private settings give zoom 2 and a centred 240 x 160 frame in
// 1280 x 720: the map origin lies at window (400, 200) and a cell is 16
// pixels.
TEST_F(CliTest, EditScriptsPaintThroughTheEngineAndBadOnesSaveNothing) {
  std::ofstream(work.file("paint.txt")) << "key Space\n"
                                           "press 130 16        # the tab of the page \"tiles\"\n"
                                           "release 130 16\n"
                                           "press 40 41         # its tile 2\n"
                                           "release 40 41\n"
                                           "key Space\n"
                                           "layer Level\n"
                                           "press 456 272\n"
                                           "release 456 272\n"
                                           "command 61241       # the layer flipped twice\n"
                                           "command 61241\n"
                                           "command 61210       # the grid toggled\n";
  expect("edit " + example("demo.qrm") + " --script paint.txt -o out.qrm", 0);
  const auto s = load(work.file("out.qrm"));
  const MapLayer* level = s->session.project().findLayerOfKind(LayerKind::Primary);
  ASSERT_NE(level, nullptr);
  EXPECT_EQ(level->cell(3, 4).tile, 2);
  EXPECT_EQ(s->session.registry().find(level->cell(3, 4).tileset)->displayName, "tiles");
  EXPECT_NE(s->session.project().showMapGrid, load(example("demo.qrm"))->session.project().showMapGrid);

  std::ofstream(work.file("bad.txt")) << "press 1 2\nrelease 1 2\nbogus 3\n";
  EXPECT_EQ(expect("edit " + example("demo.qrm") + " --script bad.txt -o bad.qrm", 2).err,
            "qarto-cli edit: bad.txt:3: unknown command \"bogus\"\n");
  std::ofstream(work.file("missing.txt")) << "layer Nowhere\n";
  EXPECT_EQ(expect("edit " + example("demo.qrm") + " --script missing.txt -o bad.qrm", 1).err,
            "qarto-cli edit: missing.txt:1: no layer is named \"Nowhere\"; nothing was saved\n");
  EXPECT_FALSE(std::filesystem::exists(work.file("bad.qrm")));
}

TEST_F(CliTest, RemapPaletteThereAndBackGivesTheSameMap) {
  expect("upgrade " + example("demo.qrm") + " -o map.qrm", 0);
  const auto original = readBytes(work.file("map.qrm"));
  expect("remap-palette map.qrm --move 1,4", 0, "row 1 moved to row 4");
  EXPECT_NE(readBytes(work.file("map.qrm")), original);
  expect("remap-palette map.qrm --move 4,1", 0);
  EXPECT_EQ(readBytes(work.file("map.qrm")), original);
  expect("remap-palette copy.qrm --move 1,1", 2, "rows are two different numbers");
}

TEST_F(CliTest, TheCommandListingShowsTheirState) {
  const CliRun listing = expect("commands " + example("demo.qrm") + " --json", 0,
                                "{\"id\": 61241, \"name\": \"Horizontally Flip Layer\", \"menus\": [{\"path\": "
                                "\"&Layers/&Flip Active Layer\", \"text\": \"&Horizontally\"}], \"keys\": [], "
                                "\"enabled\": true}");
  EXPECT_NE(listing.out.find("{\"id\": 61217, \"name\": \"Export Collision\", \"menus\": [{\"path\": \"&File\", "
                             "\"text\": \"Export .CLL\"}], \"keys\": [], \"enabled\": false}"),
            std::string::npos);
  expect("commands", 0, "32790\tPrev Brush\tMapMenu/&Previous Brush\t, <\n");
  // Run Map and Save ROM As as the editor shows them: enabled beside the player ROM.
  const bool rom = std::filesystem::exists(std::filesystem::path(QARTO_CLI).parent_path() / "baseRom.gba");
  for (const char* name : {"\"Run Map\"", "\"Save ROM As\""}) {
    const std::size_t at = listing.out.find(name);
    ASSERT_NE(at, std::string::npos) << name;
    EXPECT_EQ(listing.out.substr(listing.out.find("\"enabled\": ", at) + 11, 4), rom ? "true" : "fals") << name;
  }
}

TEST_F(CliTest, RenderEveryOptionChangesThePicture) {
  const auto render = [&](const std::string& options) {
    EXPECT_EQ(run("render " + example("demo.qrm") + " -o out.png " + options).code, 0) << options;
    return readBytes(work.file("out.png"));
  };
  const auto plain = render("--size 400x240");  // the size, zoom and scroll are proven by map_view_gl_test
  EXPECT_EQ(plain, render("--size 400x240")) << "the same frame twice";
  const auto tiles = render("--size 400x240 --view tile --tileset 2");
  for (const std::string options : {"--grid", "--frame-mask", "--bounds", "--scroll 40,8", "--zoom 3"}) {
    EXPECT_NE(plain, render("--size 400x240 " + options)) << options;
  }
  EXPECT_NE(plain, tiles);
  EXPECT_NE(tiles, render("--size 400x240 --view tile --tileset 2 --zoom 3"));
}

TEST_F(CliTest, RenderRefusalsAndUsageErrors) {
  const std::pair<std::string, int> cases[] = {
      {"", 2},  // -o is required
      {" -o x.png --size 0x10", 2},   {" -o x.png --zoom 11", 2},      {" -o x.png --view side", 2},
      {" -o x.png --scroll 4", 2},    {" -o x.png --layer Nowhere", 1}, {" -o x.png --tileset 9", 1},
      {" -o no/such/folder/x.png", 1}};
  for (const auto& [options, code] : cases) EXPECT_EQ(run("render " + example("demo.qrm") + options).code, code) << options;
  EXPECT_EQ(run("render missing.qrm -o x.png").code, 1);
  EXPECT_EQ(run("render --help").code, 0);
}

TEST_F(CliTest, ImportLayerAddsTheLayerBesideTheSavedMapOrSaysWhyNot) {
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

TEST_F(CliTest, TiledMapsOutAndBackInAndARefusalWritesNothing) {
  expect("export-tmx " + example("demo.qrm") + " -o demo.tmx --cells zstd", 0, "demo.tmx: written");
  expect("import-tmx demo.tmx -o back.qrm", 0, "Primary layer: ");
  EXPECT_EQ(load(example("demo.qrm"))->project().layerCount(), load(work.file("back.qrm"))->project().layerCount());
  std::ofstream(work.file("bad.tmx")) << "<?xml version=\"1.0\"?>\n<map width=\"2\">\n";
  expect("import-tmx bad.tmx -o no.qrm", 1, "bad.tmx, line 3: the XML is damaged (Start-end tags mismatch)");
  EXPECT_FALSE(std::filesystem::exists(work.file("no.qrm")));
}

TEST_F(CliTest, ImportImageMakesAMapWhoseLayerIsThePictureOrSaysWhyNot) {
  const HiddenPicture hidden = makeHiddenPicture({41, 16, 600, 3, 9, true, 10, 20, 30});
  writeBytes(work.file("art.bmp"), bmp32(hidden.picture));
  CliRun r = expect("import-image art.bmp -o out.qrm", 0, "out.qrm: layer \"art\" of 30 x 20 cells, tile page art_2.bmp: ");
  expect("layer-bmp out.qrm -o layer.bmp", 0);
  IndexedImage layer;
  std::string message;
  ASSERT_TRUE(readBmp(work.file("layer.bmp"), layer, message)) << message;
  EXPECT_EQ(shownPixels(layer), pixelsOf(hidden));
  expect("import-image art.bmp --into out.qrm -o two.qrm --layer Again --backdrop 000000", 0, "layer \"Again\"");
  expect("info two.qrm", 0, "Secondary \"Again\" 30x20");

  writeBytes(work.file("wide.bmp"), bmp32(seventeenBanks()));
  expect("import-image wide.bmp -o no.qrm", 1, "The picture needs 17 palette banks; the GBA has 16.");
  EXPECT_FALSE(std::filesystem::exists(work.file("no.qrm")) || std::filesystem::exists(work.file("wide_2.bmp")));
  expect("import-image wide.bmp -o yes.qrm --reduce", 0, "reduce colours: ");
  EXPECT_EQ(run("import-image wide.bmp -o x.qrm --backdrop 12345").code, 2);
}

}  // namespace
}  // namespace qarto::test
