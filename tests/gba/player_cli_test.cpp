// qarto-cli run against qarto-cli render: the frame the emulated GBA shows
// equals the editor's drawing of the same map at zoom 1, pixel for pixel
// once both are cut to 15-bit colour, at start and after the d-pad
// scrolled it; and a refused qarto-cli rom leaves no ROM behind. The same
// for a program a user builds from the exported C files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "emulator/frame_png.h"
#include "emulator/gba_runner_loader.h"
#include "expected_frame.h"
#include "io/map_file/map_file_writer.h"
#include "model/project/layer_kind.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset_registry.h"
#include "offscreen/png_file.h"
#include "support/temp_folder.h"
#include "test_maps.h"

namespace qarto::gba {
namespace {

class PlayerCommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("HOME", home.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home.path() + "/config").c_str(), 1);
  }

  int run(const std::string& arguments, const std::string& program = QARTO_CLI) {
    const std::string command =
        "'" + program + "' " + arguments + " >'" + work.file("out.txt") + "' 2>'" + work.file("err.txt") + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string err() const { return test::readText(work.file("err.txt")); }
  std::string out() const { return test::readText(work.file("out.txt")); }

  std::string save(TestSession& s, const std::string& name) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(encodeMapFile(s.project(), s.registry(), bytes));
    test::writeBytes(work.file(name), bytes);
    return "'" + work.file(name) + "'";
  }

  // The picture as 15-bit colours.
  std::vector<std::uint32_t> picture(const std::string& name) {
    qarto::Frame frame;
    std::string message;
    EXPECT_TRUE(readPng(work.file(name), frame, message)) << message;
    std::vector<std::uint32_t> colours;
    for (std::size_t at = 0; at + 3 < frame.rgba.size(); at += 4) {
      colours.push_back(frame.rgba[at] >> 3 | (frame.rgba[at + 1] >> 3) << 5 | (frame.rgba[at + 2] >> 3) << 10);
    }
    return colours;
  }

  // Where no layer covers the screen the GBA shows colour 0 of the first
  // palette; the editor shows its background colour: make them one.
  void useBackdropOf(TestSession& s) {
    const MapCell& first = tileLayers(s.project()).front()->cells.front();
    const std::uint8_t* rgb = s.registry().find(first.tileset)->palette.data() + first.palette * 48;
    const std::uint32_t backdrop = screenColour(rgb[0], rgb[1], rgb[2]);
    std::filesystem::create_directories(home.path() + "/config/Vantrel Software");
    std::ofstream(home.path() + "/config/Vantrel Software/Qarto.ini")
        << "[Settings]\nClearColor=" << (backdrop & 0xFF) / 255.0 << " " << (backdrop >> 8 & 0xFF) / 255.0 << " "
        << (backdrop >> 16 & 0xFF) / 255.0 << " 0\n";
  }

  // Pixels of two same-sized pictures that differ at 15 bits.
  int differences(const std::string& a, const std::string& b) {
    const std::vector<std::uint32_t> first = picture(a);
    const std::vector<std::uint32_t> second = picture(b);
    EXPECT_EQ(first.size(), second.size());
    int wrong = 0;
    for (std::size_t at = 0; at < first.size() && at < second.size(); ++at) wrong += first[at] != second[at];
    return wrong;
  }

  test::TempFolder home;
  test::TempFolder work;
};

TEST_F(PlayerCommandLine, TheEmulatedFrameIsTheEditorsPictureAtStartAndAfterScrolling) {
  TestSession s;
  buildParallaxLevel(s, 64, 40);
  const std::string map = save(s, "level.qrm");
  useBackdropOf(s);

  // From 40,24 the d-pad moves the camera 2 pixels a frame: the far layer,
  // at half speed, moves whole pixels after every even frame.
  const struct {
    const char* keys;
    int x, y;
  } kSteps[] = {{"none", 40, 24}, {"right+down*8", 56, 40}, {"right*10,down*30,left*2", 56, 84}};
  for (const auto& step : kSteps) {
    ASSERT_EQ(run("run " + map + " --start 40,24 --keys " + step.keys + " -o '" + work.file("gba.png") + "'"), 0)
        << err();
    EXPECT_NE(out().find("(camera at " + std::to_string(step.x) + "," + std::to_string(step.y) + ")"),
              std::string::npos)
        << out();
    ASSERT_EQ(run("render " + map + " --size 240x160 --zoom 1 --scroll " + std::to_string(step.x) + "," +
                  std::to_string(step.y) + " -o '" + work.file("editor.png") + "'"),
              0)
        << err();
    EXPECT_EQ(differences("gba.png", "editor.png"), 0) << "keys " << step.keys;
  }
}

