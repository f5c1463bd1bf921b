#include "edit/engine/map_view_engine.h"

#include <cstdio>

#include "edit/entities/catalogue_loading.h"
#include "model/settings/settings_keys.h"
#include "model/settings/settings_store.h"
#include "model/settings/view_options.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

MapViewEngine::MapViewEngine(PlatformServices& services, SettingsStore& settings, TilesetHost& platformHost)
    : settings_(settings),
      platformHost_(platformHost),
      session_(services, settings, *this),
      state_(session_),
      navigator_(state_),
      tools_(state_, navigator_),
      picker_(state_) {
  state_.clipboard = &ownClipboard_;
  session_.project().setProjectObserver(this);
  session_.project().journal().setLevels(readUndoLevels(settings_));
  setPaneText(1, paintLockText(PaintLock::Disabled));
}

MapViewEngine::~MapViewEngine() {
  tools_.endStroke();
  session_.project().setProjectObserver(nullptr);
}

// The persisted options are spread over the view state and the project
// (the grids and the frame size travel with the map file).
ViewOptions MapViewEngine::currentViewOptions() const {
  ViewOptions options;
  const ViewState& view = state_.view;
  const MapProject& project = session_.project();
  std::copy(std::begin(view.clearColor), std::end(view.clearColor), std::begin(options.clearColor));
  options.showMapGrid = project.showMapGrid;
  options.showTileGrid = project.showTileGrid;
  options.mapGridAlpha = view.mapGridAlpha;
  options.tileGridAlpha = view.tileGridAlpha;
  options.showFrameMask = view.showFrameMask;
  options.centeredView = view.centeredView;
  options.showLayerBounds = view.showLayerBounds;
  options.screenWidth = project.screenWidth;
  options.screenHeight = project.screenHeight;
  options.mapZoom = view.mapZoom;
  options.tileZoom = view.tileZoom;
  return options;
}

void MapViewEngine::loadViewOptions() {
  ViewOptions options = currentViewOptions();
  qarto::loadViewOptions(settings_, options);
  ViewState& view = state_.view;
  MapProject& project = session_.project();
  std::copy(std::begin(options.clearColor), std::end(options.clearColor), std::begin(view.clearColor));
  project.showMapGrid = options.showMapGrid;
  project.showTileGrid = options.showTileGrid;
  view.mapGridAlpha = options.mapGridAlpha;
  view.tileGridAlpha = options.tileGridAlpha;
  view.showFrameMask = options.showFrameMask;
  view.centeredView = options.centeredView;
  view.showLayerBounds = options.showLayerBounds;
  project.screenWidth = options.screenWidth;
  project.screenHeight = options.screenHeight;
  view.mapZoom = options.mapZoom;
  view.tileZoom = options.tileZoom;
  project.journal().setLevels(readUndoLevels(settings_));
  loadEntityCatalogue(state_, false);
  state_.classicKeys = settings_.readInt(kSettingsSection, setting_keys::kClassicKeys, 0) != 0;
  refresh();
}

void MapViewEngine::reloadPreferences() {
  ViewOptions options = currentViewOptions();
  qarto::loadViewOptions(settings_, options);
  session_.project().screenWidth = options.screenWidth;
  session_.project().screenHeight = options.screenHeight;
  session_.project().journal().setLevels(readUndoLevels(settings_));
  loadEntityCatalogue(state_, true);
  state_.classicKeys = settings_.readInt(kSettingsSection, setting_keys::kClassicKeys, 0) != 0;
  refresh();
}

void MapViewEngine::saveViewOptions() { qarto::saveViewOptions(settings_, currentViewOptions()); }

void MapViewEngine::resize(int width, int height) {
  state_.view.clientWidth = width;
  state_.view.clientHeight = height;
  refresh();
}

void MapViewEngine::updateMouse(ViewPoint point) {
  state_.view.mouse = point;
  state_.view.mouseInside = state_.view.pointInClient(point);
}

void MapViewEngine::mousePress(MouseButton button, ViewPoint point, Modifiers modifiers) {
  updateMouse(point);
  const bool tileView = state_.view.tileViewShown;
  switch (button) {
    case MouseButton::Left:
      if (tileView) {
        state_.tools.pressPoint = point;
        state_.tools.leftHeld = true;
        picker_.leftPress(point, modifiers);
      } else {
        tools_.leftPress(point, modifiers);
      }
      break;
    case MouseButton::Middle:
      if (tileView) {
        picker_.middlePress(point, modifiers);
      } else {
        tools_.middlePress(point, modifiers);
      }
      break;
    case MouseButton::Right:
      state_.requests.contextMenu = ContextMenuRequest{tileView ? ContextMenuKind::Tile : ContextMenuKind::Map, point};
      break;
  }
  state_.redraw();
}

