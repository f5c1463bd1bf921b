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

#include "edit/map_file_commands.h"
#include "export/export_definition.h"
#include "export/definition_file.h"
#include "export/export_to_header.h"
#include "model/editor_session.h"
#include "model/memory_settings_store.h"
#include "model/tileset_host.h"
#include "support/page_files.h"
#include "support/temp_folder.h"
#include "support/scripted_services.h"

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

  static std::string example(const std::string& name) { return std::string(QARTO_EXAMPLES_DIR) + "/" + name; }

  test::TempFolder home;
  test::TempFolder work;
};

TEST_F(CliTest, UsageErrorsExitWithTwoAndHelpWithZero) {
  EXPECT_EQ(run("").exitCode, 2);
  EXPECT_EQ(run("frobnicate").exitCode, 2);
  EXPECT_EQ(run("info").exitCode, 2);
  EXPECT_EQ(run("export " + example("demo.qrm")).exitCode, 2) << "-o is required";
  EXPECT_EQ(run("export " + example("demo.qrm") + " -o x --saturation 101").exitCode, 2);
  EXPECT_EQ(run("export " + example("demo.qrm") + " -o x --bank-offset seven").exitCode, 2);
  EXPECT_EQ(run("count " + example("demo.qrm") + " --bogus").exitCode, 2);
  for (const char* command : {"export", "count", "layer-bmp", "validate", "info", "upgrade", "selfcheck"}) {
    RunResult help = run(std::string(command) + " --help");
    EXPECT_EQ(help.exitCode, 0) << command;
    EXPECT_NE(help.out.find(std::string("usage: qarto-cli ") + command), std::string::npos) << command;
  }
  EXPECT_EQ(run("--help").exitCode, 0);
}

TEST_F(CliTest, ExportWritesTheSameBytesAsTheEditorsExport) {
  RunResult cli = run("export " + example("demo.qrm") + " -o '" + work.file("cli") + "' --bank-offset 2 --tile-offset 5 --saturation -20 --luminance 10");
  ASSERT_EQ(cli.exitCode, 0) << cli.err;
  EXPECT_NE(cli.out.find("Exported the following map data files"), std::string::npos) << cli.out;

  test::ScriptedServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  EditorSession session(services, settings, host);
  ASSERT_TRUE(loadMap(session, example("demo.qrm")));
  ExportOptions options;
  options.directory = work.file("editor");
  options.bankOffset = 2;
  options.tileOffset = 5;
  options.saturation = -20;
  options.luminance = 10;
  ASSERT_TRUE(exportToHeaders(session, options).success);

  int compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(work.file("editor"))) {
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(readText(work.file("cli/" + name)), readText(entry.path().string())) << name;
    ++compared;
  }
  EXPECT_EQ(compared, 5);
}

TEST_F(CliTest, ExportWithDefinitionUsesItsNamesAndStoresItLikeCustomizeExportOk) {
  ExportDefinition definition = defaultExportDefinition();
  definition.file(ExportFile::Palette).fileName = "level_palette.c";
  ASSERT_TRUE(WriteDefinitionFile(work.file("custom.qrd"), definition));

  RunResult cli = run("export " + example("demo.qrm") + " -o '" + work.file("out") + "' --definition '" +
                      work.file("custom.qrd") + "'");
  ASSERT_EQ(cli.exitCode, 0) << cli.err;
  EXPECT_TRUE(std::filesystem::exists(work.file("out/level_palette.c")));
  EXPECT_FALSE(std::filesystem::exists(work.file("out/BG_Palette.cpp")));
  const std::string ini = readText(home.path() + "/config/Vantrel Software/Qarto.ini");
  EXPECT_NE(ini.find("level_palette.c"), std::string::npos) << ini;

  // A damaged definition stops before anything is exported.
  std::ofstream(work.file("broken.qrd"), std::ios::binary) << "def V2.0";
  RunResult broken = run("export " + example("demo.qrm") + " -o '" + work.file("none") + "' --definition '" +
                         work.file("broken.qrd") + "'");
  EXPECT_EQ(broken.exitCode, 1);
  EXPECT_NE(broken.err.find("damaged or truncated"), std::string::npos) << broken.err;
  EXPECT_FALSE(std::filesystem::exists(work.file("none")));
}