TEST_F(PlayerCommandLine, RefusalsWriteNoRom) {
  const std::string rom = work.file("level.gba");
  TestSession s;
  buildParallaxLevel(s, 32, 20);
  for (int i = 0; i < 3; ++i) s.addLayer(LayerKind::Secondary, "More", 32, 20);
  ASSERT_EQ(run("rom " + save(s, "layers.qrm") + " -o '" + rom + "'"), 1);
  EXPECT_NE(err().find("Qarto v0.99 - Run Map: The GBA shows at most four background layers, and this map has 5 "
                       "tile layers.  Merge or delete layers to run it."),
            std::string::npos)
      << err();
  EXPECT_FALSE(std::filesystem::exists(rom));
  EXPECT_EQ(run("run " + work.file("layers.qrm") + " --keys jump -o '" + work.file("x.png") + "'"), 2);
  EXPECT_EQ(err(), "qarto-cli run: \"jump\" is no key (up, down, left, right, a, b, l, r, start, select, none)\n");

  // A qarto-cli with no player ROM beside it says so.
  const std::string lonely = work.file("qarto-cli");
  std::filesystem::copy_file(QARTO_CLI, lonely);
  EXPECT_EQ(run("rom '" + work.file("layers.qrm") + "' -o '" + rom + "'", lonely), 1);
  EXPECT_EQ(err(), "qarto-cli rom: the map player ROM is missing: " + work.file("baseRom.gba") + "\n");
  EXPECT_FALSE(std::filesystem::exists(rom));
}

// The demo map's export with the default templates, compiled with the
// player's start-up code and linker script and a main.cpp that includes
// only the extern header: in C++, the data files' arrays must link. Packed,
// the BIOS unpacks the arrays into video memory as they are.
TEST_F(PlayerCommandLine, AProgramBuiltFromTheExportShowsTheEditorsPicture) {
  const std::string demo = std::string(QARTO_SOURCE_DIR) + "/examples/demo.qrm";
  const std::string rom = std::string(QARTO_SOURCE_DIR) + "/src/rom";
  TestSession s;
  std::string problem;
  ASSERT_TRUE(loadExampleMap(s, problem)) << problem;
  // The console shows the tile layers only (a hidden collision layer still shows its markers).
  std::vector<const MapLayer*> others;
  for (const auto& layer : s.project().layers()) {
    if (!isTileLayerKind(layer->kind)) others.push_back(layer.get());
  }
  for (const MapLayer* layer : others) s.project().takeLayer(layer);
  ASSERT_EQ(run("render " + save(s, "shown.qrm") + " --size 240x160 --zoom 1 -o '" + work.file("editor.png") + "'"),
            0)
      << err();
  useBackdropOf(s);

  for (const char* packing : {"", "--screenblocks --lz77"}) {
    const std::string out = work.file(*packing ? "packed" : "plain");
    ASSERT_EQ(run("export '" + demo + "' -o '" + out + "' " + packing), 0) << err();
    const std::string build = "arm-none-eabi-g++ -mcpu=arm7tdmi -mthumb -O2 -std=c++20 -ffreestanding -nostdlib "
                              "-fno-exceptions -fno-rtti -Wall -Wextra -Werror " +
                              std::string(*packing ? "-DBLOCKS " : "") + "-I'" + out + "' -T " + rom +
                              "/player.ld " + rom + "/crt0.s " + QARTO_SOURCE_DIR +
                              "/tests/gba/export_program/main.cpp '" + out + "'/*.cpp -lgcc -o '" + out +
                              "/program.elf' && arm-none-eabi-objcopy -O binary '" + out + "/program.elf' '" + out +
                              "/program.gba'";
    ASSERT_EQ(std::system(build.c_str()), 0) << build;

    std::string error;
    const GbaRunnerModule* module = loadGbaRunnerModule(error);
    ASSERT_NE(module, nullptr) << error;
    const std::vector<std::uint8_t> image = test::readBytes(out + "/program.gba");
    char reason[256] = "";
    QartoGbaRunner* runner = module->create(image.data(), image.size(), reason, sizeof reason);
    ASSERT_NE(runner, nullptr) << reason;
    for (int frame = 0; frame < 10; ++frame) module->runFrame(runner);
    ASSERT_TRUE(writeFramePng(work.file("gba.png"), {module->frame(runner), 240 * 160}, error)) << error;
    module->destroy(runner);
    EXPECT_EQ(differences("gba.png", "editor.png"), 0) << packing;
  }
}

}  // namespace
}  // namespace qarto::gba
