// Runs the real qarto-cli the way a build pipeline would and checks its
// output files, streams and exit codes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "edit/session/map_file_commands.h"
#include "export/definition/definition_file.h"
#include "export/definition/export_definition.h"
#include "export/export_to_header.h"
#include "support/page_files.h"
#include "support/test_session.h"

namespace qarto {
namespace {

using test::readText;

struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The export reads and writes the user's settings: keep them in the
    // temporary folder.
    setenv("HOME", home.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home.path() + "/config").c_str(), 1);
  }

  RunResult run(const std::string& arguments) {
    const std::string out = work.file("stdout.txt");
    const std::string err = work.file("stderr.txt");
    const std::string command = std::string("'") + QARTO_CLI + "' " + arguments + " >'" + out + "' 2>'" + err + "'";
    RunResult result;
    const int status = std::system(command.c_str());
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readText(out);
    result.err = readText(err);
    return result;
  }

  // Runs the command and checks its exit code and that `text` shows on stdout
  // after a success or on stderr after a failure.
  RunResult expect(const std::string& arguments, int exitCode, const std::string& text = "") {
    RunResult result = run(arguments);
    EXPECT_EQ(result.exitCode, exitCode) << arguments << "\n" << result.err;
    EXPECT_NE((exitCode == 0 ? result.out : result.err).find(text), std::string::npos)
        << arguments << ": " << result.out << result.err;
    return result;
  }

  static std::string example(const std::string& name) { return std::string(QARTO_EXAMPLES_DIR) + "/" + name; }

  test::TempFolder home;
  test::TempFolder work;
};

TEST_F(CliTest, UsageErrorsExitWithTwoAndHelpWithZero) {
  const std::string demo = example("demo.qrm");
  for (const std::string& arguments : {std::string(), std::string("frobnicate"), std::string("info"), "export " + demo,
                                       "export " + demo + " -o x --saturation 101", "count " + demo + " --bogus",
                                       "export " + demo + " -o x --bank-offset seven"}) {
    EXPECT_EQ(run(arguments).exitCode, 2) << arguments;
  }
  for (const char* command : {"export", "count", "layer-bmp", "validate", "info", "upgrade", "selfcheck"}) {
    expect(std::string(command) + " --help", 0, std::string("usage: qarto-cli ") + command);
  }
}

TEST_F(CliTest, ExportWritesTheSameBytesAsTheEditorsExport) {
  expect("export " + example("demo.qrm") + " -o '" + work.file("cli") +
             "' --bank-offset 2 --tile-offset 5 --saturation -20 --luminance 10",
         0, "Exported the following map data files");
  test::TestSession s;
  ASSERT_TRUE(loadMap(s.session, example("demo.qrm")));
  ExportOptions options;
  options.directory = work.file("editor");
  options.bankOffset = 2;
  options.tileOffset = 5;
  options.saturation = -20;
  options.luminance = 10;
  ASSERT_TRUE(exportToHeaders(s.session, options).success);
  for (const char* name : {"BG_Collisions.cpp", "BG_Externs.h", "BG_Maps.cpp", "BG_Palette.cpp", "BG_Tiles.cpp"}) {
    EXPECT_EQ(readText(work.file(std::string("cli/") + name)), readText(work.file(std::string("editor/") + name)))
        << name;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work.file("cli")), {}), 5);
}

TEST_F(CliTest, ExportWithDefinitionUsesItsNamesAndStoresItLikeCustomizeExportOk) {
  ExportDefinition definition = defaultExportDefinition();
  definition.file(ExportFile::Palette).fileName = "level_palette.c";
  ASSERT_TRUE(WriteDefinitionFile(work.file("custom.qrd"), definition));
  expect(
      "export " + example("demo.qrm") + " -o '" + work.file("out") + "' --definition '" + work.file("custom.qrd") + "'",
      0);
  EXPECT_TRUE(std::filesystem::exists(work.file("out/level_palette.c")));
  EXPECT_FALSE(std::filesystem::exists(work.file("out/BG_Palette.cpp")));
  EXPECT_NE(readText(home.path() + "/config/Vantrel Software/Qarto.ini").find("level_palette.c"), std::string::npos);

  // A damaged definition stops before anything is exported.
  std::ofstream(work.file("broken.qrd"), std::ios::binary) << "def V2.0";
  expect("export " + example("demo.qrm") + " -o '" + work.file("none") + "' --definition '" + work.file("broken.qrd") +
             "'",
         1, "The export definition file is damaged or truncated and was not loaded.");
  EXPECT_FALSE(std::filesystem::exists(work.file("none")));
}

