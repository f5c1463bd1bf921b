#include "edit/commands/menu_layout.h"

#include "edit/commands/command_ids.h"

namespace qarto {

namespace {

MenuItem item(int id, const char* text) { return {MenuItem::Kind::Command, id, text, {}}; }
MenuItem separator() { return {MenuItem::Kind::Separator, 0, "", {}}; }
MenuItem submenu(const char* text, std::vector<MenuItem> items) {
  return {MenuItem::Kind::Submenu, 0, text, std::move(items)};
}

std::vector<MenuItem> zoomItems() {
  using namespace cmd;
  return {item(kZoom1, "&1x"), item(kZoom2, "&2x"), item(kZoom3, "&3x"), item(kZoom4, "&4x"),
          item(kZoom5, "&5x"), item(kZoom6, "&6x"), item(kZoom7, "7&x"), item(kZoom8, "8&x"),
          item(kZoom9, "9&x"), item(kZoom10, "10&x"), separator(), item(kZoomIn, "Zoom In\tIns"),
          item(kZoomOut, "Zoom Out\tEnd")};
}

std::vector<MenuItem> backgroundItems() {
  using namespace cmd;
  return {item(kBackgroundBlack, "&Black\t["), item(kBackgroundGrey, "Grey\t]"),
          item(kBackgroundCustom, "&Custom...    \t\\")};
}

std::vector<MenuItem> buildMenuBar() {
  using namespace cmd;
  return {
      submenu("&File", {item(kNewMapWizard, "&New Map Wizard...\tCtrl+N"), item(kOpenMap, "&Open Map...\tCtrl+O"),
                        item(kNewMapFromPicture, "New Map from &Picture..."),
                        submenu("&Import", {item(kImportTiledMap, "Tiled Map (.tmx)...")}), separator(),
                        item(kOpenTilesets, "Open &Tilesets...	Ctrl+T"), separator(),
                        item(kSaveMap, "&Save Map\tCtrl+S"), item(kSaveMapAs, "Save Map &As...\tCtrl+Shift+S"),
                        submenu("&Export Map As...", {item(kExportBinary, "&Binary"), item(kExportHeaders, "&Header"),
                                                              item(kExportGrit, "&grit (C files per layer)..."),
                                                              item(kExportButano, "b&utano (asset folder)..."),
                                                              item(kExportTiledMap, "Tiled Map (.tmx)...")}),
                        separator(), item(kMakeCll, "Make .CLL Wizard..."), item(kExportCollision, "Export .CLL"),
                        separator(), item(kPreferences, "Preferences..."), separator(),
                        MenuItem{MenuItem::Kind::RecentFiles, 0, "", {}}, separator(), item(kExit, "E&xit")}),
      submenu("&Edit", {item(kUndo, "&Undo\tCtrl+Z"), item(kRedo, "&Redo\tCtrl+Y"), separator(),
                        item(kCut, "Cu&t\tCtrl+X"), item(kCopy, "&Copy\tCtrl+C"), item(kPaste, "&Paste\tCtrl+V"),
                        item(kDelete, "&Delete\tDelete"), separator(), item(kSelectAll, "Select &All\tCtrl+A"),
                        item(kSelectMode, "&Select Mode\tF7"), item(kRegionAllLayers, "Edit All &Tile Layers")}),
      submenu("&View", {item(kToggleToolBar, "&Toolbar"), item(kToggleLayerBar, "Layer Bar"),
                        item(kToggleStatusBar, "&Status Bar"), separator(),
                        item(kToggleView, "Toggle Map/Tile View    \tSpace"), separator(),
                        item(kToggleBudgetBar, "Hardware Budget"), item(kToggleUsedOnceTint, "Tint Tiles Used Once")}),
      submenu("&Layers",
              {item(kAddLayer, "Add New &Layer..."), separator(), item(kResizeLayer, "&Resize Active Layer..."),
               item(kDeleteLayer, "Delete Active Layer"), item(kCloneLayer, "Clone Active Layer"),
               item(kMergeDown, "&Merge Active Layer"), item(kEatHiddenTiles, "&Eat Hidden Tiles on Active Layer"),
               item(kShiftLayer, "&Shift Active Layer..."),
               submenu("&Flip Active Layer",
                       {item(kFlipLayerVertically, "&Vertically"), item(kFlipLayerHorizontally, "&Horizontally")}),
               separator(), item(kPreviousLayer, "&Previous Layer   \tPageUp"), item(kNextLayer, "&Next Layer\tPageDown"),
               item(kShuffleLayerUp, "Shuffle Layer &Up\tShift+PageUp"),
               item(kShuffleLayerDown, "Shuffle Layer &Down\tShift+PageDown"), separator(),
               item(kToggleLayerVisibility, "&Toggle Layer Visibility    \tCtrl+Shift+V"),
               item(kToggleLayerAlpha, "Toggle Layer &Alpha\tCtrl+Shift+A"),
               item(kToggleLayerLocking, "Toggle Layer &Locking\tCtrl+L"),
               submenu("Auto-Hide Inactive Layers", {item(kAutoHideNever, "Never"), item(kAutoHideAlways, "Always"),
                                                     item(kAutoHideDuringSelection, "During Selection Only")}),
               separator(), item(kExportLayerBmp, "Export Active Layer to BMP..."),
               submenu("Import Layer From",
                       {item(kImportBmpLayer, ".bmp, .pcx..."), item(kImportSourceLayer, ".h, .c, .cpp...")}),
               item(kImportPictureLayer, "Import P&icture as Layer...")}),
      submenu("&Tools", {item(kPaletteRemapper, "&Palette Remapper..."), item(kValidateTileset, "&Validate Tileset..."),
                         item(kRunMap, "&Run Map\tF8"), item(kSaveRomAs, "Save &ROM As...")}),
      submenu("&Help", {item(kAbout, "&About Qarto...")}),
  };
}

MenuItem buildTileMenu() {
  using namespace cmd;
  return submenu("TileMenu", {submenu("&Zoom", zoomItems()), submenu("Background &Color", backgroundItems()),
                              item(kGrid, "&Grid\tG"), item(kGridAlpha, "Grid &Alpha\tCtrl+G"), separator(),
                              item(kTrimBrush, "&Trim Brush\tT"), item(kClearBrush, "&Clear Brush         \tEsc"),
                              separator(), item(kUpdateTileset, "&Update Active Tileset"),
                              item(kRemoveTileset, "&Remove Active Tileset"),
                              item(kExportTileset, "&Export Active Tileset")});
}

// The grow and shrink entries show the keys that really run them: "=" and
// "+" grow width and height, "-" and "_" shrink them; no key acts on both.
MenuItem buildMapMenu() {
  using namespace cmd;
  return submenu(
      "MapMenu",
      {submenu("Visual Aids", {item(kGrid, "&Grid\tG"), item(kGridAlpha, "Grid &Alpha\tCtrl+G"),
                               item(kFrameMask, "GBA &Frame Mask   \tF"), item(kCenteredView, "Center Frame &Mask\tC"),
                               item(kLayerBounds, "Show Layer Bounds\tB"), item(kMapHome, "Reset Map Pos\tHome"),
                               submenu("Background Color", backgroundItems()),
                               item(kShowMarkers, "Collision &Markers\tM")}),
       submenu("&Zoom Level", zoomItems()), separator(),
       submenu("Brush Options", {item(kBrushAlpha, "&Brush Alpha\tA"), item(kBrushHFlip, "Flip &Horizontal   \tH"),
                                 item(kBrushVFlip, "Flip &Vertical\tV"), item(kTrimBrush, "&Trim Brush\tT")}),
       item(kNextBrush, "&Next Brush\t>"), item(kPrevBrush, "&Previous Brush\t<"), separator(),
       submenu("Detail Paint Brushes",
               {item(kShapeRectangle, "&Rectangle"), item(kShapeEllipse, "&Ellipse"), item(kShapeSlash, "Diagonal (/)"),
                item(kShapeBackslash, "Diagonal (\\)"), separator(),
                submenu("Grow Brush", {item(kGrowUniform, "Uniform"), item(kGrowWidth, "Width\t="),
                                       item(kGrowHeight, "Height\t+")}),
                submenu("Shrink Brush", {item(kShrinkUniform, "Uniform"), item(kShrinkWidth, "Width\t-"),
                                         item(kShrinkHeight, "Height\t_")})}),
       separator(),
       submenu("Paint &Locking", {item(kPaintLockOff, "&Disabled\tDown Arrow"),
                                  item(kPaintLockHorizontal, "Allow &Horizontal Move Only\tRight Arrow"),
                                  item(kPaintLockVertical, "Allow &Vertical Move Only\tUp Arrow")}),
       item(kAutoPaintCollision, "&Auto-Paint .CLL Data\tF9"), separator(),
       item(kSoloLayer, "\"Solo\" Active Layer\tF10"), item(kShowAllLayers, "Show All Layers\tF11")});
}

}  // namespace

const std::vector<MenuItem>& mainMenuBar() {
  static const std::vector<MenuItem> menus = buildMenuBar();
  return menus;
}

const MenuItem& mapContextMenu() {
  static const MenuItem menu = buildMapMenu();
  return menu;
}

const MenuItem& tileContextMenu() {
  static const MenuItem menu = buildTileMenu();
  return menu;
}

std::vector<MenuPlacement> commandPlacements(const std::vector<MenuItem>& menus, const std::string& prefix) {
  std::vector<MenuPlacement> out;
  for (const MenuItem& entry : menus) {
    if (entry.kind == MenuItem::Kind::Command) {
      out.push_back({prefix, &entry});
    } else if (entry.kind == MenuItem::Kind::Submenu) {
      const std::string path = prefix.empty() ? entry.text : prefix + "/" + entry.text;
      std::vector<MenuPlacement> inner = commandPlacements(entry.items, path);
      out.insert(out.end(), inner.begin(), inner.end());
    }
  }
  return out;
}

}  // namespace qarto