TEST_F(CliTest, QuestionsStopWithoutYes) {
  std::ofstream(work.file("strange.qrm"), std::ios::binary) << "not a map at all\n";
  RunResult asked = run("info '" + work.file("strange.qrm") + "'");
  EXPECT_EQ(asked.exitCode, 1);
  EXPECT_NE(asked.err.find("The map you are loading is possibly an old Qarto format."), std::string::npos)
      << asked.err;
  EXPECT_NE(asked.err.find("--yes"), std::string::npos);

  RunResult missing = run("count '" + work.file("absent.qrm") + "'");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("File could not be opened for loading."), std::string::npos) << missing.err;
}

TEST_F(CliTest, InfoCountAndUpgradeDescribeTheSameMap) {
  RunResult info = run("info --json " + example("demo.qrm"));
  ASSERT_EQ(info.exitCode, 0) << info.err;
  EXPECT_NE(info.out.find("\"revision\": 7"), std::string::npos);
  EXPECT_NE(info.out.find("{\"kind\": \"Primary\", \"name\": \"Level\", \"width\": 64, \"height\": 32"),
            std::string::npos)
      << info.out;
  EXPECT_NE(info.out.find("\"entities\": 4"), std::string::npos);
  EXPECT_NE(info.out.find("\"activeLayer\": 3"), std::string::npos);

  RunResult count = run("count " + example("demo.qrm"));
  ASSERT_EQ(count.exitCode, 0) << count.err;
  EXPECT_NE(count.out.find("Number of unique tiles detected: \n\t16"), std::string::npos) << count.out;

  RunResult upgraded = run("upgrade " + example("demo.qrm") + " -o '" + work.file("copy.qrm") + "'");
  ASSERT_EQ(upgraded.exitCode, 0) << upgraded.err;
  RunResult again = run("info --json '" + work.file("copy.qrm") + "'");
  EXPECT_EQ(again.out, info.out);
}

TEST_F(CliTest, LayerBmpAndValidate) {
  RunResult sky = run("layer-bmp " + example("demo.qrm") + " -o '" + work.file("sky.bmp") + "' --layer Sky");
  ASSERT_EQ(sky.exitCode, 0) << sky.err;
  EXPECT_EQ(std::filesystem::file_size(work.file("sky.bmp")), 1078u + 47u * 8u * 26u * 8u);
  RunResult nope = run("layer-bmp " + example("demo.qrm") + " -o '" + work.file("x.bmp") + "' --layer Nope");
  EXPECT_EQ(nope.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(work.file("x.bmp")));

  EXPECT_EQ(run("validate " + example("tiles.bmp")).exitCode, 0);
  RunResult unreadable = run("validate '" + work.file("absent.bmp") + "'");
  EXPECT_EQ(unreadable.exitCode, 1);
  EXPECT_NE(unreadable.err.find("The requested tileset does not exist."), std::string::npos) << unreadable.err;

  // A tile that mixes palette rows 0 and 1 breaks the 16-colour rule.
  IndexedImage page;
  page.imageWidth = 8;
  page.imageHeight = 8;
  page.pixels.assign(64, 1);
  page.pixels[5] = 0x12;
  std::string message;
  ASSERT_TRUE(writeIndexedBmp(work.file("mixed.bmp"), page, 256, message)) << message;
  RunResult mixed = run("validate '" + work.file("mixed.bmp") + "' --image '" + work.file("faults.bmp") + "'");
  EXPECT_EQ(mixed.exitCode, 1);
  EXPECT_FALSE(mixed.out.empty());
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
