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
    const RunResult help = run(std::string(command) + " --help");
    EXPECT_EQ(help.exitCode, 0) << command;
    EXPECT_NE(help.out.find(std::string("usage: qarto-cli ") + command), std::string::npos) << command;
  }
}

TEST_F(CliTest, ExportWritesTheSameBytesAsTheEditorsExport) {
  const RunResult cli = run("export " + example("demo.qrm") + " -o '" + work.file("cli") +
                            "' --bank-offset 2 --tile-offset 5 --saturation -20 --luminance 10");
  ASSERT_EQ(cli.exitCode, 0) << cli.err;
  EXPECT_NE(cli.out.find("Exported the following map data files"), std::string::npos) << cli.out;

  test::TestSession s;
  ASSERT_TRUE(loadMap(s.session, example("demo.qrm")));
  const ExportOptions options{.directory = work.file("editor"), .bankOffset = 2, .tileOffset = 5, .saturation = -20, .luminance = 10, .startTime = {}};
  ASSERT_TRUE(exportToHeaders(s.session, options).success);
  const std::vector<std::string> files = {"BG_Collisions.cpp", "BG_Externs.h", "BG_Maps.cpp", "BG_Palette.cpp",
                                          "BG_Tiles.cpp"};
  for (const std::string& name : files) {
    EXPECT_EQ(readText(work.file("cli/" + name)), readText(work.file("editor/" + name))) << name;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work.file("cli")), {}), 5);
}

TEST_F(CliTest, ExportWithDefinitionUsesItsNamesAndStoresItLikeCustomizeExportOk) {
  ExportDefinition definition = defaultExportDefinition();
  definition.file(ExportFile::Palette).fileName = "level_palette.c";
  ASSERT_TRUE(WriteDefinitionFile(work.file("custom.qrd"), definition));
  const RunResult cli = run("export " + example("demo.qrm") + " -o '" + work.file("out") + "' --definition '" +
                            work.file("custom.qrd") + "'");
  ASSERT_EQ(cli.exitCode, 0) << cli.err;
  EXPECT_TRUE(std::filesystem::exists(work.file("out/level_palette.c")));
  EXPECT_FALSE(std::filesystem::exists(work.file("out/BG_Palette.cpp")));
  const std::string ini = readText(home.path() + "/config/Vantrel Software/Qarto.ini");
  EXPECT_NE(ini.find("level_palette.c"), std::string::npos) << ini;

  // A damaged definition stops before anything is exported.
  std::ofstream(work.file("broken.qrd"), std::ios::binary) << "def V2.0";
  const RunResult broken = run("export " + example("demo.qrm") + " -o '" + work.file("none") + "' --definition '" +
                               work.file("broken.qrd") + "'");
  EXPECT_EQ(broken.exitCode, 1);
  EXPECT_NE(broken.err.find("The export definition file is damaged or truncated and was not loaded."), std::string::npos)
      << broken.err;
  EXPECT_FALSE(std::filesystem::exists(work.file("none")));
}

TEST_F(CliTest, MapsThatCannotBeReadOrAskAQuestionStopWithExitOne) {
  std::ofstream(work.file("strange.qrm"), std::ios::binary) << "not a map at all\n";
  const RunResult asked = run("info '" + work.file("strange.qrm") + "'");
  EXPECT_EQ(asked.exitCode, 1);
  EXPECT_NE(asked.err.find("The map you are loading is possibly an old Qarto format."), std::string::npos) << asked.err;
  EXPECT_NE(asked.err.find("--yes"), std::string::npos);
  const RunResult missing = run("count '" + work.file("absent.qrm") + "'");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("File could not be opened for loading."), std::string::npos) << missing.err;
}

TEST_F(CliTest, InfoCountAndUpgradeDescribeTheSameMap) {
  const RunResult info = run("info --json " + example("demo.qrm"));
  ASSERT_EQ(info.exitCode, 0) << info.err;
  for (const char* part : {"\"revision\": 7", "{\"kind\": \"Primary\", \"name\": \"Level\", \"width\": 64, \"height\": 32",
                           "\"entities\": 4", "\"activeLayer\": 3"}) {
    EXPECT_NE(info.out.find(part), std::string::npos) << part << " in " << info.out;
  }
  const RunResult count = run("count " + example("demo.qrm"));
  EXPECT_NE(count.out.find("Number of unique tiles detected: \n\t16"), std::string::npos) << count.out;
  ASSERT_EQ(run("upgrade " + example("demo.qrm") + " -o '" + work.file("copy.qrm") + "'").exitCode, 0);
  EXPECT_EQ(run("info --json '" + work.file("copy.qrm") + "'").out, info.out);
}

TEST_F(CliTest, LayerBmpAndValidate) {
  const RunResult sky = run("layer-bmp " + example("demo.qrm") + " -o '" + work.file("sky.bmp") + "' --layer Sky");
  ASSERT_EQ(sky.exitCode, 0) << sky.err;
  EXPECT_EQ(std::filesystem::file_size(work.file("sky.bmp")), 1078u + 47u * 8u * 26u * 8u);
  EXPECT_EQ(run("layer-bmp " + example("demo.qrm") + " -o '" + work.file("x.bmp") + "' --layer Nope").exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(work.file("x.bmp")));

  EXPECT_EQ(run("validate " + example("tiles.bmp")).exitCode, 0);
  const RunResult unreadable = run("validate '" + work.file("absent.bmp") + "'");
  EXPECT_EQ(unreadable.exitCode, 1);
  EXPECT_NE(unreadable.err.find("The requested tileset does not exist."), std::string::npos) << unreadable.err;
  // A tile that mixes palette rows 0 and 1 breaks the 16-colour rule.
  test::writePage(work, "mixed.bmp", test::makePage(8, 8, [](int x, int y) { return x + y == 0 ? 0x12 : 1; }));
  const RunResult mixed = run("validate '" + work.file("mixed.bmp") + "' --image '" + work.file("faults.bmp") + "'");
  EXPECT_EQ(mixed.exitCode, 1);
  EXPECT_FALSE(mixed.out.empty());
  EXPECT_TRUE(std::filesystem::exists(work.file("faults.bmp")));
}

}  // namespace
}  // namespace qarto
