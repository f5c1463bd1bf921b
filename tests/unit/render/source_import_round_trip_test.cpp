// Export, then Import Layer from .h/.c/.cpp: every exported map array with
// its palette and tiles draws the picture of the layer it came from.
#include <gtest/gtest.h>

#include <fstream>

#include "edit/layers/source/source_layer_import.h"
#include "export/export_to_header.h"
#include "model/tileset/tileset.h"
#include "render_fixture.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

// Each array of an exported file into a file of its own (the default
// templates give both tile groups the same name).
std::vector<std::string> arraysOf(const TempFolder& folder, const std::string& name) {
  const std::string text = readText(folder.file(name));
  std::vector<std::string> paths;
  for (std::size_t start = 0, end = 0; (end = text.find("};", start)) != std::string::npos; start = end + 2) {
    paths.push_back(folder.file(name + std::to_string(paths.size()) + ".c"));
    std::ofstream(paths.back()) << text.substr(start, end + 2 - start);
  }
  return paths;
}

class SourceImportRoundTrip : public RenderFixture {
 protected:
  // The frame with only `shown` visible, each channel reduced to 5 bits.
  std::vector<std::uint8_t> soloFrame(const MapLayer* shown) {
    for (const auto& layer : project().layers()) layer->visible = layer.get() == shown;
    std::vector<std::uint8_t> rgb = rgbOf(draw(false, false));
    for (std::uint8_t& channel : rgb) channel >>= 3;
    return rgb;
  }
};

TEST_F(SourceImportRoundTrip, FlipsSeveralPalettesAndTwoTileGroups) {
  const Tileset* forest = addPage("forest", 128, 64, 3);
  const Tileset* cave = addPage("cave", 64, 32, 8);
  MapLayer& level = addLayer("Level", 34, 22);
  MapLayer& back = addLayer("Back", 31, 24, 1.0f, LayerKind::Secondary);
  back.tileGrouping = 1;
  // Six tiles of each page (six palette rows each), every flip.
  auto cell = [](const Tileset* page, int tile, int flips) {
    return MapCell{static_cast<std::int16_t>(tile),  static_cast<std::int8_t>(page->id),
                   tilePaletteRow(*page, tile),      0,
                   static_cast<std::uint8_t>(flips), 0};
  };
  fill(level, [&](int x, int y) { return cell(forest, (x * 5 + y) % 6, (x + 2 * y) % 4); });
  fill(back, [&](int x, int y) { return cell(cave, (x + y * 7) % 6, (x * y) % 4); });

  TempFolder folder;
  ExportOptions options;
  options.directory = folder.path();
  ASSERT_TRUE(exportToHeaders(engine().session(), options).success);
  const std::vector<std::string> tiles = arraysOf(folder, "BG_Tiles.cpp");
  const std::vector<std::string> maps = arraysOf(folder, "BG_Maps.cpp");
  ASSERT_EQ(std::tuple(tiles.size(), maps.size()), std::tuple(2u, 2u));

  // Map arrays come bottom layer first: Back (group 2), then Level (group 1).
  const std::tuple<MapLayer*, std::string, std::string> arrays[] = {{&back, maps[0], tiles[1]},
                                                                    {&level, maps[1], tiles[0]}};
  for (const auto& [original, map, tileArray] : arrays) {
    const SourceLayerImport imported = importSourceLayer(
        engine().session(), {{folder.file("BG_Palette.cpp"), ""}, {tileArray, ""}, {map, ""}, original->width});
    ASSERT_NE(imported.layer, nullptr) << services_.lastText();
    EXPECT_EQ(std::tuple(imported.layer->width, imported.layer->height), std::tuple(original->width, original->height));
    EXPECT_TRUE(samePicture(soloFrame(imported.layer), soloFrame(original), width_)) << original->nameText();
  }
}

}  // namespace
}  // namespace qarto::test
