#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "edit/brush/brush.h"
#include "edit/commands/command_ids.h"
#include "edit/commands/editor_commands.h"
#include "edit/entities/entity_record.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "render/art/builtin_art.h"
#include "render_fixture.h"

namespace qarto::test {
namespace {

// The grid against its formula; the outlines,
// boxes, entities and flag icons against small golden pictures.
class DecorationsTest : public RenderFixture {
 protected:
  explicit DecorationsTest(int width = 520, int height = 336) : RenderFixture(width, height) {}

  void SetUp() override {
    RenderFixture::SetUp();
    page_ = addFlatPage("plain", 64, 16);
    ASSERT_NE(page_, nullptr);
  }

  // Empty cells, or the first three flat tiles in diagonals.
  MapLayer& primaryLayer(int width, int height, bool empty = false) {
    MapLayer& layer = addLayer("Primary", width, height);
    fill(layer, [&](int x, int y) {
      return empty ? MapCell{} : MapCell{static_cast<std::int16_t>((x + y) % 3), static_cast<std::int8_t>(page_->id)};
    });
    return layer;
  }

  static int red(const Frame& f, int x, int y) { return f.pixel(x, y)[0]; }

  Tileset* page_ = nullptr;
};

TEST_F(DecorationsTest, GridLinesEveryCellWithScreenBlocks) {
  primaryLayer(64, 40, true);
  project().showMapGrid = true;
  const Frame frame = draw();
  const int y = 4;  // inside the first row of cells, off the horizontal lines
  EXPECT_EQ(red(frame, 3, y), 0);
  EXPECT_EQ(red(frame, 8, y), 63);              // cell line, alpha 63
  EXPECT_NEAR(red(frame, 120, y), 101.4, 1.0);  // every 15 cells, alpha 51 over it
  EXPECT_NEAR(red(frame, 240, y), 147.2, 1.0);  // every 30 cells, thick alpha 76 over both
  EXPECT_NEAR(red(frame, 239, y), 75.8, 1.0);   // the thick line is 3 pixels wide
  EXPECT_NEAR(red(frame, 241, y), 75.8, 1.0);
  EXPECT_NEAR(red(frame, 480, y), 147.2, 1.0);
  int columns = 0;
  for (int x = 0; x < 520; ++x) columns += red(frame, x, y) >= 63 ? 1 : 0;
  EXPECT_EQ(columns,
            65 + 2 + 2 + 1);  // 65 cell lines; the thick ones at 30 and 60 reach a pixel each side, at 0 only right
  // Rows: thick at 0, 20, 40 cells (pixels 0, 160, 320).
  EXPECT_NEAR(red(frame, 4, 160), 147.2, 1.0);
  EXPECT_NEAR(red(frame, 4, 80), 101.4, 1.0);
  EXPECT_EQ(red(frame, 4, 88), 63);
}

class DecorationPicturesTest : public DecorationsTest {
 protected:
  DecorationPicturesTest() : DecorationsTest(200, 140) {}
};

TEST_F(DecorationPicturesTest, RubberStampSelectionOutlineRectangleAndCursorBox) {
  MapLayer& layer = primaryLayer(30, 20);
  view().mapZoom = 2.0f;
  state().tools.tool = ToolKind::RubberStamp;
  Brush& stamp = state().brushes.stamp();
  for (const auto& [x, y] : {std::pair{2, 2}, {3, 2}, {4, 2}, {2, 3}, {2, 4}, {6, 6}}) {
    stamp.add(*page_, x, y, layer.cell(x, y).tile, false, false);
  }
  state().tools.rectangleStarted = true;
  state().tools.rectangleStart = {5, 7};
  view().mouse = {40, 120};  // cell (2, 7)
  const Frame frame = draw();
  EXPECT_TRUE(matchesGolden("stamp_selection", frame));
}

TEST_F(DecorationPicturesTest, EntitiesFacingAndSelectedWhileDragged) {
  // Layers are added at the bottom of the stack: the entities go first.
  MapLayer& entities = addLayer("Entities", 30, 20, 1.0f, LayerKind::Entity);
  primaryLayer(30, 20);
  writeEntity(entities, 0, {true, 0, 1, 40, 80});
  writeEntity(entities, 3, {true, 1, -1, 120, 80});
  writeEntity(entities, 5, {true, 6, 1, 160, 140});
  writeEntity(entities, 7, {false, 3, 1, 60, 150});  // a free slot keeps its bytes but is not drawn
  project().selectedEntity = 5;
  state().entityDrag.dragging = true;
  state().entityDrag.grab = {100, 100};
  view().mouse = {90, 104};  // the selected entity is drawn 10 left, 4 down
  const Frame frame = draw();
  EXPECT_EQ(renderer_.stats().entityQuads, 3);
  EXPECT_TRUE(matchesGolden("entities", frame));
}

// The texel of a 32-pixel icon under the centre of pixel p of a cell of
// `side` pixels; an exact edge counts as the texel after it.
int texelUnderCentre(int p, int side) { return static_cast<int>(std::floor((p + 0.5) * kFlagIconSide / side)); }

TEST_F(DecorationPicturesTest, FlagIconsOfACollisionLayerAtEveryZoom) {
  primaryLayer(30, 20, true);
  MapLayer& collision = addLayer("Collision", 30, 20, 1.0f, LayerKind::Collision);
  collision.cell(1, 1).collision = 1u << 12;                 // solid: icon 15
  collision.cell(3, 1).collision = 1u << 13;                 // jump through
  collision.cell(5, 1).collision = (1u << 12) | (1u << 13);  // both: jump through over solid
  collision.cell(7, 1).collision = 1u << 6;                  // a marker: no icon
  view().mapZoom = 4.0f;
  state().view.showMarkers = false;  // drawn by themselves below
  EXPECT_TRUE(matchesGolden("flag_icons", draw()));
  collision.visible = false;  // hidden collision layers still show their flags
  EXPECT_TRUE(matchesGolden("flag_icons", draw()));
  // Scaled, each pixel shows the icon's texel under its centre.
  const std::vector<std::uint8_t> solid = flagIconPixels(15);
  for (const int side : {8, 16, 24}) {
    view().mapZoom = static_cast<float>(side / 8);
    const Frame frame = draw();
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) {
        const std::size_t texel = texelUnderCentre(y, side) * kFlagIconSide + texelUnderCentre(x, side);
        const std::uint8_t* pixel = frame.pixel(side + x, side + y);
        ASSERT_EQ(pixel[0] != 0 || pixel[2] != 0, solid[texel * 4 + 3] != 0) << side << ": " << x << "," << y;
      }
    }
  }
}

