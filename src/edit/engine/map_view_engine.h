#pragma once

#include <memory>
#include <string>

#include "edit/selection/clipboard.h"
#include "edit/state/engine_state.h"
#include "export/budget/budget_tracker.h"
#include "edit/tile_view/tile_picker.h"
#include "edit/tools/map_tools.h"
#include "edit/view/navigator.h"
#include "model/project/editor_session.h"
#include "model/project/map_project.h"
#include "model/settings/view_options.h"
#include "model/tileset/tileset_host.h"

namespace qarto {

class PlatformServices;
class SettingsStore;

// The behaviour of the map view without a window: it owns the editor
// session (project, tilesets, undo journal), every brush, the navigation
// and tool state and the tile view's hover state. The window translates its
// events into the input calls below and afterwards asks what to show
// (redraw, cursor, status panes, focus, context menu, bars); the renderer
// reads the state through the const accessors.
//
// Tileset registration reaches the engine first (it keeps a brush per
// page); textures and label sizes are passed on to the platform's host.
class MapViewEngine : private TilesetHost, private ProjectObserver {
 public:
  MapViewEngine(PlatformServices& services, SettingsStore& settings, TilesetHost& platformHost);
  ~MapViewEngine() override;
  MapViewEngine(const MapViewEngine&) = delete;
  MapViewEngine& operator=(const MapViewEngine&) = delete;

  EditorSession& session() { return session_; }
  MapProject& project() { return session_.project(); }
  const MapProject& project() const { return session_.project(); }
  bool mapOpen() const { return state_.mapOpen(); }

  // --- Settings: the view options of the "Settings" section ---
  void loadViewOptions();
  void saveViewOptions();
  // After the preferences were confirmed: the undo levels and the target
  // screen size take effect.
  void reloadPreferences();

  // The clipboard Cut, Copy and Paste use; by default one of the engine's
  // own in memory. It must outlive the engine.
  void setClipboard(Clipboard& clipboard) { state_.clipboard = &clipboard; }

  // --- Input ---
  void resize(int width, int height);
  void mousePress(MouseButton button, ViewPoint point, Modifiers modifiers);
  void mouseMove(ViewPoint point, ButtonSet held, Modifiers modifiers);
  void mouseRelease(MouseButton button, ViewPoint point, Modifiers modifiers);
  void mouseLeave();
  void wheel(ViewPoint point, int delta, Modifiers modifiers);
  // The view's own key handling (the accelerators have had their turn).
  void keyDown(const KeyEvent& key);
  void keyUp(const KeyEvent& key);

  // --- What the window shows ---
  ViewRequests takeRequests();
  CursorKind cursor() const;
  const std::string& statusPane(int pane) const { return state_.panes.at(static_cast<std::size_t>(pane)); }
  bool flagsBarShown() const { return state_.flagsBarShown; }
  bool entitiesBarShown() const { return state_.entitiesBarShown; }

  // --- State for the renderer and the commands ---
  const EngineState& state() const { return state_; }
  EngineState& state() { return state_; }
  MapGeometry geometry() const { return state_.geometry(); }
  const Brush* currentBrush() const { return state_.currentBrush(); }
  StrokePlan previewPlan() { return tools_.previewPlan(); }
  const CollisionFlipTables& collisionFlips() { return state_.collisionFlips(); }

  // --- Parts the commands drive ---
  Navigator& navigator() { return navigator_; }
  MapTools& mapTools() { return tools_; }
  TilePicker& tilePicker() { return picker_; }

  // Map view <-> tile view. Ends the open gesture and any selection.
  void toggleView();
  // The tile view on the first page that is not the collision page, at a
  // zoom where a tile is at least 16 pixels; nothing without such a page.
  void showFirstTilePage();
  // Closes the open gesture (its undo entry) before anything that changes
  // the active layer, the layer stack, the tool or the view.
  void endStroke() { tools_.endStroke(); }
  // After a command or a change from outside (a layer-bar click, a load):
  // hover state and redraw.
  void refresh();
  void setPaneText(int pane, const std::string& text) { state_.panes.at(static_cast<std::size_t>(pane)) = text; }

  // The hardware budget, brought up to date with the map's cells.
  const BudgetTracker& budget() {
    budget_.update(session_.project());
    return budget_;
  }

 private:
  // TilesetHost, as the session sees it.
  TextureUploader& textureUploader() override { return platformHost_.textureUploader(); }
  void tilesetRegistered(Tileset& tileset) override;
  void tilesetRemoved(std::int32_t id) override;
  std::pair<int, int> measureLabel(const std::string& text) override { return platformHost_.measureLabel(text); }
  void tileViewLayoutChanged() override;
  // ProjectObserver.
  void projectReset(bool collisionTilesetKept) override;

  ViewOptions currentViewOptions() const;
  void showCursorCell();
  void updateMouse(ViewPoint point);

  SettingsStore& settings_;
  TilesetHost& platformHost_;
  EditorSession session_;
  MemoryClipboard ownClipboard_;
  EngineState state_;
  Navigator navigator_;
  MapTools tools_;
  TilePicker picker_;
  BudgetTracker budget_;
};

}  // namespace qarto
