#include <gtest/gtest.h>

#include "edit/commands/command_table.h"
#include "edit/view/view_geometry.h"
#include "edit/view/view_state.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

// Hand-worked cases: trunc((trunc(scroll * parallax + point) - origin) / (8 * zoom)).
TEST(CellUnderPoint, TruncatesTowardZeroAtEveryParallax) {
  struct Case {
    float zoom;
    int scroll, origin;
    float parallax;
    int point, expected;
  } cases[] = {
      {2.0f, 0, 0, 1.0f, 31, 1},     // 31 / 16
      {2.0f, 0, 0, 1.0f, -5, 0},     // one cell left of the layer still reads as cell 0
      {2.0f, 0, 0, 1.0f, -16, -1},
      {1.0f, 160, 0, 0.5f, 0, 10},   // 80 / 8
      {1.0f, 33, 0, 0.5f, 0, 2},     // trunc(16.5) = 16 -> 2
      {1.0f, 33, 0, 0.5f, -17, 0},   // trunc(-0.5) = 0
      {1.0f, 33, 0, 0.5f, -25, -1},  // trunc(-8.5) = -8
      {1.0f, 11, 0, 0.7f, 0, 0},     // trunc(7.7) = 7
      {1.0f, 11, 0, 0.7f, 1, 1},     // trunc(8.7) = 8
      {1.0f, -29, 0, 0.7f, 0, -2},   // trunc(-20.3) = -20 -> trunc(-2.5)
      {3.0f, -29, 5, 0.7f, 40, 0},   // trunc(19.7) - 5 = 14 -> 14 / 24
      {3.0f, 101, 7, 0.7f, -3, 2},   // trunc(67.7) - 7 = 60 -> trunc(2.5)
      {0.25f, 0, 0, 1.0f, 5, 2},     // 5 / 2
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cellCoordinate(c.scroll, c.parallax, c.point, c.origin, c.zoom), c.expected)
        << "zoom " << c.zoom << " scroll " << c.scroll << " parallax " << c.parallax << " point " << c.point;
  }
  const MapGeometry g{2.0f, 0, 0, 0, 0};
  EXPECT_EQ(cellUnderPoint(g, 1.0f, 1.0f, {31, 17}), (CellPoint{1, 1}));
}

TEST(CellUnderPoint, HugeScrollSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(truncToInt(3.0e9f), INT_MAX);
  EXPECT_EQ(truncToInt(-3.0e9f), INT_MIN);
  EXPECT_GT(cellCoordinate(INT_MAX, 2.0f, 100, 0, 0.25f), 0);
}

TEST(CentredOrigin, CentresTheFrameButNeverPushesItOffTheWindow) {
  EXPECT_EQ(centredOrigin(true, 1280, 720, 240, 160, 2.0f), (ViewPoint{400, 200}));
  EXPECT_EQ(centredOrigin(true, 300, 400, 240, 160, 2.0f), (ViewPoint{0, 40}));  // x would be -90
  EXPECT_EQ(centredOrigin(true, 301, 301, 240, 160, 1.0f), (ViewPoint{30, 70}));   // 30.5 -> 30
  EXPECT_EQ(centredOrigin(false, 1280, 720, 240, 160, 2.0f), (ViewPoint{0, 0}));
}

TEST(ZoomSteps, FollowTheStepSequenceBothWays) {
  std::vector<float> up;
  for (float z = 0.25f; up.size() < 15; z = zoomStepUp(z)) up.push_back(z);
  EXPECT_EQ(up, (std::vector<float>{0.25f, 0.5f, 0.75f, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10, 10}));
  std::vector<float> down;
  for (float z = 3.0f; down.size() < 8; z = zoomStepDown(z)) down.push_back(z);
  EXPECT_EQ(down, (std::vector<float>{3, 2, 1, 0.75f, 0.5f, 0.25f, 0.25f, 0.25f}));
}

