#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "edit/collision/make_cll_wizard.h"
#include "edit/commands/command_table.h"
#include "edit/script/edit_script.h"
#include "edit/view/view_geometry.h"
#include "engine_fixture.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

// The commands whose enabled state depends on the map, with where they are
// enabled: no map (N), a map (M), a collision set (C), and a collision set
// whose layers were all taken away (E). Every other command is always enabled.
TEST(CommandTable, EnabledRulesForNoMapAMapACollisionSetAndAnEmptiedCollisionSet) {
  using namespace cmd;
  const std::pair<std::vector<int>, const char*> rules[] = {
      {{kSaveMap, kSaveMapAs, kExportBinary, kExportHeaders, kAddLayer, kResizeLayer, kUniqueTileCount, kPaintMode,
        kDetailPaintMode, kRubberStampMode, kFloodFillMode, kFlagPaintMode, kEntityPlacementMode, kSelectMode,
        kSelectAll, kExportGrit, kExportButano, kExportTiledMap, kImportPictureLayer},
       "-MC-"},
      {{kDeleteLayer, kCloneLayer, kMergeDown, kEatHiddenTiles, kShiftLayer, kFlipLayerVertically,
        kFlipLayerHorizontally, kPreviousLayer, kNextLayer, kShuffleLayerUp, kShuffleLayerDown, kToggleLayerVisibility,
        kToggleLayerAlpha, kToggleLayerLocking, kExportLayerBmp, kImportBmpLayer, kImportSourceLayer},
       "-MCE"},
      {{kExportCollision}, "--CE"},
      {{kPaletteRemapper}, "--C-"},  // a map with a tile page
      // Nothing to undo, no recent files, no player ROM, no selection, an empty clipboard.
      {{kUndo, kRedo, kRecentFile1, kRecentFile9, kRunMap, kSaveRomAs, kCut, kCopy, kPaste, kDelete}, "----"},
  };
  EngineFixture states[4];
  states[1].layer("Level", 32, 20, LayerKind::Primary);
  TempFolder folder;
  const std::string page = writePage(folder, "page.bmp", makePage(16, 8, [](int, int) { return std::uint8_t{1}; }));
  for (int s : {2, 3}) ASSERT_TRUE(runMakeCllWizard(states[s].engine->session(), MakeCllRequest{page}, {}));
  while (states[3].project().hasLayers()) states[3].project().takeLayer(states[3].project().layerAt(0));
  std::set<int> listed;
  for (const auto& [ids, enabled] : rules) {
    for (int id : ids) {
      listed.insert(id);
      for (int s = 0; s < 4; ++s) EXPECT_EQ(states[s].commands->enabled(id), enabled[s] != '-') << id << " " << s;
    }
  }
  for (const CommandInfo& info : commandTable()) {
    if (listed.count(info.id) != 0 || (info.id > kRecentFile1 && info.id < kRecentFile9)) continue;
    for (int s = 0; s < 4; ++s) EXPECT_TRUE(states[s].commands->enabled(info.id)) << info.id << " " << s;
  }
}

// What each key does is shown by the tests of its behaviour; here, that no
// key is bound twice, the keys the view handles itself stay free, and a
// disabled command swallows its key.
TEST(Accelerators, NoKeyIsBoundTwiceTheViewsOwnKeysStayFreeAndDisabledCommandsSwallowTheirKeys) {
  std::set<std::string> labels;
  for (const CommandInfo& info : commandTable()) {
    for (const KeyBinding& binding : info.keys) {
      EXPECT_TRUE(labels.insert(binding.label()).second) << binding.label() << " on " << info.id;
    }
  }
  // The keypad scrolls, Shift with a letter starts pattern mode, Ctrl with a typed character is no key.
  const std::pair<const char*, Modifiers> free[] = {{"Keypad1", {}}, {"Keypad0", {}},   {"A", kShift}, {"Space", {}},
                                                    {"Tab", {}},     {"B", kCtrlShift}, {"F12", {}}};
  for (const auto& [name, modifiers] : free) EXPECT_EQ(commandForKey(*scriptKey(name, modifiers)), 0) << name;
  EXPECT_EQ(commandForKey(KeyEvent{Key::Other, "+", kCtrl}), 0);

  EngineFixture f;
  f.key(Key::F3);
  EXPECT_FALSE(f.commands->run(cmd::kRubberStampMode));
  EXPECT_EQ(f.state().tools.tool, ToolKind::Paint) << "no map open: the tools are disabled";
  // Typed "+" and "_" (Shift with "=" and "-") grow and shrink the height, never both sides.
  const DetailBrush& d = f.state().detail;
  for (const char* text : {"=", "+", "+", "_", "-"}) f.key(Key::Other, text);
  EXPECT_EQ(std::tuple(d.widthLevel, d.heightLevel), std::tuple(3, 4));
  f.run(cmd::kShapeRectangle);
  EXPECT_EQ(std::tuple(f.commands->checked(cmd::kShapeRectangle), f.commands->checked(cmd::kShapeEllipse)),
            std::tuple(true, false));
}

