// The Palette Remapper against what must not change: the page's picture
// (each pixel's colour, or transparent) and the map's cells showing the
// tiles of the rows they name; one undo step each; a merge that does not fit
// says so and changes nothing; brushes follow.
#include "edit/palette/brush_palettes.h"
#include "edit/palette/palette_remapper.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

using Picture = std::vector<std::array<int, 3>>;

// Each pixel's colour as the page shows it; colour 0 of a row is transparent.
Picture pictureOf(const Tileset& page) {
  Picture picture;
  for (const std::uint8_t index : page.pixels) {
    if (index % 16 == 0) {
      picture.push_back({-1, -1, -1});
    } else {
      picture.push_back({page.palette[index * 3], page.palette[index * 3 + 1], page.palette[index * 3 + 2]});
    }
  }
  return picture;
}

TEST(PaletteRemapper, MovesAndMergesKeepThePictureAndTheMapAsOneUndoStep) {
  const struct {
    bool merge;
    int from, to;
    std::vector<int> rows;  // the palette rows of the four cells afterwards
    const char* refusal;
  } cases[] = {
      {false, 1, 4, {4, 1, 2, 5}, nullptr},
      {false, 5, 0, {2, 3, 4, 0}, nullptr},
      {true, 2, 1, {1, 1, 3, 5}, nullptr},  // row 2's first colour is in row 1 already: 4 colours in all
      {true, 3, 1, {1, 2, 3, 5},
       "Rows 3 and 1 use 18 colours together; a row holds 15 besides the transparent colour 0.\n\nNothing was "
       "changed."},
  };
  for (const auto& c : cases) {
    EngineFixture f;
    // Four tiles: row 1 with colours 0-3, row 2 with 0-2, row 3 with all of 1-15, row 5 with 0-1.
    Tileset& page = f.page(32, 8, [](int x, int y) {
      const int tile = x / 8;
      return static_cast<std::uint8_t>(tile == 0   ? 16 + (x + y) % 4
                                       : tile == 1 ? 32 + (x + y) % 3
                                       : tile == 2 ? 48 + 1 + (x + y * 8) % 15
                                                   : 80 + x % 2);
    });
    for (int channel = 0; channel < 3; ++channel) page.palette[(32 + 1) * 3 + channel] = page.palette[(16 + 2) * 3 + channel];
    MapLayer& level = f.layer("Level", 4, 1, LayerKind::Primary);
    for (int x = 0; x < 4; ++x) level.cell(x, 0) = MapCell{static_cast<std::int16_t>(x), static_cast<std::int8_t>(page.id), tilePaletteRow(page, x), 0, 0, 0};
    f.state().brushes.forTileset(page.id)->add(page, 1, 0, 1, false, false);
    const auto before = std::tuple(page.pixels, page.palette, level.cells);
    const Picture picture = pictureOf(page);

    const bool done = c.merge ? mergePaletteRows(f.engine->session(), page.id, c.from, c.to)
                              : movePaletteRow(f.engine->session(), page.id, c.from, c.to);
    resyncBrushPalettes(f.state().brushes, f.project().registry());
    std::vector<int> rows;
    for (const MapCell& cell : level.cells) rows.push_back(cell.palette);
    EXPECT_EQ(std::tuple(done, rows, pictureOf(page), f.journal().size(), f.project().modified),
              std::tuple(c.refusal == nullptr, c.rows, picture, done ? 1u : 0u, done))
        << c.from << (c.merge ? " into " : " to ") << c.to;
    for (int x = 0; x < 4; ++x) EXPECT_EQ(level.cell(x, 0).palette, tilePaletteRow(page, x)) << "cell " << x;
    EXPECT_EQ(f.state().brushes.forTileset(page.id)->placement(0).palette, c.rows[1]);
    if (c.refusal != nullptr) {
      EXPECT_EQ(f.services.messages,
                std::vector{shown(c.refusal, MessageIcon::Warning, " - Palette Remapper")});
      EXPECT_EQ(std::tuple(page.pixels, page.palette, level.cells), before);
      continue;
    }
    if (c.merge) {
      EXPECT_EQ(usedColours(page)[c.from], 0);  // the merged row is free
    }
    const auto after = std::tuple(page.pixels, page.palette, level.cells);
    f.run(cmd::kUndo);
    EXPECT_EQ(std::tuple(page.pixels, page.palette, level.cells), before);
    EXPECT_EQ(f.state().brushes.forTileset(page.id)->placement(0).palette, 2);
    f.run(cmd::kRedo);
    EXPECT_EQ(std::tuple(page.pixels, page.palette, level.cells), after);
  }
}

}  // namespace
}  // namespace qarto::test
