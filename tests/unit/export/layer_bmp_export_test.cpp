#include "export/layer_bmp_export.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "io/atomic_file.h"
#include "io/file_bytes.h"
#include "model/allocation.h"
#include "model/app_title.h"
#include "model/memory_settings_store.h"
#include "reduction_fixture.h"

namespace qarto::test {
namespace {

namespace fs = std::filesystem;

void putU32(std::vector<std::uint8_t>& bytes, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void putU16(std::vector<std::uint8_t>& bytes, std::uint16_t v) {
  bytes.push_back(static_cast<std::uint8_t>(v));
  bytes.push_back(static_cast<std::uint8_t>(v >> 8));
}

class LayerBmp : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::path(::testing::TempDir()) / ("qarto_layer_bmp_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    path = (dir / "layer.bmp").string();
  }
  void TearDown() override { fs::remove_all(dir); }

  std::vector<std::uint8_t> fileBytes() {
    std::vector<std::uint8_t> bytes;
    readFileBytes(path, bytes);
    return bytes;
  }
  bool exportLayer(const MapLayer* layer) { return exportLayerToBmpFile(layer, fx.registry, fx.services, path); }
  void expectWarning(const char* text) {
    ASSERT_EQ(fx.services.messages.size(), 1u);
    EXPECT_EQ(fx.services.lastMessage().text, text);
    EXPECT_EQ(fx.services.lastMessage().caption, "Qarto v0.99");
    EXPECT_EQ(fx.services.lastMessage().icon, MessageIcon::Warning);
  }

  ExportFixture fx;
  fs::path dir;
  std::string path;
};

TEST_F(LayerBmp, SmallMapGoldenBytes) {
  Tileset& page = fx.addPage(makePage(1, 2));
  const Pixels first = tilePixels([](int x, int y) { return 0x20 | ((x + 3 * y) & 15); });
  const Pixels second = tilePixels([](int x, int y) { return 0x50 | ((x * y) & 15); });
  setTile(page, 0, first);
  setTile(page, 1, second);
  copyRow(page, 5, page, 2);
  setColour(page, 5, 0, 9, 9, 9);  // differs only in colour 0: shares row 2's block
  // Row 0: tile 0 (row 2), tile 1 mirrored (row 3); row 1: tile 1 flipped both (row 5), tile 0 (row 2).
  const MapLayer& layer = fx.addLayer(makeLayer(
      LayerKind::Primary, 2, 2, {cellOf(1, 0, 2), cellOf(1, 1, 3, true), cellOf(1, 1, 5, true, true), cellOf(1, 0, 2)}));
  ASSERT_TRUE(exportLayer(&layer));
  EXPECT_TRUE(fx.services.messages.empty());
  EXPECT_EQ(fx.services.beeps, std::vector<int>{240});

  std::vector<std::uint8_t> expected = {'B', 'M'};
  putU32(expected, 16 * 16 + 1078);
  putU32(expected, 0);
  putU32(expected, 1078);
  putU32(expected, 40);
  putU32(expected, 16);
  putU32(expected, 16);
  putU16(expected, 1);
  putU16(expected, 8);
  for (std::uint32_t v : {0u, 0u, 10u, 10u, 256u, 256u}) putU32(expected, v);
  for (int block = 0; block < 16; ++block) {
    for (int colour = 0; colour < 16; ++colour) {
      const int row = block == 0 ? 2 : 3;
      if (block < 2) {  // blue, green, red, 0 as makePage coloured them
        expected.insert(expected.end(), {1, static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(row), 0});
      } else {
        expected.insert(expected.end(), {0, 0, 0, 0});
      }
    }
  }
  auto pixel = [&](int x, int y) -> std::uint8_t {  // image pixel, rows from the top
    const int tx = x % 8, ty = y % 8;
    if (y < 8) return x < 8 ? first[ty * 8 + tx] & 15 : 16 | (second[ty * 8 + 7 - tx] & 15);
    return x < 8 ? second[(7 - ty) * 8 + 7 - tx] & 15 : first[ty * 8 + tx] & 15;
  };
  for (int y = 15; y >= 0; --y)
    for (int x = 0; x < 16; ++x) expected.push_back(pixel(x, y));
  EXPECT_EQ(fileBytes(), expected);
}

TEST_F(LayerBmp, ScreenSizedLayerFileSize) {
  fx.addPage(makePage(1, 1));
  const MapLayer& layer = fx.addLayer(makeLayer(LayerKind::Primary, 30, 20, std::vector<MapCell>(600, cellOf(1, 0))));
  ASSERT_TRUE(exportLayer(&layer));
  const auto bytes = fileBytes();
  ASSERT_EQ(bytes.size(), 39478u);
  EXPECT_EQ(loadU32(&bytes[18]), 240u);
  EXPECT_EQ(loadU32(&bytes[22]), 160u);
}

TEST_F(LayerBmp, SixteenPalettesFillTheTableSeventeenAreRefused) {
  fx.addPage(makePage(1, 1));
  fx.addPage(makePage(2, 1));
  std::vector<MapCell> cells;
  for (int row = 0; row < 16; ++row) cells.push_back(cellOf(1, 0, row));
  MapLayer& layer = fx.addLayer(rowLayer(cells, false, LayerKind::Collision));
  ASSERT_TRUE(exportLayer(&layer));
  const auto bytes = fileBytes();
  for (std::size_t entry = 0; entry < 256; ++entry) {
    EXPECT_EQ(bytes[54 + entry * 4 + 2], entry >> 4);  // red: the row
    EXPECT_EQ(bytes[54 + entry * 4 + 1], entry & 15);  // green: the colour
  }
  fs::remove(path);
  cells.push_back(cellOf(2, 0, 0));
  MapLayer& more = fx.addLayer(rowLayer(cells));
  EXPECT_FALSE(exportLayer(&more));
  expectWarning(kTooManyLayerPalettesMessage);
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(LayerBmp, ThreePalettesLeaveTheRestOfTheTableZero) {
  fx.addPage(makePage(1, 1));
  MapLayer& layer = fx.addLayer(rowLayer({cellOf(1, 0, 4), cellOf(1, 0, 1), cellOf(1, 0, 9), cellOf(1, 0, 1)}));
  ASSERT_TRUE(exportLayer(&layer));
  const auto bytes = fileBytes();
  for (std::size_t i = 54 + 48 * 4; i < 1078; ++i) ASSERT_EQ(bytes[i], 0) << i;
  for (std::size_t i = 1078; i < bytes.size(); ++i) ASSERT_LE(bytes[i], 0x2f);
}

TEST_F(LayerBmp, Refusals) {
  fx.addPage(makePage(1, 1));
  EXPECT_FALSE(exportLayer(nullptr));
  expectWarning(kNoActiveLayerMessage);

  fx.services.messages.clear();
  auto entities = std::make_unique<MapLayer>();
  entities->kind = LayerKind::Entity;
  EXPECT_FALSE(exportLayer(&fx.addLayer(std::move(entities))));
  expectWarning(kOnlyTileLayersMessage);

  fx.services.messages.clear();
  EXPECT_FALSE(exportLayer(&fx.addLayer(rowLayer({cellOf(4, 0), cellOf(5, 0)}))));
  expectWarning(kNoPalettesMessage);
  EXPECT_FALSE(fs::exists(path));
  EXPECT_TRUE(fx.services.beeps.empty());
}

TEST_F(LayerBmp, MissingPageLeavesTheTargetUntouched) {
  fx.addPage(makePage(1, 1));
  const std::vector<std::uint8_t> old = {'o', 'l', 'd'};
  ASSERT_TRUE(writeFileAtomically(path, old.data(), old.size()));
  EXPECT_FALSE(exportLayer(&fx.addLayer(rowLayer({cellOf(1, 0), cellOf(3, 0)}))));
  expectWarning(kMissingTilesetMessage);
  EXPECT_EQ(fileBytes(), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // no temporary left
}

TEST_F(LayerBmp, UnwritableFolderAndFailedBuffer) {
  fx.addPage(makePage(1, 1));
  MapLayer& layer = fx.addLayer(rowLayer({cellOf(1, 0)}));
  path = (dir / "missing" / "layer.bmp").string();
  EXPECT_FALSE(exportLayer(&layer));
  expectWarning(kBmpOpenFailedMessage);

  fx.services.messages.clear();
  ScopedAllocationLimit limit(32);
  EXPECT_FALSE(exportLayer(&layer));
  expectWarning(kBmpBufferFailedMessage);
}

TEST_F(LayerBmp, CommandAsksForTheFileInTheTilesetFolder) {
  MemorySettingsStore settings;
  settings.writeInt("Settings", "UseDefTilesetPath", 0);
  settings.writeText("Settings", "LastTilesetPath", "/pages");
  fx.addPage(makePage(1, 1));
  fx.project.activeLayer = &fx.addLayer(rowLayer({cellOf(1, 0)}));

  EXPECT_FALSE(ExportLayerToBmp(fx.project, settings));  // cancelled: quiet
  ASSERT_EQ(fx.services.saveRequests.size(), 1u);
  EXPECT_EQ(fx.services.saveRequests[0].title, "Export Layer To BMP");
  EXPECT_EQ(fx.services.saveRequests[0].filter, "Bitmap Files(*.bmp)|*.bmp||");
  EXPECT_EQ(fx.services.saveRequests[0].defaultExtension, ".bmp");
  EXPECT_EQ(fx.services.saveRequests[0].initialFolder, "/pages");
  EXPECT_TRUE(fx.services.messages.empty());

  fx.services.saveFileAnswers.push_back(path);
  EXPECT_TRUE(ExportLayerToBmp(fx.project, settings));
  EXPECT_EQ(settings.readText("Settings", "LastTilesetPath", ""), dir.string());
  EXPECT_EQ(fileBytes().size(), 64u + 1078u);
}

TEST_F(LayerBmp, CommandRefusesBeforeTheChooser) {
  MemorySettingsStore settings;
  EXPECT_FALSE(ExportLayerToBmp(fx.project, settings));
  expectWarning(kNoActiveLayerMessage);
  EXPECT_TRUE(fx.services.saveRequests.empty());
}

}  // namespace
}  // namespace qarto::test
