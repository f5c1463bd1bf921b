#include "edit/commands/command_table.h"

#include <cstring>
#include <map>

#include "edit/commands/command_ids.h"

namespace qarto {

namespace {

using K = KeyBinding;
constexpr CommandTarget View = CommandTarget::View;
constexpr CommandTarget Frame = CommandTarget::Frame;

std::vector<CommandInfo> buildTable() {
  using namespace cmd;
  std::vector<CommandInfo> t = {
      {kNewMapWizard, "New Map Wizard", "Create a new map\nNew Map Wizard (Ctrl+N)", Frame, {K::virtualKey(Key::N, true)}},
      {kOpenMap, "Open Map", "Open an existing map\nOpen Map (Ctrl+O)", Frame, {K::virtualKey(Key::O, true)}},
      {kOpenTilesets, "Open Tilesets", "Load one or more tile pages\nOpen Tilesets (Ctrl+T)", Frame,
       {K::virtualKey(Key::T, true)}},
      {kSaveMap, "Save Map", "Save the map\nSave Map (Ctrl+S)", Frame, {K::virtualKey(Key::S, true)}},
      {kSaveMapAs, "Save Map As", "Save the map under a new name\nSave Map As (Ctrl+Shift+S)", Frame,
       {K::virtualKey(Key::S, true, true)}},
      {kExportBinary, "Export as binary", "Export the map as binary data\nExport as binary", Frame, {}},
      {kExportHeaders, "Export to Headers", "Export the map as C source arrays\nExport to Headers", Frame, {}},
      {kMakeCll, "Make .CLL", "Build a collision set for a tile page\nMake .CLL Wizard", Frame, {}},
      {kExportCollision, "Export Collision", "Write the collision set being edited\nExport .CLL", Frame, {}},
      {kPreferences, "Preferences", "Change colours, screen size, folders and undo levels\nPreferences", Frame, {}},
      {kExit, "Exit", "Quit the application; prompts to save the map\nExit", Frame, {}},
      {kUndo, "Undo", "Undo the last action\nUndo (Ctrl+Z)", Frame, {K::virtualKey(Key::Z, true)}},
      {kRedo, "Redo", "Redo the last action undone\nRedo (Ctrl+Y)", Frame,
       {K::virtualKey(Key::Y, true), K::virtualKey(Key::Z, true, true)}},
      {kToggleToolBar, "Toggle ToolBar", "Show or hide the toolbar\nToggle ToolBar", Frame, {}},
      {kToggleLayerBar, "Toggle Layer Bar", "Show or hide the layer bar\nToggle Layer Bar", Frame, {}},
      {kToggleStatusBar, "Toggle StatusBar", "Show or hide the status bar\nToggle StatusBar", Frame, {}},
      {kToggleView, "Toggle View", "Switch between the map and the tile page\nToggle View (Space)", View, {}},
      {kAddLayer, "Add Layer", "Add a layer to the map\nAdd Layer", Frame, {}},
      {kResizeLayer, "Resize Layer", "Change the size of the active layer\nResize Layer", Frame, {}},
      {kDeleteLayer, "Delete Active Layer", "Delete the active layer\nDelete Active Layer", View, {}},
      {kCloneLayer, "Clone Layer", "Copy the active layer into a new layer\nClone Layer", View, {}},
      {kMergeDown, "Merge Down", "Merge the active layer into the layer below it\nMerge Down", View, {}},
      {kEatHiddenTiles, "Eat Hidden Tiles", "Clear the tiles of the active layer that layers above hide\nEat Hidden Tiles",
       Frame, {}},
      {kShiftLayer, "Shift Layer Data", "Move the cells of the active layer\nShift Layer Data", Frame, {}},
      {kFlipLayerVertically, "Vertically Flip Layer", "Mirror the active layer top to bottom\nFlip Layer Vertically",
       View, {}},
      {kFlipLayerHorizontally, "Horizontally Flip Layer",
       "Mirror the active layer left to right\nFlip Layer Horizontally", View, {}},
      {kPreviousLayer, "Previous Layer", "Make the layer above active\nPrevious Layer (PageUp)", View,
       {K::virtualKey(Key::PageUp)}},
      {kNextLayer, "Next Layer", "Make the layer beneath active\nNext Layer (PageDown)", View,
       {K::virtualKey(Key::PageDown)}},
      {kShuffleLayerUp, "Shuffle Layer Up", "Move the active layer one place up\nShuffle Layer Up (Shift+PageUp)", View,
       {K::virtualKey(Key::PageUp, false, true)}},
      {kShuffleLayerDown, "Shuffle Layer Down",
       "Move the active layer one place down\nShuffle Layer Down (Shift+PageDown)", View,
       {K::virtualKey(Key::PageDown, false, true)}},
      // Ctrl+V and Ctrl+A are Paste and Select All now; Shift keeps the letters.
      {kToggleLayerVisibility, "Toggle Layer Visibility", "Show or hide the active layer\nToggle Layer Visibility",
       View, {K::virtualKey(Key::V, true, true)}},
      {kToggleLayerAlpha, "Toggle Layer Alpha", "Draw the active layer translucent or opaque\nToggle Layer Alpha",
       View, {K::virtualKey(Key::A, true, true)}},
      {kToggleLayerLocking, "Toggle Layer Locking", "Lock or unlock the active layer\nToggle Layer Locking (Ctrl+L)",
       View, {K::virtualKey(Key::L, true)}},
      {kAutoHideNever, "Never Auto-Hide", "Always draw every visible layer\nNever Auto-Hide", View, {}},
      {kAutoHideAlways, "Auto-Hide Inactive Layers", "Draw only the active layer\nAuto-Hide Inactive Layers", View, {}},
      {kAutoHideDuringSelection, "Auto-Hide Inactive Layers During Selection",
       "Draw only the active layer while a stamp selection is made\nAuto-Hide During Selection", View, {}},
      {kExportLayerBmp, "Export Layer to BMP", "Write the active layer as a 256-colour bitmap\nExport Layer to BMP", View,
       {}},
      {kImportBmpLayer, "Import .BMP as Layer", "Make a layer from an image\nImport .BMP as Layer", View, {}},
      {kImportSourceLayer, "Import .H/.C as Layer", "Make a layer from C source arrays\nImport .H/.C as Layer", Frame, {}},
      {kPaletteRemapper, "Palette Remapper", "Move and merge the palette rows of a tile page\nPalette Remapper", Frame,
       {}},
      {kValidateTileset, "Validate Tileset", "Check a tile page against the 16-colour rule\nValidate Tileset", Frame, {}},
      {kRunMap, "Run Map", "Play the map on an emulated GBA from where the view looks\nRun Map (F8)", Frame,
       {K::virtualKey(Key::F8)}},
      {kSaveRomAs, "Save ROM As", "Save a GBA ROM that plays the map\nSave ROM As", Frame, {}},
      {kAbout, "About", "Show the program's name and version\nAbout", Frame, {}},
      {kZoomIn, "Zoom In", "Move to the next higher zoom setting\nZoom In", View, {K::virtualKey(Key::Insert)}},
      // Delete deletes the selection now; End sits below Insert's neighbour.
      {kZoomOut, "Zoom Out", "Move to the lext lower zoom setting\nZoom Out", View, {K::virtualKey(Key::End)}},
      {kBackgroundBlack, "Black", "Black background\nBlack", View, {K::character("[")}},
      {kBackgroundGrey, "Grey", "Grey background\nGrey", View, {K::character("]")}},
      {kBackgroundCustom, "Custom BG Color", "Choose the background colour\nCustom BG Color", View,
       {K::character("\\")}},
      {kGrid, "Grid", "Show or hide the grid\nGrid", View, {K::virtualKey(Key::G)}},
      {kGridAlpha, "Toggle Grid Alpha", "Draw the grid translucent with screen-block lines\nToggle Grid Alpha", View,
       {K::virtualKey(Key::G, true)}},
      {kFrameMask, "Toggle Frame", "Toggle GBA screen frame approximation\nToggle Frame", View,
       {K::virtualKey(Key::F)}},
      {kCenteredView, "Centered Screen Offset", "Centre the screen frame in the window\nCentered Screen Offset", View,
       {K::virtualKey(Key::C)}},
      {kLayerBounds, "Draw Layer Bounds", "Outline every layer\nDraw Layer Bounds", View, {K::virtualKey(Key::B)}},
      {kMapHome, "Map Home", "Scroll back to the map's top-left corner\nMap Home", View, {K::virtualKey(Key::Home)}},
      {kBrushAlpha, "Brush Alpha", "Draw the brush preview translucent\nBrush Alpha", View, {K::virtualKey(Key::A)}},
      {kBrushHFlip, "HFlip", "Mirror the brush left to right\nFlip Horizontal", View, {K::virtualKey(Key::H)}},
      {kBrushVFlip, "VFlip", "Mirror the brush top to bottom\nFlip Vertical", View, {K::virtualKey(Key::V)}},
      {kTrimBrush, "Trim Brush", "Remove the empty tiles from the brush\nTrim Brush", View, {K::virtualKey(Key::T)}},
      {kClearBrush, "Clear", "Empty the brush\nClear Brush", View, {K::virtualKey(Key::Escape)}},
      {kNextBrush, "Next Brush", "Show the next tile page and its brush\nNext Brush", View,
       {K::character("."), K::character(">")}},
      {kPrevBrush, "Prev Brush", "Show the previous tile page and its brush\nPrevious Brush", View,
       {K::character(","), K::character("<")}},
      {kShapeRectangle, "Rectangle", "Detail brush shape: rectangle\nRectangle", View, {}},
      {kShapeEllipse, "Ellipse", "Detail brush shape: ellipse\nEllipse", View, {}},
      {kShapeSlash, "Diagonal (/)", "Detail brush shape: rising diagonal\nDiagonal (/)", View, {}},
      {kShapeBackslash, "Diagonal (\\)", "Detail brush shape: falling diagonal\nDiagonal (\\)", View, {}},
      {kGrowUniform, "Grow Uniform", "Grow the detail brush\nGrow Brush", View, {}},
      {kGrowWidth, "Grow Width", "Widen the detail brush\nGrow Brush Width", View, {K::character("=")}},
      {kGrowHeight, "Grow Height", "Heighten the detail brush\nGrow Brush Height", View, {K::character("+")}},
      {kShrinkUniform, "Shrink Uniform", "Shrink the detail brush\nShrink Brush", View, {}},
      {kShrinkWidth, "Shrink Width", "Narrow the detail brush\nShrink Brush Width", View, {K::character("-")}},
      {kShrinkHeight, "Shrink Height", "Lower the detail brush\nShrink Brush Height", View, {K::character("_")}},
      {kPaintLockOff, "Disable Paint Locking", "Paint in every direction\nDisable Paint Locking", View,
       {K::virtualKey(Key::Down)}},
      {kPaintLockHorizontal, "Lock to Horizontal Painting", "Keep strokes on the row of the press\nLock Horizontal",
       View, {K::virtualKey(Key::Right), K::virtualKey(Key::Left)}},
      {kPaintLockVertical, "Lock to Vertical Painting", "Keep strokes in the column of the press\nLock Vertical", View,
       {K::virtualKey(Key::Up)}},
      {kAutoPaintCollision, "Auto-Paint Collision",
       "Paint the collision layer from the tile pages' collision sets\nAuto-Paint .CLL Data", View,
       {K::virtualKey(Key::F9)}},
      {kSoloLayer, "Solo Active Layer", "Show only the active layer\nSolo Active Layer", View, {K::virtualKey(Key::F10)}},
      {kShowAllLayers, "Show All Layers", "Show every layer\nShow All Layers", View, {K::virtualKey(Key::F11)}},
      {kRemoveTileset, "Remove Tileset", "Remove the tile page shown\nRemove Tileset", View, {}},
      {kUpdateTileset, "Update Tileset", "Reload the tile page shown from a file\nUpdate Tileset", View, {}},
      {kExportTileset, "Export Tileset", "Write the tile page shown as a bitmap\nExport Tileset", View, {}},
      {kUniqueTileCount, "Unique Tile Count", "Count the unique tiles and palettes of the map\nUnique Tile Count", View,
       {K::virtualKey(Key::U, true)}},
      {kPaintMode, "Paint Mode", "Paint with the brush\nPaint Mode (F1)", Frame, {K::virtualKey(Key::F1)}},
      {kDetailPaintMode, "Detail Paint", "Paint with the shaped detail brush\nDetail Paint (F2)", Frame,
       {K::virtualKey(Key::F2)}},
      {kRubberStampMode, "Rubber Stamp Mode", "Pick map cells and stamp them elsewhere\nRubber Stamp Mode (F3)", Frame,
       {K::virtualKey(Key::F3)}},
      {kFloodFillMode, "Flood Fill Mode", "Fill an area with the brush's first tile\nFlood Fill Mode (F4)", Frame,
       {K::virtualKey(Key::F4)}},
      {kFlagPaintMode, "Flag Paint Mode", "Paint collision flags\nFlag Paint Mode (F5)", Frame,
       {K::virtualKey(Key::F5)}},
      {kEntityPlacementMode, "Entity Placement Mode", "Place and move entities\nEntity Placement Mode (F6)", Frame,
       {K::virtualKey(Key::F6)}},
      {kCut, "Cut", "Move the selected cells to the clipboard\nCut", View,
       {K::virtualKey(Key::X, true), K::virtualKey(Key::Delete, false, true)}},
      {kCopy, "Copy", "Copy the selected cells to the clipboard\nCopy", View,
       {K::virtualKey(Key::C, true), K::virtualKey(Key::Insert, true)}},
      {kPaste, "Paste", "Lay the clipboard's cells where the next click falls\nPaste", View,
       {K::virtualKey(Key::V, true), K::virtualKey(Key::Insert, false, true)}},
      {kDelete, "Delete", "Empty the selected cells, or delete the selected entity\nDelete", View,
       {K::virtualKey(Key::Delete)}},
      {kSelectAll, "Select All", "Select every cell of the active layer\nSelect All", View,
       {K::virtualKey(Key::A, true)}},
      {kSelectMode, "Select Mode", "Drag a rectangle of cells to cut, copy or delete\nSelect Mode (F7)", Frame,
       {K::virtualKey(Key::F7)}},
      {kRegionAllLayers, "Edit All Tile Layers",
       "Cut, copy, paste and delete on every tile layer at once\nEdit All Tile Layers", View, {}},
      {kShowMarkers, "Show Collision Markers",
       "Show the markers and damage types of collision cells\nShow Collision Markers (M)", View,
       {K::virtualKey(Key::M)}},
      {kToggleBudgetBar, "Toggle Hardware Budget",
       "Show or hide the tiles, palettes and video memory the map needs\nHardware Budget", Frame, {}},
      {kToggleUsedOnceTint, "Tint Tiles Used Once",
       "Tint the cells whose tile or palette no other cell uses\nTint Tiles Used Once", View, {}},
      {kExportGrit, "Export for grit", "Export each tile layer as the C files grit writes\nExport for grit", Frame, {}},
      {kExportButano, "Export for butano", "Export each tile layer as a butano background asset\nExport for butano",
       Frame, {}},
      {kImportTiledMap, "Import Tiled Map", "Make a new map from a Tiled map (.tmx)\nImport Tiled Map", Frame, {}},
      {kExportTiledMap, "Export Tiled Map", "Write the map as a Tiled map (.tmx) with its pages as PNG files\nExport Tiled Map",
       Frame, {}},
      {kNewMapFromPicture, "New Map from Picture",
       "Make a new map from any picture: tiles, palette banks and cells\nNew Map from Picture", Frame, {}},
      {kImportPictureLayer, "Import Picture as Layer",
       "Add a layer that shows any picture, reduced to tiles and palette banks\nImport Picture as Layer", Frame, {}},
  };
  for (int i = 0; i < 9; ++i) {
    t.push_back({kRecentFile1 + i, "Recent File", "Open this map\nRecent File", Frame, {}});
  }
  static const char* const kZoomNames[10] = {"Zoom 1x", "Zoom 2x", "Zoom 3x", "Zoom 4x", "Zoom 5x",
                                             "Zoom 6x", "Zoom 7x", "Zoom 8x", "Zoom 9x", "Zoom 10x"};
  static const char* const kZoomPrompts[10] = {
      "Show one screen pixel per page pixel\nZoom 1x", "Zoom to 2x\nZoom 2x", "Zoom to 3x\nZoom 3x",
      "Zoom to 4x\nZoom 4x", "Zoom to 5x\nZoom 5x", "Zoom to 6x\nZoom 6x", "Zoom to 7x\nZoom 7x",
      "Zoom to 8x\nZoom 8x", "Zoom to 9x\nZoom 9x", "Zoom to 10x\nZoom 10x"};
  static constexpr Key kZoomKeys[10] = {Key::Digit1, Key::Digit2, Key::Digit3, Key::Digit4, Key::Digit5,
                                        Key::Digit6, Key::Digit7, Key::Digit8, Key::Digit9, Key::Digit0};
  for (int i = 0; i < 10; ++i) {
    t.push_back({kZoomIds[i], kZoomNames[i], kZoomPrompts[i], View, {K::virtualKey(kZoomKeys[i])}});
  }
  return t;
}

// The "Classic keys" set: where it differs from the standard one.
const std::map<int, std::vector<KeyBinding>>& classicKeys() {
  using namespace cmd;
  static const std::map<int, std::vector<KeyBinding>> keys = {
      {kToggleLayerVisibility, {K::virtualKey(Key::V, true)}},
      {kToggleLayerAlpha, {K::virtualKey(Key::A, true)}},
      {kZoomOut, {K::virtualKey(Key::Delete)}},
      {kPaste, {K::virtualKey(Key::Insert, false, true)}},
      {kDelete, {}},
      {kSelectAll, {}},
  };
  return keys;
}

}  // namespace

bool KeyBinding::matches(const KeyEvent& event) const {
  if (typed != nullptr) {
    return !event.text.empty() && event.text == typed && !event.modifiers.ctrl && !event.modifiers.alt;
  }
  return key != Key::None && event.key == key && event.modifiers.ctrl == ctrl && event.modifiers.shift == shift &&
         !event.modifiers.alt;
}

std::string KeyBinding::label() const {
  if (typed != nullptr) return typed;
  std::string text;
  if (ctrl) text += "Ctrl+";
  if (shift) text += "Shift+";
  return text + keyName(key);
}

const std::vector<CommandInfo>& commandTable() {
  static const std::vector<CommandInfo> table = buildTable();
  return table;
}

const CommandInfo* findCommand(int id) {
  for (const CommandInfo& info : commandTable()) {
    if (info.id == id) return &info;
  }
  return nullptr;
}

const std::vector<KeyBinding>& keysOf(const CommandInfo& info, bool classic) {
  if (!classic) return info.keys;
  const auto it = classicKeys().find(info.id);
  return it != classicKeys().end() ? it->second : info.keys;
}

bool keysDifferInClassic(int id) { return classicKeys().count(id) != 0; }

std::string menuTextFor(int id, const std::string& text, bool classic) {
  const CommandInfo* info = findCommand(id);
  const std::size_t tab = text.find('\t');
  if (info == nullptr || !keysDifferInClassic(id) || tab == std::string::npos) return text;
  const std::vector<KeyBinding>& keys = keysOf(*info, classic);
  return keys.empty() ? text.substr(0, tab) : text.substr(0, tab + 1) + keys.front().label();
}

int commandForKey(const KeyEvent& event, bool classic) {
  for (const CommandInfo& info : commandTable()) {
    for (const KeyBinding& binding : keysOf(info, classic)) {
      if (binding.matches(event)) return info.id;
    }
  }
  return 0;
}

const char* keyName(Key key) {
  static const char* const kNames[] = {
      "None", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
      "Space", "Tab", "Escape", "Insert", "Delete", "Home", "End", "PageUp", "PageDown",
      "Left", "Right", "Up", "Down",
      "Keypad0", "Keypad1", "Keypad2", "Keypad3", "Keypad4", "Keypad5", "Keypad6", "Keypad7", "Keypad8", "Keypad9",
      "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R", "S", "T", "U", "V",
      "W", "X", "Y", "Z",
      "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
      "Shift", "Ctrl", "Alt", "Menu", "Other"};
  const auto index = static_cast<std::size_t>(key);
  return index < sizeof kNames / sizeof kNames[0] ? kNames[index] : "Other";
}

}  // namespace qarto
