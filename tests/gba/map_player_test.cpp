// The map player ROM with maps appended, run in the emulator: every screen
// is compared with the picture worked out from the map model alone.
#include "emulator/map_player.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "emulator/frame_png.h"
#include "emulator/gba_runner_api.h"
#include "emulator/key_sequence.h"
#include "expected_frame.h"
#include "export/rom/map_rom.h"
#include "model/project/map_project.h"
#include "support/temp_folder.h"
#include "test_maps.h"

namespace qarto::gba {
namespace {

// Empty when the frames agree; otherwise the number of wrong pixels, the
// first of them and the layer scrolls.
std::string frameDifference(const ViewerView& view, std::span<const std::uint32_t> shown, const Frame& expected) {
  int wrong = 0;
  std::ostringstream text;
  for (std::size_t at = 0; at < expected.size(); ++at) {
    if (shown[at] == expected[at] || wrong++ > 0) continue;
    text << "first at (" << at % kScreenWidth << ", " << at / kScreenWidth << "): 0x" << std::hex << shown[at]
         << " instead of 0x" << expected[at] << std::dec << "; layer scrolls";
    for (const LayerScroll& scroll : view) text << " (" << scroll.x << ", " << scroll.y << ")";
  }
  return wrong == 0 ? "" : std::to_string(wrong) + " pixels wrong, " + text.str();
}

std::unique_ptr<MapPlayer> play(TestSession& s, const MapRomRequest& request) {
  const std::vector<std::uint8_t> base = test::readBytes(QARTO_PLAYER_ROM);
  const std::optional<std::vector<std::uint8_t>> rom = buildMapRom(s.session, base, request);
  EXPECT_TRUE(rom.has_value()) << s.services.lastText();
  if (!rom) return nullptr;
  std::string error;
  std::unique_ptr<MapPlayer> player = MapPlayer::start(*rom, error);
  EXPECT_NE(player, nullptr) << error;
  if (player) player->step(0);  // the first frame the player shows
  return player;
}

std::string shownAtCamera(TestSession& s, const MapPlayer& player, int cameraX, int cameraY) {
  if (player.cameraX() != cameraX || player.cameraY() != cameraY) {
    return "camera at " + std::to_string(player.cameraX()) + "," + std::to_string(player.cameraY()) + " instead of " +
           std::to_string(cameraX) + "," + std::to_string(cameraY);
  }
  const std::vector<const MapLayer*> layers = tileLayers(s.project());
  const ViewerView view = viewAtCamera(layers, cameraX, cameraY);
  return frameDifference(view, player.frame(), expectedFrame(s.registry(), layers, view));
}

struct ExportedMapCase {
  std::string name;
  bool (*build)(TestSession&, std::string& problem);
  int bankOffset = 0;
  int tileOffset = 0;
};

void PrintTo(const ExportedMapCase& c, std::ostream* out) { *out << c.name; }

const ExportedMapCase kCases[] = {
    {"ExampleMap", loadExampleMap, 0, 0},
    {"ExampleMapAtOffsets", loadExampleMap, 3, 1000},
    {"FlipsAndPalettes", buildFlipsAndPalettes, 0, 0},
    {"FlipsAndPalettesAtOffsets", buildFlipsAndPalettes, 5, 300},
    {"SmallMap", buildSmallMap, 0, 0},
    {"SmallMapAtOffsets", buildSmallMap, 2, 900},
};

class ExportedMapOnGba : public ::testing::TestWithParam<ExportedMapCase> {};

// The camera a screen apart over the primary layer, up to its far edges.
TEST_P(ExportedMapOnGba, ShowsWhatTheMapModelGivesOnEveryScreen) {
  const ExportedMapCase& c = GetParam();
  TestSession s;
  std::string problem;
  ASSERT_TRUE(c.build(s, problem)) << problem;
  const MapLayer* primary = tileLayers(s.project()).back();
  const int farX = std::max(0, primary->width * 8 - kScreenWidth);
  const int farY = std::max(0, primary->height * 8 - kScreenHeight);
  int failingViews = 0;
  for (int y = 0;; y = std::min(y + kScreenHeight, farY)) {
    for (int x = 0;; x = std::min(x + kScreenWidth, farX)) {
      const std::unique_ptr<MapPlayer> player = play(s, {x, y, c.bankOffset, c.tileOffset});
      ASSERT_NE(player, nullptr);
      const std::string difference = shownAtCamera(s, *player, x, y);
      EXPECT_EQ(difference, "");
      // Two wrong screens tell the story; stop before the log fills up.
      if (!difference.empty() && ++failingViews == 2) return;
      if (x == farX) break;
    }
    if (y == farY) break;
  }
}

INSTANTIATE_TEST_SUITE_P(DefaultTemplates, ExportedMapOnGba, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ExportedMapCase>& info) { return info.param.name; });

// A 1024 x 1024 level over a far layer at half speed: the d-pad moves the
// camera across screen-block boundaries of both layers, one frame at a time
// at the normal speed and with B held, and every frame shows the map.
TEST(MapPlayerStreaming, EveryFrameOfAScrollAcrossScreenBlocksShowsTheMap) {
  TestSession s;
  buildParallaxLevel(s, 1024, 1024);
  int x = 256 * 13 - 250;  // the screen's right edge 10 pixels short of a screen block
  int y = 256 * 21 - 166;
  const std::unique_ptr<MapPlayer> player = play(s, {x, y, 0, 0});
  ASSERT_NE(player, nullptr);
  ASSERT_EQ(shownAtCamera(s, *player, x, y), "");
  const struct {
    std::uint32_t keys;
    int dx, dy, frames;
  } kMoves[] = {
      {QARTO_GBA_KEY_RIGHT | QARTO_GBA_KEY_DOWN, 2, 2, 12},
      {QARTO_GBA_KEY_RIGHT, 2, 0, 6},
      {QARTO_GBA_KEY_B | QARTO_GBA_KEY_LEFT | QARTO_GBA_KEY_UP, -8, -8, 10},
      {QARTO_GBA_KEY_B | QARTO_GBA_KEY_DOWN, 0, 8, 8},
  };
  for (const auto& move : kMoves) {
    for (int frame = 0; frame < move.frames; ++frame) {
      player->step(move.keys);
      x += move.dx;
      y += move.dy;
      ASSERT_EQ(shownAtCamera(s, *player, x, y), "") << "keys 0x" << std::hex << move.keys;
    }
  }
  // At the far corner the camera stops.
  const std::unique_ptr<MapPlayer> corner = play(s, {1 << 20, 1 << 20, 0, 0});
  ASSERT_NE(corner, nullptr);
  corner->step(QARTO_GBA_KEY_RIGHT | QARTO_GBA_KEY_DOWN);
  EXPECT_EQ(shownAtCamera(s, *corner, 1024 * 8 - kScreenWidth, 1024 * 8 - kScreenHeight), "");
}

// More than a day of frames in all, and a frame that cannot be written: refused with the reason.
TEST(PlayerInputs, RefusalsSayWhy) {
  std::string error;
  EXPECT_EQ(parseKeySequence("none*5184000", error)->size(), 5184000u);
  EXPECT_FALSE(parseKeySequence("none*5184000,a", error));
  EXPECT_EQ(error, "the keys come to more than 5184000 frames");
  test::TempFolder work;
  test::writeBytes(work.file("file"), {});
  EXPECT_FALSE(writeFramePng(work.file("file") + "/x.png", std::vector<std::uint32_t>(240 * 160), error));
  EXPECT_EQ(error, "cannot write " + work.file("file") + "/x.png: the file could not be replaced");
}

}  // namespace
}  // namespace qarto::gba
