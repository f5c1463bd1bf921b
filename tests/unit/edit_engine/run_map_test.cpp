// Run Map and Save ROM As through the command table, with a window that
// plays nothing: what reaches the player, and every refusal on the way.
#include "edit/run_map/run_map.h"

#include <filesystem>

#include "engine_fixture.h"
#include "model/byte_order.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

// A base ROM as far as the editor checks one: an ARM branch first and the
// player's block at 0xC0 saying the map goes at its end.
std::vector<std::uint8_t> fakeBaseRom() {
  std::vector<std::uint8_t> rom(0x100, 0);
  rom[3] = 0xEA;
  storeU32(rom.data() + 0xC0, 0x594C5051);  // "QPLY"
  storeU16(rom.data() + 0xC4, 1);
  storeU16(rom.data() + 0xC6, 1);
  storeU32(rom.data() + 0xC8, 0x100);
  return rom;
}

struct PlayingHost : FrameHost {
  std::string rom;
  std::string failure;
  std::vector<MapRomLaunch> played;
  std::string baseRomPath() const override { return rom; }
  std::string playMapRom(const MapRomLaunch& launch) override {
    played.push_back(launch);
    return failure;
  }
};

struct RunMapFixture : EngineFixture {
  RunMapFixture() {
    writeBytes(folder.file("baseRom.gba"), fakeBaseRom());
    host.rom = folder.file("baseRom.gba");
    commands = std::make_unique<EditorCommands>(*engine, &host);
    numberedPage();
    layer("Level", 64, 32, LayerKind::Primary);
  }
  TempFolder folder;
  PlayingHost host;
};

// Where play starts and what an emulator command gets are in the window's
// test (tests/gui/run_map_test); here, how the command line is split.
TEST(RunMap, TheEmulatorCommandIsSplitLikeAShellLineWithTheRomForPercentF) {
  EXPECT_EQ(emulatorCommandLine("  \"/opt/my gba/run\"  --scale 3 ", "/t/a.gba"),
            (std::vector<std::string>{"/opt/my gba/run", "--scale", "3", "/t/a.gba"}));
  EXPECT_EQ(emulatorCommandLine("emu --rom=%f -x", "/t/a.gba"),
            (std::vector<std::string>{"emu", "--rom=/t/a.gba", "-x"}));
  EXPECT_TRUE(emulatorCommandLine("   ", "/t/a.gba").empty());
}

TEST(RunMap, EveryFailureIsShownAndNothingIsKept) {
  RunMapFixture f;
  f.host.failure = "the emulator module could not be loaded";
  f.commands->run(cmd::kRunMap);
  EXPECT_EQ(f.services.lastMessage(), shown("The map could not be played: the emulator module could not be loaded.",
                                            MessageIcon::Warning, " - Run Map"));
  EXPECT_FALSE(std::filesystem::exists(f.host.played.front().romPath));

  // Save ROM As: a folder that is not there.
  f.services.saveFileAnswers.push_back(f.folder.file("gone/level.gba"));
  f.commands->run(cmd::kSaveRomAs);
  EXPECT_EQ(f.services.lastMessage(), shown("Unable to write the ROM:\n\n  " + f.folder.file("gone/level.gba"),
                                            MessageIcon::Warning, " - Run Map"));

  // A base ROM that is no player is refused before the map is looked at.
  writeBytes(f.folder.file("baseRom.gba"), {1, 2, 3});
  f.host.played.clear();
  f.services.saveFileAnswers.push_back(f.folder.file("level.gba"));
  f.commands->run(cmd::kSaveRomAs);
  f.commands->run(cmd::kRunMap);
  EXPECT_EQ(f.services.lastMessage(),
            shown("The map player ROM could not be read:\n\n  " + f.folder.file("baseRom.gba") +
                      "\n\nIt must be the baseRom.gba built with this version of Qarto.",
                  MessageIcon::Warning, " - Run Map"));
  // No chooser for a ROM that cannot be made.
  EXPECT_EQ(std::tuple(f.host.played.empty(), std::filesystem::exists(f.folder.file("level.gba")),
                       f.services.saveRequests.size()),
            std::tuple(true, false, 1u));
}

TEST(RunMap, MapsThePlayerCannotHoldAreRefused) {
  RunMapFixture f;
  // 1000 tiles, each its own under every flip: a corner mark and the
  // tile's number in bits down columns 1 and 2.
  const Tileset& page = f.page(320, 200, [](int x, int y) {
    const int t = tileAt(320, x, y);
    if (x % 8 == 0 && y % 8 == 0) return std::uint8_t{3};
    if (x % 8 == 1 || x % 8 == 2) return static_cast<std::uint8_t>(1 + ((t >> (y % 8 + (x % 8 - 1) * 8)) & 1));
    return std::uint8_t{0};
  });
  MapLayer& front = f.layer("Front", 30, 27, LayerKind::Secondary);
  front.tileGrouping = true;
  for (std::size_t i = 0; i < front.cells.size(); ++i) {
    front.cells[i] = {static_cast<std::int16_t>(i), static_cast<std::int8_t>(page.id), 0};
  }
  f.commands->run(cmd::kRunMap);
  EXPECT_EQ(f.services.lastMessage(),
            shown("There are more than 768 unique tiles in tile group 2.\n\nThe map player keeps the second tile group "
                  "in the video memory beside its screen blocks, which holds 768 tiles.  Use fewer unique tiles on the "
                  "layers of tile group 2.",
                  MessageIcon::Warning, " - Run Map"));

  RunMapFixture collisionOnly;
  collisionOnly.layer("Walls", 30, 20, LayerKind::Collision);
  collisionOnly.project().takeLayer(collisionOnly.project().findLayerOfKind(LayerKind::Primary));
  collisionOnly.commands->run(cmd::kRunMap);
  EXPECT_EQ(collisionOnly.services.lastText(), "There are no tile layers in the map, so there is nothing to run.");
  EXPECT_TRUE(f.host.played.empty() && collisionOnly.host.played.empty());
}

}  // namespace
}  // namespace qarto::test
