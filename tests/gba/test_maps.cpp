#include "test_maps.h"

#include <algorithm>
#include <memory>
#include <random>

#include "edit/session/map_file_commands.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "support/page_files.h"

namespace qarto::gba {
namespace {

constexpr int kPageTilesAcross = 16;
constexpr int kLevelRows = 6;  // palette rows the parallax level uses

// Raw mt19937 output is the same on every platform (distributions are not).
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : engine_(seed) {}
  int below(int limit) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(limit)); }

 private:
  std::mt19937 engine_;
};

std::uint8_t& pagePixel(Tileset& page, int tile, int x, int y) {
  const int pageX = (tile % kPageTilesAcross) * 8 + x;
  const int pageY = (tile / kPageTilesAcross) * 8 + y;
  return page.pixels[static_cast<std::size_t>(pageY) * page.imageWidth + pageX];
}

// A random pixel index: clear about one time in three, sometimes with high
// bits that only an 8-bit page has.
std::uint8_t randomIndex(Dice& dice) {
  const int low = dice.below(3) == 0 ? 0 : 1 + dice.below(15);
  const int high = dice.below(4) == 0 ? dice.below(16) : 0;
  return static_cast<std::uint8_t>(high << 4 | low);
}

Tileset& addPage(TestSession& s, int id, std::uint32_t seed) {
  Dice dice(seed);
  const int width = kPageTilesAcross * 8;
  auto page = test::makeTileset(
      id, width, kPageTiles / kPageTilesAcross * 8,
      [&](int x, int y) { return test::tileAt(width, x, y) == 0 ? std::uint8_t{0} : randomIndex(dice); },
      [&](std::size_t) { return static_cast<std::uint8_t>(dice.below(256)); });
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const std::uint8_t source = pagePixel(*page, kMirroredTile, x, y);
      pagePixel(*page, 2, 7 - x, y) = source;
      pagePixel(*page, 3, x, 7 - y) = source;
      pagePixel(*page, 4, 7 - x, 7 - y) = source;
      pagePixel(*page, 5, x, y) = static_cast<std::uint8_t>((source & 0x0F) | 0xA0);
      if (x < 4) pagePixel(*page, kSymmetricTile, 7 - x, y) = pagePixel(*page, kSymmetricTile, x, y);
    }
  }
  // Row 3 is row 1 with another colour 0: the export keeps one of them.
  for (int i = 3; i < 48; ++i) page->palette[3 * 16 * 3 + i] = page->palette[1 * 16 * 3 + i];

  s.project().tilesetsLoaded = true;
  s.project().lastTilesetId = id;
  return s.registry().insert(std::move(page));
}

// Random cells: any tile, palette rows below `rows`, any flips, on the given
// pages; one cell in `blankOneIn` is the blank tile.
void fillRandomly(MapLayer& layer, Dice& dice, const std::vector<int>& pages, int rows, int blankOneIn) {
  for (MapCell& cell : layer.cells) {
    cell.tileset =
        static_cast<std::int8_t>(pages[static_cast<std::size_t>(dice.below(static_cast<int>(pages.size())))]);
    cell.tile = static_cast<std::int16_t>(dice.below(blankOneIn) == 0 ? 0 : dice.below(kPageTiles));
    cell.palette = static_cast<std::uint8_t>(dice.below(rows));
    cell.flags = static_cast<std::uint8_t>(dice.below(4));
  }
}

void addTwoPages(TestSession& s) {
  Tileset& first = addPage(s, 2, 11);
  addPage(s, 3, 12);
  Tileset& second = *s.registry().find(3);
  // Page 3's row 2 repeats page 2's row 5 in colours 1..15.
  for (int i = 3; i < 48; ++i) second.palette[2 * 16 * 3 + i] = first.palette[5 * 16 * 3 + i];
}

}  // namespace

bool loadExampleMap(TestSession& session, std::string& problem) {
  if (!loadMap(session.session, std::string(QARTO_SOURCE_DIR) + "/examples/demo.qrm")) {
    problem = session.services.lastText();
    return false;
  }
  return true;
}

bool buildFlipsAndPalettes(TestSession& s, std::string&) {
  addTwoPages(s);

  MapLayer& layer = s.addLayer(LayerKind::Primary, "Level", 30, 20);
  Dice dice(13);
  fillRandomly(layer, dice, {2, 3}, 6, 8);
  // The first rows show the mirrored family and the symmetric tile under
  // every combination of cell flips, on both pages.
  int x = 0;
  for (int page : {2, 3}) {
    for (int tile = kMirroredTile; tile <= kSymmetricTile; ++tile) {
      for (std::uint8_t flips = 0; flips < 4; ++flips) {
        MapCell& cell = layer.cell(x % 30, x / 30);
        cell.tileset = static_cast<std::int8_t>(page);
        cell.tile = static_cast<std::int16_t>(tile);
        cell.flags = flips;
        cell.palette = static_cast<std::uint8_t>(x % 6);
        ++x;
      }
    }
  }
  return true;
}

bool buildSmallMap(TestSession& s, std::string&) {
  addTwoPages(s);
  Dice dice(19);
  MapLayer& layer = s.addLayer(LayerKind::Primary, "Small", 25, 15);
  fillRandomly(layer, dice, {2, 3}, 6, 1 << 30);
  for (MapCell& cell : layer.cells) cell.tile = static_cast<std::int16_t>(std::max<int>(cell.tile, 1));
  return true;
}

void buildParallaxLevel(TestSession& s, int width, int height) {
  addTwoPages(s);
  // Each tile drawn in one palette row, as a designer's page is: the editor
  // shows a page's own colours, the GBA those of the cell's row.
  for (int id : {2, 3}) {
    Tileset& page = *s.registry().find(id);
    for (int tile = 0; tile < kPageTiles; ++tile) {
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
          pagePixel(page, tile, x, y) =
              static_cast<std::uint8_t>((tile % kLevelRows) << 4 | (pagePixel(page, tile, x, y) & 0x0F));
    }
  }
  Dice dice(17);
  MapLayer& far = s.addLayer(LayerKind::Secondary, "Far", width / 2 + 16, height / 2 + 11, 0.5f, 0.5f);
  MapLayer& level = s.addLayer(LayerKind::Primary, "Level", width, height);
  fillRandomly(far, dice, {3, 2}, 1, 3);
  fillRandomly(level, dice, {2, 3}, 1, 4);
  for (MapLayer* layer : {&far, &level}) {
    for (MapCell& cell : layer->cells) cell.palette = static_cast<std::uint8_t>(cell.tile % kLevelRows);
  }
}

}  // namespace qarto::gba