TEST(ToolSelection, FlagAndEntityToolsBringTheirBarsAndLayers) {
  EngineFixture f;
  MapLayer& level = f.layer("Level", 30, 20, LayerKind::Primary);
  MapLayer& collision = f.layer("Collision", 30, 20, LayerKind::Collision);
  MapLayer& entities = f.layer("Entities", 0, 0, LayerKind::Entity);
  collision.visible = false;
  f.project().setActiveLayer(&level);
  f.project().selectedEntity = 3;
  f.key(Key::F5);
  EXPECT_EQ(std::tuple(f.engine->flagsBarShown(), f.project().activeLayer, collision.visible,
                       f.project().selectedEntity, f.commands->checked(cmd::kFlagPaintMode)),
            std::tuple(true, &collision, true, -1, true));
  f.engine->mapTools().setTool(ToolKind::EntityPlacement);
  EXPECT_EQ(std::tuple(f.engine->entitiesBarShown(), f.engine->flagsBarShown(), f.project().activeLayer,
                       f.engine->takeRequests().focus),
            std::tuple(true, false, &entities, true));
  f.project().selectedEntity = 2;
  f.run(cmd::kPaintMode);
  EXPECT_EQ(std::tuple(f.engine->entitiesBarShown(), f.project().selectedEntity), std::tuple(false, -1));
}

// Hand-worked cases: trunc((trunc(scroll * parallax + point) - origin) / (8 * zoom)).
TEST(ViewGeometry, CellsTruncateTowardZeroAtEveryParallaxTheFrameCentresAndZoomSteps) {
  const struct {
    float zoom;
    int scroll, origin;
    float parallax;
    int point, expected;
  } cases[] = {
      {2.0f, 0, 0, 1.0f, 31, 1},                                  // 31 / 16
      {2.0f, 0, 0, 1.0f, -5, 0},                                  // one cell left of the layer still reads as cell 0
      {2.0f, 0, 0, 1.0f, -16, -1},  {1.0f, 160, 0, 0.5f, 0, 10},  // 80 / 8
      {1.0f, 33, 0, 0.5f, 0, 2},                                  // trunc(16.5) = 16 -> 2
      {1.0f, 33, 0, 0.5f, -17, 0},                                // trunc(-0.5) = 0
      {1.0f, 33, 0, 0.5f, -25, -1},                               // trunc(-8.5) = -8
      {1.0f, 11, 0, 0.7f, 0, 0},                                  // trunc(7.7) = 7
      {1.0f, 11, 0, 0.7f, 1, 1},                                  // trunc(8.7) = 8
      {1.0f, -29, 0, 0.7f, 0, -2},                                // trunc(-20.3) = -20 -> trunc(-2.5)
      {3.0f, -29, 5, 0.7f, 40, 0},                                // trunc(19.7) - 5 = 14 -> 14 / 24
      {3.0f, 101, 7, 0.7f, -3, 2},                                // trunc(67.7) - 7 = 60 -> trunc(2.5)
      {0.25f, 0, 0, 1.0f, 5, 2},                                  // 5 / 2
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cellCoordinate(c.scroll, c.parallax, c.point, c.origin, c.zoom), c.expected)
        << "zoom " << c.zoom << " scroll " << c.scroll << " parallax " << c.parallax << " point " << c.point;
  }
  EXPECT_EQ(cellUnderPoint(MapGeometry{2.0f, 0, 0, 0, 0}, 1.0f, 1.0f, {31, 17}), (CellPoint{1, 1}));
  EXPECT_EQ(std::tuple(truncToInt(3.0e9f), truncToInt(-3.0e9f)), std::tuple(INT_MAX, INT_MIN));
  EXPECT_GT(cellCoordinate(INT_MAX, 2.0f, 100, 0, 0.25f), 0) << "a huge scroll saturates instead of overflowing";
  // The frame is centred but never pushed off the window; zoom steps both ways.
  EXPECT_EQ(centredOrigin(true, 1280, 720, 240, 160, 2.0f), (ViewPoint{400, 200}));
  EXPECT_EQ(centredOrigin(true, 300, 400, 240, 160, 2.0f), (ViewPoint{0, 40}));   // x would be -90
  EXPECT_EQ(centredOrigin(true, 301, 301, 240, 160, 1.0f), (ViewPoint{30, 70}));  // 30.5 -> 30
  EXPECT_EQ(centredOrigin(false, 1280, 720, 240, 160, 2.0f), (ViewPoint{0, 0}));
  std::vector<float> up;
  for (float z = 0.25f; up.size() < 15; z = zoomStepUp(z)) up.push_back(z);
  EXPECT_EQ(up, (std::vector<float>{0.25f, 0.5f, 0.75f, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10, 10}));
  std::vector<float> down;
  for (float z = 3.0f; down.size() < 8; z = zoomStepDown(z)) down.push_back(z);
  EXPECT_EQ(down, (std::vector<float>{3, 2, 1, 0.75f, 0.5f, 0.25f, 0.25f, 0.25f}));
}

