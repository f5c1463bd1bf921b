#include <gtest/gtest.h>

#include "edit/layers/layer_import.h"
#include "edit/layers/page_layer_fill.h"
#include "layers_fixture.h"
#include "support/page_files.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

// A 24 x 16 image: six tiles, tile t drawn in colour 2 of palette row
// (t + 3) % 16.
IndexedImage sixTiles() {
  return makePage(24, 16, [](int x, int y) {
    const int t = tileAt(24, x, y);
    return static_cast<std::uint8_t>(((t + 3) % 16) << 4 | 2);
  });
}

struct ImportMap : LayersFixture {
  TempFolder folder;
  MapLayer& level = layer("Level", 30, 20, LayerKind::Primary);
  ImportMap() {
    settings.writeInt("Settings", "UseDefTilesetPath", 0);
    settings.writeText("Settings", "LastTilesetPath", "/somewhere");
  }
};

TEST(ImportLayer, AddsALayerThatShowsTheImageTileByTileAndUndoRemovesIt) {
  ImportMap f;
  const std::string path = writePage(f.folder, "scenery.bmp", sixTiles());
  f.services.openFileAnswers.push_back({path});

  MapLayer* layer = importImageAsLayer(f.session);
  ASSERT_NE(layer, nullptr);
  ASSERT_EQ(f.services.openRequests.size(), 1u);
  const FileChooserRequest& request = f.services.openRequests[0];
  EXPECT_EQ(request.title, "Import Tileset As Layer");
  EXPECT_EQ(request.filter, "All Supported Tileset Formats|*.bmp;*.pcx|Bitmaps (*.bmp)|*.bmp|ZSoft PCX (*.pcx)|*.pcx||");
  EXPECT_EQ(request.defaultExtension, ".bmp");
  EXPECT_EQ(request.initialFolder, "/somewhere");
  EXPECT_FALSE(request.multiple);

  EXPECT_EQ(layer->nameText(), "BMP_tilepage");
  EXPECT_EQ(layer->kind, LayerKind::Secondary);
  EXPECT_EQ(layer->width, 3);
  EXPECT_EQ(layer->height, 2);
  EXPECT_FLOAT_EQ(layer->parallaxX, 1.0f);
  const Tileset* page = f.session.registry().find(2);
  ASSERT_NE(page, nullptr);
  for (int i = 0; i < 6; ++i) {
    const MapCell& cell = layer->cells[static_cast<std::size_t>(i)];
    EXPECT_EQ(cell.tile, i);
    EXPECT_EQ(cell.tileset, 2);
    EXPECT_EQ(cell.palette, (i + 3) % 16);
    EXPECT_EQ(cell.flags, 0);
  }
  EXPECT_TRUE(f.project().modified);
  EXPECT_EQ(f.project().activeLayer, &f.level);
  EXPECT_EQ(f.settings.readText("Settings", "LastTilesetPath", ""), f.folder.path());

  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(f.order(), "Level");
  EXPECT_NE(f.session.registry().find(2), nullptr) << "the page stays loaded";
}

TEST(ImportLayer, CancellingTheChooserOrAFailedLoadAddsNoLayer) {
  ImportMap f;
  f.services.openFileAnswers.push_back({});
  EXPECT_EQ(importImageAsLayer(f.session), nullptr);
  EXPECT_TRUE(f.services.messages.empty());

  const std::string bad = f.folder.file("notes.bmp");
  writeBytes(bad, {1, 2, 3});
  f.services.openFileAnswers.push_back({bad});
  EXPECT_EQ(importImageAsLayer(f.session), nullptr);
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Tile Load Error");
  EXPECT_EQ(f.order(), "Level");
  EXPECT_FALSE(f.project().modified);
}

TEST(ImportLayer, UnoptimizedModeRefusesASecondPageAsOpenTilesetsDoes) {
  ImportMap f;
  f.project().unoptimizedMode = true;
  f.numberedPage();
  f.services.openFileAnswers.push_back({writePage(f.folder, "scenery.bmp", sixTiles())});
  EXPECT_EQ(importImageAsLayer(f.session), nullptr);
  EXPECT_EQ(f.services.lastText(),
            "Unoptimized mode only allows one tileset to be loaded at a time.  Collision tiles Do Not count as a "
            "regular texture tileset.");
  EXPECT_TRUE(f.services.openRequests.empty());
  EXPECT_EQ(f.order(), "Level");
}

TEST(PageLayerFill, TilesACellCannotHoldKeepTheCellAsItWas) {
  Tileset page;
  page.id = 3;
  page.imageWidth = 8;
  page.imageHeight = 8 * 40000;
  page.pixels.assign(static_cast<std::size_t>(page.imageWidth) * page.imageHeight, 0x51);
  computeTilesetGeometry(page);
  ASSERT_EQ(page.tileCount, 40000);
  MapLayer layer;
  layer.width = 1;
  layer.height = 40000;
  layer.cells.assign(40000, distinctCell(7));
  fillLayerFromPage(layer, page);
  EXPECT_EQ(layer.cells[32767].tile, 32767);
  EXPECT_EQ(layer.cells[32767].tileset, 3);
  EXPECT_EQ(layer.cells[32767].palette, 5);
  EXPECT_EQ(layer.cells[32768], distinctCell(7));
}

}  // namespace
}  // namespace qarto::test
