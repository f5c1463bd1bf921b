// Exports maps with the default templates, builds the GBA viewer around the
// exported arrays, runs it in the emulator and compares every screen with
// the picture the map model gives.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <sstream>
#include <string>

#include "emulator_frame.h"
#include "expected_frame.h"
#include "export/export_to_header.h"
#include "model/tileset/tileset_registry.h"
#include "support/page_files.h"
#include "test_maps.h"
#include "viewer_rom.h"
#include "viewer_views.h"

namespace qarto::gba {
namespace {

struct ExportedMapCase {
  std::string name;
  bool (*build)(TestSession&, std::string& problem);
  int bankOffset = 0;
  int tileOffset = 0;
};

// Test names instead of the bytes of the case in gtest's messages.
void PrintTo(const ExportedMapCase& c, std::ostream* out) { *out << c.name; }

const ExportedMapCase kCases[] = {
    {"ExampleMap", loadExampleMap, 0, 0},
    {"ExampleMapAtOffsets", loadExampleMap, 3, 1000},
    {"FlipsAndPalettes", buildFlipsAndPalettes, 0, 0},
    {"FlipsAndPalettesAtOffsets", buildFlipsAndPalettes, 5, 300},
};

viewer_params paramsFor(const ExportedMapCase& c, const std::vector<const MapLayer*>& layers, const ViewerView& view) {
  viewer_params params{};
  params.bank_offset = static_cast<std::uint16_t>(c.bankOffset);
  params.tile_offset = static_cast<std::uint16_t>(c.tileOffset);
  params.layer_count = static_cast<std::uint16_t>(layers.size());
  for (std::size_t i = 0; i < layers.size(); ++i) {
    params.layers[i] = {layers[i]->width, layers[i]->height, static_cast<std::uint16_t>(view[i].x),
                        static_cast<std::uint16_t>(view[i].y)};
  }
  return params;
}

// Empty when the frames agree; otherwise the layer scrolls, the number of
// wrong pixels and the first of them.
std::string frameDifference(const ViewerView& view, const Frame& shown, const Frame& expected) {
  int wrong = 0;
  std::ostringstream text;
  for (std::size_t at = 0; at < shown.size(); ++at) {
    if (shown[at] == expected[at] || wrong++ > 0) continue;
    text << "first at (" << at % kScreenWidth << ", " << at / kScreenWidth << "): 0x" << std::hex << shown[at]
         << " instead of 0x" << expected[at] << std::dec << "; layer scrolls";
    for (const LayerScroll& scroll : view) text << " (" << scroll.x << ", " << scroll.y << ")";
  }
  return wrong == 0 ? "" : std::to_string(wrong) + " pixels wrong, " + text.str();
}

class ExportedMapOnGba : public ::testing::TestWithParam<ExportedMapCase> {};

TEST_P(ExportedMapOnGba, ShowsWhatTheMapModelGivesOnEveryScreen) {
  const ExportedMapCase& c = GetParam();
  TestSession s;
  std::string problem;
  ASSERT_TRUE(c.build(s, problem)) << problem;

  test::TempFolder folder;
  ExportOptions options;
  options.directory = folder.file("export");
  options.bankOffset = c.bankOffset;
  options.tileOffset = c.tileOffset;
  ASSERT_TRUE(exportToHeaders(s.session, options).success) << s.services.lastText();

  const std::vector<const MapLayer*> layers = tileLayers(s.session.project());
  ASSERT_FALSE(layers.empty());
  ASSERT_LE(layers.size(), static_cast<std::size_t>(VIEWER_MAX_LAYERS));
  const ViewerRom rom = buildViewerRom({QARTO_ARM_GCC, QARTO_ARM_OBJCOPY}, options.directory,
                                       static_cast<int>(layers.size()), folder.path());
  ASSERT_FALSE(rom.image.empty()) << rom.log;

  int failingViews = 0;
  for (const ViewerView& view : coveringViews(layers)) {
    const EmulatorFrame shown = runViewer(rom.image, paramsFor(c, layers, view));
    ASSERT_FALSE(shown.pixels.empty()) << shown.error;
    const Frame expected = expectedFrame(s.session.registry(), layers, view);
    const std::string difference = frameDifference(view, shown.pixels, expected);
    EXPECT_EQ(difference, "");
    // Two wrong screens tell the story; stop before the log fills up.
    if (!difference.empty() && ++failingViews == 2) break;
  }
}

INSTANTIATE_TEST_SUITE_P(DefaultTemplates, ExportedMapOnGba, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ExportedMapCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qarto::gba