TEST(Navigation, ZoomCommandsAndWheelRescaleTheScroll) {
  EngineFixture f;
  ViewState& view = f.state().view;
  f.run(cmd::kZoom2);
  view.scrollX = 100;
  view.scrollY = 50;
  f.run(cmd::kZoom4);
  EXPECT_EQ(std::tuple(view.scrollX, view.scrollY), std::tuple(200, 100));
  view.scrollX = 7;
  f.engine->wheel({0, 0}, -120, {});  // 4 -> 3: trunc(0.75 * 7) = 5
  EXPECT_EQ(std::tuple(view.mapZoom, view.scrollX), std::tuple(3.0f, 5));
  f.engine->wheel({0, 0}, 60, {});  // less than a notch: nothing
  EXPECT_EQ(view.mapZoom, 3.0f);
  f.key(Key::Insert);
  EXPECT_EQ(view.mapZoom, 4.0f);
  // The tile view has its own zoom; the map scroll stays.
  f.key(Key::Space, " ");
  f.key(Key::Digit7, "7");
  EXPECT_EQ(std::tuple(view.tileZoom, view.mapZoom, view.scrollY), std::tuple(7.0f, 4.0f, 100 * 3 / 4 * 4 / 3));
}

TEST(Navigation, DragFollowsTheActiveLayersParallaxAndTheFrameHoldsIt) {
  EngineFixture f;
  ViewState& view = f.state().view;
  f.layer("Level", 64, 40, LayerKind::Primary);
  MapLayer& sky = f.layer("Sky", 0, 0, LayerKind::Secondary, 0.5f);
  f.project().setActiveLayer(&sky);
  f.drag({{100, 100}, {90, 95}}, {}, MouseButton::Middle);
  EXPECT_EQ(std::tuple(view.scrollX, view.scrollY), std::tuple(20, 10));
  // With the frame mask the scroll stays inside the primary layer.
  f.run(cmd::kFrameMask);
  f.drag({{500, 500}, {900, 900}}, {}, MouseButton::Middle);
  EXPECT_EQ(view.scrollX, 0);
  f.drag({{900, 900}, {0, 0}}, {}, MouseButton::Middle);
  EXPECT_EQ(std::tuple(view.scrollX, view.scrollY), std::tuple(64 * 8 - 240, 40 * 8 - 160));
  // A primary layer narrower than the frame allows no scroll at all.
  EngineFixture narrow;
  narrow.layer("Level", 20, 10, LayerKind::Primary);
  narrow.run(cmd::kFrameMask);
  narrow.drag({{500, 500}, {0, 0}}, {}, MouseButton::Middle);
  EXPECT_EQ(std::tuple(narrow.state().view.scrollX, narrow.state().view.scrollY), std::tuple(0, 0));
}

TEST(Navigation, KeypadScrollsTenMapPixelsAndTheMainRowZooms) {
  EngineFixture f;
  ViewState& view = f.state().view;
  f.run(cmd::kZoom2);
  // Ten map pixels are twenty window pixels at zoom 2: (40, -40), (20, -20), (20, -40), (40, -40).
  for (Key key : {Key::Keypad9, Key::Keypad9, Key::Keypad1, Key::Keypad8, Key::Keypad6, Key::Keypad5}) f.key(key, "1");
  EXPECT_EQ(std::tuple(view.scrollX, view.scrollY, view.mapZoom), std::tuple(40, -40, 2.0f));
  f.key(Key::Digit0, "0");
  EXPECT_EQ(view.mapZoom, 10.0f);
}

// The custom background takes the chooser's colour (0x00BBGGRR).
TEST(Navigation, TheFrameMaskIsAMapViewAidAndTheBackgroundColourIsChosen) {
  EngineFixture f;
  ViewState& view = f.state().view;
  f.key(Key::Space, " ");
  f.key(Key::F);
  EXPECT_FALSE(view.showFrameMask) << "the frame mask is ignored in the tile view";
  f.services.colourAnswers.push_back(0x00336699u);
  f.key(Key::Other, "\\");
  EXPECT_EQ(std::tuple(view.clearColor[0], view.clearColor[2]), std::tuple(0x99 / 255.0f, 0x33 / 255.0f));
}

}  // namespace
}  // namespace qarto::test