void MapViewEngine::mouseMove(ViewPoint point, ButtonSet held, Modifiers modifiers) {
  const ViewPoint previous = state_.view.mouse;
  updateMouse(point);
  state_.requests.focus = true;
  if (state_.view.tileViewShown) {
    picker_.move(point, held, modifiers);
  } else {
    tools_.move(previous, point, held, modifiers);
    showCursorCell();
  }
  state_.redraw();
}

void MapViewEngine::mouseRelease(MouseButton button, ViewPoint point, Modifiers modifiers) {
  updateMouse(point);
  const bool tileView = state_.view.tileViewShown;
  if (button == MouseButton::Left) {
    // Whatever the view, a left release ends the gesture.
    tools_.leftRelease(point);
    if (tileView) picker_.leftRelease();
  } else if (button == MouseButton::Middle) {
    if (tileView) {
      picker_.middleRelease(point, modifiers);
    } else {
      tools_.middleRelease(point, modifiers);
    }
  }
  state_.redraw();
}

void MapViewEngine::mouseLeave() {
  state_.view.mouseInside = false;
  if (state_.view.tileViewShown) picker_.refresh();
  state_.redraw();
}

void MapViewEngine::wheel(ViewPoint point, int delta, Modifiers /*modifiers*/) {
  updateMouse(point);
  navigator_.wheel(delta);
  refresh();
}

void MapViewEngine::keyDown(const KeyEvent& key) {
  Modifiers held = key.modifiers;
  if (key.key == Key::Shift) held.shift = true;
  if (key.key == Key::Control) held.ctrl = true;
  if (key.key == Key::Tab || key.key == Key::Space) {
    toggleView();
  } else if (key.key == Key::Menu) {
    state_.requests.contextMenu = ContextMenuRequest{
        state_.view.tileViewShown ? ContextMenuKind::Tile : ContextMenuKind::Map, state_.view.mouse};
  } else if (isKeypadDigit(key.key) && !state_.view.tileViewShown) {
    navigator_.keypadScroll(keypadDigit(key.key));
  }
  if (state_.view.mouseInside && (held.ctrl || held.shift)) tools_.modifierDown(held);
}

void MapViewEngine::keyUp(const KeyEvent& key) {
  if ((key.key == Key::Shift || key.key == Key::Control) && state_.view.mouseInside) tools_.modifierUp();
}

ViewRequests MapViewEngine::takeRequests() {
  ViewRequests out = state_.requests;
  state_.requests = {};
  return out;
}

CursorKind MapViewEngine::cursor() const {
  if (state_.view.tileViewShown) return CursorKind::Arrow;
  if (!state_.mapOpen()) return CursorKind::Default;
  return tools_.cursor();
}

void MapViewEngine::toggleView() {
  tools_.endStroke();
  state_.tools.selecting = false;
  state_.tools.rectangleStarted = false;
  state_.selection.dragging = false;
  state_.view.tileViewShown = !state_.view.tileViewShown;
  refresh();
}

void MapViewEngine::showFirstTilePage() {
  const Tileset* page = project().registry().firstNonCollision();
  if (page == nullptr) return;
  tools_.endStroke();
  project().currentTilesetId = page->id;
  state_.view.tileViewShown = true;
  constexpr float kLegibleTileZoom = 2.0f;  // 8-pixel tiles drawn at 16
  if (state_.view.tileZoom < kLegibleTileZoom) state_.view.tileZoom = kLegibleTileZoom;
  refresh();
}

void MapViewEngine::refresh() {
  if (state_.view.tileViewShown) picker_.refresh();
  state_.redraw();
}

void MapViewEngine::showCursorCell() {
  const CellPoint cell = state_.cellAt(state_.view.mouse);
  char text[40];
  std::snprintf(text, sizeof text, " (%i, %i)", cell.x, cell.y);
  setPaneText(2, text);
}

void MapViewEngine::tilesetRegistered(Tileset& tileset) {
  state_.brushes.tilesetRegistered(tileset.id);
  platformHost_.tilesetRegistered(tileset);
}

void MapViewEngine::tilesetRemoved(std::int32_t id) {
  state_.brushes.tilesetRemoved(id);
  platformHost_.tilesetRemoved(id);
}

void MapViewEngine::tileViewLayoutChanged() {
  refresh();
  platformHost_.tileViewLayoutChanged();
}

void MapViewEngine::projectReset(bool collisionTilesetKept) {
  // The layers are about to go: no gesture may outlive them.
  tools_.endStroke();
  const Tileset* collision = session_.project().collisionTileset;
  state_.brushes.projectReset(collisionTilesetKept && collision != nullptr ? collision->id : 0);
  state_.tools.patternMode = false;
  state_.tools.rectangleStarted = false;
  state_.entityDrag = {};
  const RegionScope scope = state_.selection.scope;  // a choice of the menu, not of the map
  state_.selection = RegionSelection{};
  state_.selection.scope = scope;
  state_.markedCells.clear();
  state_.faultyTiles.clear();
  refresh();
}

}  // namespace qarto