TEST(Navigation, ZoomCommandsAndWheelRescaleTheScroll) {
  EngineFixture f;
  f.run(cmd::kZoom2);
  f.state().view.scrollX = 100;
  f.state().view.scrollY = 50;
  f.run(cmd::kZoom4);
  EXPECT_EQ(f.state().view.scrollX, 200);
  EXPECT_EQ(f.state().view.scrollY, 100);
  f.state().view.scrollX = 7;
  f.engine->wheel({0, 0}, -120, {});  // 4 -> 3: trunc(0.75 * 7) = 5
  EXPECT_EQ(f.state().view.mapZoom, 3.0f);
  EXPECT_EQ(f.state().view.scrollX, 5);
  f.engine->wheel({0, 0}, 60, {});  // less than a notch: nothing
  EXPECT_EQ(f.state().view.mapZoom, 3.0f);
  f.key(Key::Insert);
  EXPECT_EQ(f.state().view.mapZoom, 4.0f);

  // The tile view has its own zoom; the map scroll stays.
  f.key(Key::Space, " ");
  f.key(Key::Digit7, "7");
  EXPECT_EQ(f.state().view.tileZoom, 7.0f);
  EXPECT_EQ(f.state().view.mapZoom, 4.0f);
  EXPECT_EQ(f.state().view.scrollY, 100 * 3 / 4 * 4 / 3);
}

TEST(Navigation, DragFollowsTheActiveLayersParallaxAndTheFrameHoldsIt) {
  EngineFixture f;
  f.layer("Level", 64, 40, LayerKind::Primary);
  MapLayer& sky = f.layer("Sky", 0, 0, LayerKind::Secondary, 0.5f);
  f.project().setActiveLayer(&sky);
  f.drag({{100, 100}, {90, 95}}, {}, MouseButton::Middle);
  EXPECT_EQ(f.state().view.scrollX, 20);
  EXPECT_EQ(f.state().view.scrollY, 10);

  // With the frame mask the scroll stays inside the primary layer.
  f.run(cmd::kFrameMask);
  f.drag({{500, 500}, {900, 900}}, {}, MouseButton::Middle);
  EXPECT_EQ(f.state().view.scrollX, 0);
  f.drag({{900, 900}, {0, 0}}, {}, MouseButton::Middle);
  EXPECT_EQ(f.state().view.scrollX, 64 * 8 - 240);
  EXPECT_EQ(f.state().view.scrollY, 40 * 8 - 160);

  // A primary layer narrower than the frame allows no scroll at all.
  EngineFixture narrow;
  narrow.layer("Level", 20, 10, LayerKind::Primary);
  narrow.run(cmd::kFrameMask);
  narrow.drag({{500, 500}, {0, 0}}, {}, MouseButton::Middle);
  EXPECT_EQ(narrow.state().view.scrollX, 0);
  EXPECT_EQ(narrow.state().view.scrollY, 0);
}

TEST(Navigation, KeypadScrollsTenMapPixelsAndTheMainRowZooms) {
  EngineFixture f;
  f.run(cmd::kZoom2);
  const struct {
    Key key;
    int dx, dy;
  } cases[] = {{Key::Keypad4, -20, 0}, {Key::Keypad6, 20, 0}, {Key::Keypad8, 0, -20}, {Key::Keypad2, 0, 20},
               {Key::Keypad7, -20, -20}, {Key::Keypad9, 20, -20}, {Key::Keypad1, -20, 20}, {Key::Keypad3, 20, 20},
               {Key::Keypad5, 0, 0}};
  for (const auto& c : cases) {
    f.state().view.scrollX = 0;
    f.state().view.scrollY = 0;
    f.key(c.key, "1");
    EXPECT_EQ(f.state().view.scrollX, c.dx) << keyName(c.key);
    EXPECT_EQ(f.state().view.scrollY, c.dy) << keyName(c.key);
    EXPECT_EQ(f.state().view.mapZoom, 2.0f) << "the keypad never zooms";
  }
  f.key(Key::Digit1, "1");
  EXPECT_EQ(f.state().view.mapZoom, 1.0f);
  f.key(Key::Digit0, "0");
  EXPECT_EQ(f.state().view.mapZoom, 10.0f);
  f.key(Key::Home);
  EXPECT_EQ(f.state().view.scrollX, 0);
}