// Markers and damage types, against a drawing made here: where a cell is at
// least 8 pixels, a marker is a square of half the cell in its top-left
// corner, a damage type one in its bottom-right corner, each a one-pixel
// black rim around the kind's colour; nothing anywhere else, nothing in
// smaller cells, nothing with the View toggle off.
TEST_F(DecorationPicturesTest, EveryMarkerAndDamageKindIsDrawnWhereItIsSetAndNowhereElse) {
  struct Kind {
    int x, y;
    std::uint16_t word;
    std::array<std::uint8_t, 3> marker, damage;
  };
  const Kind kinds[] = {{1, 1, 1 << 6, {230, 30, 30}, {}},  // Do Not Enter
                        {3, 1, 2 << 6, {40, 110, 255}, {}},  // Transition Zone
                        {5, 1, 3 << 6, {255, 215, 0}, {}},  {7, 1, 4 << 6, {0, 205, 205}, {}},
                        {1, 3, 5 << 6, {160, 90, 40}, {}},  {3, 3, 1 << 14, {}, {255, 120, 0}},  // Fire
                        {5, 3, 2 << 14, {}, {170, 40, 255}},  {7, 3, (3 << 14) | (40 << 6), {210, 170, 150}, {250, 250, 250}},
                        {2, 5, 1 << 12, {}, {}}};  // Solid alone: an icon, not a marker
  primaryLayer(30, 20, true);
  MapLayer& collision = addLayer("Collision", 30, 20, 1.0f, LayerKind::Collision);
  for (const Kind& k : kinds) collision.cell(k.x, k.y).collision = k.word;
  flags_.clear();  // the icons are another test's
  for (const float zoom : {0.5f, 1.0f, 2.0f, 3.0f}) {
    view().mapZoom = zoom;
    state().view.showMarkers = false;
    const std::vector<std::uint8_t> plain = rgbOf(draw());
    state().view.showMarkers = true;
    std::vector<std::uint8_t> expected = plain;
    const int side = static_cast<int>(8 * zoom);
    const int half = side / 2;
    const auto square = [&](int left, int top, const std::array<std::uint8_t, 3>& colour) {
      for (int y = top; y < top + half; ++y) {
        for (int x = left; x < left + half; ++x) {
          const bool rim = x == left || y == top || x == left + half - 1 || y == top + half - 1;
          for (int c = 0; c < 3; ++c) expected[(static_cast<std::size_t>(y) * 200 + x) * 3 + c] = rim ? 0 : colour[c];
        }
      }
    };
    for (const Kind& k : kinds) {
      if (side < 8) break;
      if (k.word & (63 << 6)) square(k.x * side, k.y * side, k.marker);
      if (k.word >> 14) square((k.x + 1) * side - half, (k.y + 1) * side - half, k.damage);
    }
    EXPECT_TRUE(samePicture(rgbOf(draw()), expected, 200)) << "zoom " << zoom;
  }
  // The View menu's toggle.
  EXPECT_TRUE(EditorCommands(engine()).run(cmd::kShowMarkers));
  EXPECT_FALSE(state().view.showMarkers);
}

}  // namespace
}  // namespace qarto::test