TEST_F(CliTest, InfoCountUpgradeAndMapsThatCannotBeRead) {
  const RunResult info = expect("info --json " + example("demo.qrm"), 0,
                                "{\"kind\": \"Primary\", \"name\": \"Level\", \"width\": 64, \"height\": 32");
  for (const char* part : {"\"revision\": 7", "\"entities\": 4", "\"activeLayer\": 3"}) {
    EXPECT_NE(info.out.find(part), std::string::npos) << part;
  }
  expect("count " + example("demo.qrm"), 0, "Number of unique tiles detected: \n\t16");
  expect("upgrade " + example("demo.qrm") + " -o '" + work.file("copy.qrm") + "'", 0);
  EXPECT_EQ(run("info --json '" + work.file("copy.qrm") + "'").out, info.out);

  // A question the editor would ask stops the command without --yes.
  std::ofstream(work.file("strange.qrm"), std::ios::binary) << "not a map at all\n";
  EXPECT_NE(
      expect("info '" + work.file("strange.qrm") + "'", 1, "The map you are loading is possibly an old Qarto format.")
          .err.find("--yes"),
      std::string::npos);
  expect("count '" + work.file("absent.qrm") + "'", 1, "File could not be opened for loading.");
}

TEST_F(CliTest, LayerBmpAndValidate) {
  expect("layer-bmp " + example("demo.qrm") + " -o '" + work.file("sky.bmp") + "' --layer Sky", 0);
  EXPECT_EQ(std::filesystem::file_size(work.file("sky.bmp")), 1078u + 47u * 8u * 26u * 8u);
  expect("layer-bmp " + example("demo.qrm") + " -o '" + work.file("x.bmp") + "' --layer Nope", 1);
  EXPECT_FALSE(std::filesystem::exists(work.file("x.bmp")));

  expect("validate " + example("tiles.bmp"), 0);
  expect("validate '" + work.file("absent.bmp") + "'", 1, "The requested tileset does not exist.");
  // A tile that mixes palette rows 0 and 1 breaks the 16-colour rule.
  test::writePage(work, "mixed.bmp", test::makePage(8, 8, [](int x, int y) { return x + y == 0 ? 0x12 : 1; }));
  EXPECT_FALSE(
      expect("validate '" + work.file("mixed.bmp") + "' --image '" + work.file("faults.bmp") + "'", 1).out.empty());
  EXPECT_TRUE(std::filesystem::exists(work.file("faults.bmp")));
}

}  // namespace
}  // namespace qarto

