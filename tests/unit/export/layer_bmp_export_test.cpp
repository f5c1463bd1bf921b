#include "export/layer_bmp_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "io/files/atomic_file.h"
#include "model/allocation.h"
#include "reduction_fixture.h"
#include "support/byte_builder.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

namespace fs = std::filesystem;

struct LayerBmp : ::testing::Test {
  bool exportLayer(const MapLayer* layer) { return exportLayerToBmpFile(layer, fx.registry, fx.services, path); }
  ExportFixture fx;
  TempFolder dir;
  std::string path = dir.file("layer.bmp");
};

TEST_F(LayerBmp, SmallMapMatchesAPictureDrawnFromTheCells) {
  Tileset& page = fx.addPage(makePage(1, 2));
  const Pixels first = tilePixels([](int x, int y) { return 0x20 | ((x + 3 * y) & 15); });
  const Pixels second = tilePixels([](int x, int y) { return 0x50 | ((x * y) & 15); });
  setTile(page, 0, first);
  setTile(page, 1, second);
  copyRow(page, 5, page, 2);
  setColour(page, 5, 0, 9, 9, 9);  // differs only in colour 0: shares row 2's block
  // Row 0: tile 0 (row 2), tile 1 mirrored (row 3); row 1: tile 1 flipped both (row 5), tile 0 (row 2).
  const MapLayer& layer =
      fx.addLayer(rowLayer({cellOf(1, 0, 2), cellOf(1, 1, 3, true), cellOf(1, 1, 5, true, true), cellOf(1, 0, 2)},
                           false, LayerKind::Primary, 2));
  ASSERT_TRUE(exportLayer(&layer));
  EXPECT_TRUE(fx.services.messages.empty());
  EXPECT_EQ(fx.services.beeps, std::vector<int>{240});

  // 16 x 16, 8 bits, 10 pixels per metre, 256 colours; sixteen blocks of 16 colours, two of them used.
  ByteBuilder header;
  header.text("BM").i32(16 * 16 + 1078).i32(0).i32(1078);
  header.i32(40).i32(16).i32(16).u16(1).u16(8).zeros(8).i32(10).i32(10).i32(256).i32(256);
  std::vector<std::uint8_t> expected = header.data;
  for (int entry = 0; entry < 256; ++entry) {  // blue, green, red, 0 as makePage coloured rows 2 and 3
    const auto used = static_cast<std::uint8_t>(entry < 32);
    expected.insert(expected.end(), {used, static_cast<std::uint8_t>(used * (entry % 16)),
                                     static_cast<std::uint8_t>(used * (entry / 16 + 2)), 0});
  }
  auto pixel = [&](int x, int y) -> std::uint8_t {  // image pixel, rows from the top
    const int tx = x % 8, ty = y % 8;
    if (y < 8) return x < 8 ? first[ty * 8 + tx] & 15 : 16 | (second[ty * 8 + 7 - tx] & 15);
    return x < 8 ? second[(7 - ty) * 8 + 7 - tx] & 15 : first[ty * 8 + tx] & 15;
  };
  for (int y = 15; y >= 0; --y)
    for (int x = 0; x < 16; ++x) expected.push_back(pixel(x, y));
  EXPECT_EQ(readBytes(path), expected);
}

// Every refusal and failure: its warning, no file, an older file kept as it was.
TEST_F(LayerBmp, RefusalsAndFailuresLeaveTheTargetUntouched) {
  fx.addPage(makePage(1, 1));
  std::vector<MapCell> seventeen;
  for (int row = 0; row < 16; ++row) seventeen.push_back(cellOf(1, 0, row));
  fx.addPage(makePage(2, 1));
  seventeen.push_back(cellOf(2, 0, 0));
  auto entities = std::make_unique<MapLayer>();
  entities->kind = LayerKind::Entity;
  const std::vector<std::uint8_t> old = {'o', 'l', 'd'};
  ASSERT_TRUE(writeFileAtomically(path, old.data(), old.size()));
  const MapLayer* one = &fx.addLayer(rowLayer({cellOf(1, 0)}));
  const struct {
    const MapLayer* layer;
    std::string path;
    std::size_t allocationLimit;
    const char* message;
  } cases[] = {
      {nullptr, path, kDefaultAllocationLimit, "No active layer was present.  There is nothing to export."},
      {&fx.addLayer(std::move(entities)), path, kDefaultAllocationLimit,
       "Only normal tile layers can be exported to a BMP!"},
      {&fx.addLayer(rowLayer({cellOf(4, 0), cellOf(5, 0)})), path, kDefaultAllocationLimit,
       "Error!  No palettes were detected!"},
      {&fx.addLayer(rowLayer(seventeen)), path, kDefaultAllocationLimit,
       "Error!  More than 16 palettes were detected on this layer.  It cannot be exported to a 256 colour bmp!"},
      {&fx.addLayer(rowLayer({cellOf(1, 0), cellOf(3, 0)})), path, kDefaultAllocationLimit,
       "Expected a tileset, but couldn't find a suitable one!"},
      {one, dir.file("missing/layer.bmp"), kDefaultAllocationLimit,
       "The file could not be opened for output! It may be locked by another application or marked read-only."},
      {one, path, 32, "Memory allocation failed when trying to create an output buffer!"},
  };
  for (const auto& c : cases) {
    fx.services.messages.clear();
    ScopedAllocationLimit limit(c.allocationLimit);
    EXPECT_FALSE(exportLayerToBmpFile(c.layer, fx.registry, fx.services, c.path));
    EXPECT_EQ(fx.services.messages, std::vector{shown(c.message, MessageIcon::Warning)});
  }
  EXPECT_EQ(readBytes(path), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);  // no temporary left
  EXPECT_TRUE(fx.services.beeps.empty());
}

}  // namespace
}  // namespace qarto::test
