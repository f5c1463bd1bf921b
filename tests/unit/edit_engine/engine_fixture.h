#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "edit/commands/command_ids.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "edit/script/edit_script.h"
#include "edit/session/tileset_commands.h"
#include "model/settings/memory_settings_store.h"
#include "support/page_files.h"
#include "support/scripted_services.h"
#include "support/test_session.h"

namespace qarto::test {

using Message = ScriptedServices::Message;

// A map view engine over an empty project with the collision tileset loaded
// (id 1), zoom 1, no scroll and no centring, so that cell (x, y) of a layer
// with parallax 1 lies under window pixels 8x..8x+7, 8y..8y+7; edit scripts
// play into it with the answers they queue.
struct EngineFixture : ScriptAnswers {
  ScriptedServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  std::unique_ptr<MapViewEngine> engine;
  std::unique_ptr<EditorCommands> commands;

  EngineFixture() {
    settings.writeInt("Settings", "UndoLevels", -1);
    settings.writeText("Settings", "MapPageScale", "1.0");
    settings.writeText("Settings", "TilePageScale", "1.0");
    settings.writeInt("Settings", "CenteredView", 0);
    engine = std::make_unique<MapViewEngine>(services, settings, host);
    EXPECT_TRUE(loadCollisionTileset(engine->session()));
    engine->loadViewOptions();
    engine->resize(1280, 720);
    commands = std::make_unique<EditorCommands>(*engine);
  }

  MapProject& project() { return engine->project(); }
  EngineState& state() { return engine->state(); }
  UndoJournal& journal() { return project().journal(); }

  Tileset& page(int width, int height, const PixelRule& pixels, const std::string& name = "page") {
    return registerPage(project(), engine->session().host(), width, height, pixels, name);
  }
  // Tile t of a 64 x 32 page drawn in colour 1 + t % 15 of palette row t % 16;
  // tiles listed in `blank` stay 0.
  Tileset& numberedPage(const std::vector<int>& blank = {}) {
    return page(64, 32, [blank](int x, int y) {
      const int t = test::tileAt(64, x, y);
      for (int b : blank) {
        if (b == t) return std::uint8_t{0};
      }
      return static_cast<std::uint8_t>((t % 16) << 4 | (1 + t % 15));
    });
  }

  MapLayer& layer(const char* name, int width, int height, LayerKind kind, float parallax = 1.0f) {
    MapLayer* layer = project().addLayer(name, width, height, parallax, parallax, kind, true);
    journal().clear();
    project().modified = false;
    return *layer;
  }

  // The window point at the centre of cell (x, y) at zoom 1 without scroll.
  static ViewPoint at(int x, int y) { return {x * 8 + 4, y * 8 + 4}; }
  // Tile view: the centre of page tile (column, row) at zoom 1.
  static ViewPoint tileAt(int column, int row) { return {column * 8 + 4, 33 + row * 8 + 4}; }

  void click(ViewPoint p, Modifiers m = {}) { drag({p}, m); }
  void drag(const std::vector<ViewPoint>& points, Modifiers m = {}, MouseButton button = MouseButton::Left) {
    ButtonSet held;
    held.left = button == MouseButton::Left;
    held.middle = button == MouseButton::Middle;
    engine->mouseMove(points.front(), {}, m);
    engine->mousePress(button, points.front(), m);
    for (std::size_t i = 1; i < points.size(); ++i) engine->mouseMove(points[i], held, m);
    engine->mouseRelease(button, points.back(), m);
  }

  void queueAnswer(MessageAnswer answer) override { services.answers.push_back(answer); }
  void queueChoice(const std::string& path) override { services.openFileAnswers.push_back({path}); }
  ScriptRunResult play(const std::string& script) {
    const ScriptParseResult parsed = parseEditScript(script);
    EXPECT_EQ(parsed.error, "") << "line " << parsed.errorLine;
    return runEditScript(parsed.steps, *commands, *this);
  }

  void run(int id) { EXPECT_TRUE(commands->run(id)) << "command " << id; }
  void key(Key k, const std::string& text = "", Modifiers m = {}) { commands->handleKey(KeyEvent{k, text, m}); }
  void undo() { key(Key::Z, "", {false, true, false}); }

  // Selects tiles of the current page into its brush through the tile view.
  void pickTiles(const std::vector<CellPoint>& tiles) {
    engine->toggleView();
    for (std::size_t i = 0; i < tiles.size(); ++i) click(tileAt(tiles[i].x, tiles[i].y), {i > 0, false, false});
    engine->toggleView();
  }
};

inline constexpr Modifiers kShift{true, false, false};
inline constexpr Modifiers kCtrl{false, true, false};
inline constexpr Modifiers kCtrlShift{true, true, false};

}  // namespace qarto::test