TEST(Navigation, StatusPanesAndContextMenuTicks) {
  EngineFixture f;
  EXPECT_EQ(f.engine->statusPane(1), " Paint Locking: disabled");
  f.layer("Level", 64, 40, LayerKind::Primary);
  f.engine->mouseMove({8 * 5 + 1, 8 * 9 + 7}, {}, {});
  EXPECT_EQ(f.engine->statusPane(2), " (5, 9)");
  f.key(Key::Right);
  EXPECT_EQ(f.engine->statusPane(1), " Paint Locking: allow horizontal only");
  f.key(Key::Up);
  EXPECT_EQ(f.engine->statusPane(1), " Paint Locking: allow vertical only");
  f.key(Key::Down);
  EXPECT_EQ(f.engine->statusPane(1), " Paint Locking: disabled");

  f.engine->mousePress(MouseButton::Right, {3, 4}, {});
  const ViewRequests requests = f.engine->takeRequests();
  ASSERT_TRUE(requests.contextMenu);
  EXPECT_EQ(requests.contextMenu->menu, ContextMenuKind::Map);
  // Zoom ticks: the entry at trunc(zoom - 0.9), so 1.5 ticks 1x and 0.25 too.
  for (const auto& [zoom, ticked] : {std::pair{1.5f, cmd::kZoom1}, std::pair{0.25f, cmd::kZoom1},
                                     std::pair{2.0f, cmd::kZoom2}, std::pair{10.0f, cmd::kZoom10}}) {
    f.state().view.mapZoom = zoom;
    for (int id : cmd::kZoomIds) EXPECT_EQ(f.commands->checked(id), id == ticked) << zoom << " " << id;
  }
  EXPECT_TRUE(f.commands->checked(cmd::kGrid));
  EXPECT_TRUE(f.commands->checked(cmd::kAutoPaintCollision));
  f.key(Key::Space, " ");
  EXPECT_FALSE(f.commands->checked(cmd::kGrid)) << "the tile view ticks the tile grid";
  f.engine->mousePress(MouseButton::Right, {3, 4}, {});
  EXPECT_EQ(f.engine->takeRequests().contextMenu->menu, ContextMenuKind::Tile);
}

TEST(Navigation, ViewTogglesAndBackground) {
  EngineFixture f;
  ViewState& view = f.state().view;
  f.key(Key::F);
  EXPECT_TRUE(view.showFrameMask);
  f.key(Key::Space, " ");
  f.key(Key::F);
  EXPECT_TRUE(view.showFrameMask) << "the frame mask is ignored in the tile view";
  f.key(Key::Tab, "\t");
  f.key(Key::C);
  f.key(Key::B);
  EXPECT_TRUE(view.centeredView);
  EXPECT_FALSE(view.showLayerBounds);
  f.key(Key::G, "", kCtrl);
  EXPECT_FALSE(view.mapGridAlpha);
  f.key(Key::Other, "]");
  EXPECT_EQ(view.clearColor[0], 0.25f);
  f.services.colourAnswers.push_back(0x00336699u);
  f.key(Key::Other, "\\");
  EXPECT_FLOAT_EQ(view.clearColor[0], 0x99 / 255.0f);
  EXPECT_FLOAT_EQ(view.clearColor[2], 0x33 / 255.0f);
  f.key(Key::Other, "\\");  // cancelled: unchanged
  EXPECT_FLOAT_EQ(view.clearColor[0], 0x99 / 255.0f);
  f.key(Key::Other, "[");
  EXPECT_EQ(view.clearColor[0], 0.0f);
}

}  // namespace
}  // namespace qarto::test