namespace qarto {
namespace {

// The editing engine through qarto-cli edit. The private settings give
// zoom 2 and a centred 240 x 160 frame in 1280 x 720: the map origin lies at
// window (400, 200) and a cell is 16 pixels.
class CliEditTest : public CliTest {
 protected:
  std::string script(const std::string& text) {
    const std::string path = work.file("s.txt");
    std::ofstream(path) << text;
    return path;
  }
};

constexpr const char* kPaintTile2AtCell3x4 =
    "key Space\n"
    "press 130 16        # the tab of the page \"tiles\"\n"
    "release 130 16\n"
    "press 40 41         # its tile 2\n"
    "release 40 41\n"
    "key Space\n"
    "layer Level\n"
    "press 456 272\n"
    "release 456 272\n";

TEST_F(CliEditTest, AScriptPaintsThroughTheEngineAndSaves) {
  const std::string out = work.file("out.qrm");
  const RunResult result = run("edit '" + example("demo.qrm") + "' --script '" + script(kPaintTile2AtCell3x4) +
                               "' -o '" + out + "'");
  ASSERT_EQ(result.exitCode, 0) << result.err;

  test::ScriptedServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  EditorSession session(services, settings, host);
  ASSERT_TRUE(loadMap(session, out));
  const MapLayer* level = session.project().findLayerOfKind(LayerKind::Primary);
  ASSERT_NE(level, nullptr);
  EXPECT_EQ(level->cell(3, 4).tile, 2);
  EXPECT_EQ(session.registry().find(level->cell(3, 4).tileset)->displayName, "tiles");

  // Undone in the same script, every layer saves the cells it came with.
  const RunResult undone = run("edit '" + example("demo.qrm") + "' --script '" +
                               script(std::string(kPaintTile2AtCell3x4) + "key Z ctrl\n") + "' -o '" + out + "'");
  ASSERT_EQ(undone.exitCode, 0) << undone.err;
  EditorSession original(services, settings, host);
  ASSERT_TRUE(loadMap(original, example("demo.qrm")));
  ASSERT_TRUE(loadMap(session, out));
  ASSERT_EQ(session.project().layerCount(), original.project().layerCount());
  for (int i = 0; i < original.project().layerCount(); ++i) {
    EXPECT_EQ(session.project().layerAt(i)->cells, original.project().layerAt(i)->cells) << i;
    EXPECT_EQ(session.project().layerAt(i)->entities, original.project().layerAt(i)->entities) << i;
  }
}

TEST_F(CliEditTest, BadScriptsStopAndSaveNothing) {
  const std::string out = work.file("out.qrm");
  const std::string malformed = script("press 1 2\nrelease 1 2\nbogus 3\n");
  RunResult result = run("edit '" + example("demo.qrm") + "' --script '" + malformed + "' -o '" + out + "'");
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(result.err, "qarto-cli edit: " + malformed + ":3: unknown command \"bogus\"\n");
  EXPECT_FALSE(std::filesystem::exists(out));

  const std::string missing = script("layer Nowhere\n");
  result = run("edit '" + example("demo.qrm") + "' --script '" + missing + "' -o '" + out + "'");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "qarto-cli edit: " + missing + ":1: no layer is named \"Nowhere\"; nothing was saved\n");
  EXPECT_FALSE(std::filesystem::exists(out));

  result = run("edit '" + example("demo.qrm") + "' -o '" + out + "'");
  EXPECT_EQ(result.exitCode, 2);
}

}  // namespace
}  // namespace qarto

namespace qarto {
namespace {

TEST_F(CliEditTest, CommandLinesRunTableCommandsAndTheListingShowsTheirState) {
  const std::string out = work.file("out.qrm");
  // Flip the primary layer horizontally twice through the menu command: a no-op.
  const RunResult flipped = run("edit '" + example("demo.qrm") + "' --script '" +
                                script("layer Level\ncommand 61241\ncommand 61241\ncommand 61210\n") + "' -o '" +
                                out + "'");
  ASSERT_EQ(flipped.exitCode, 0) << flipped.err;
  test::ScriptedServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  EditorSession original(services, settings, host);
  EditorSession edited(services, settings, host);
  ASSERT_TRUE(loadMap(original, example("demo.qrm")));
  ASSERT_TRUE(loadMap(edited, out));
  EXPECT_EQ(edited.project().findLayerOfKind(LayerKind::Primary)->cells,
            original.project().findLayerOfKind(LayerKind::Primary)->cells);
  EXPECT_NE(edited.project().showMapGrid, original.project().showMapGrid) << "the grid toggle is kept in the map";

  const RunResult listing = run("commands '" + example("demo.qrm") + "' --json");
  ASSERT_EQ(listing.exitCode, 0);
  EXPECT_NE(listing.out.find("{\"id\": 61241, \"name\": \"Horizontally Flip Layer\", \"menus\": [{\"path\": "
                             "\"&Layers/&Flip Active Layer\", \"text\": \"&Horizontally\"}], \"keys\": [], "
                             "\"enabled\": true}"),
            std::string::npos);
  EXPECT_NE(listing.out.find("{\"id\": 61217, \"name\": \"Export Collision\", \"menus\": [{\"path\": \"&File\", "
                             "\"text\": \"Export .CLL\"}], \"keys\": [], \"enabled\": false}"),
            std::string::npos);
  const RunResult plain = run("commands");
  EXPECT_NE(plain.out.find("32790\tPrev Brush\tMapMenu/&Previous Brush\t, <\n"), std::string::npos) << plain.out;
}

}  // namespace
}  // namespace qarto
