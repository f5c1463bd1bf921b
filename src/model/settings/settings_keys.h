#pragma once

namespace qarto::setting_keys {

// Keys of section "Settings" that the start-up, the view options and the
// colour table use. The New Map Wizard and the export dialog keep their own.

// Colours, 0x00BBGGRR.
inline constexpr const char* kCollisionTileColor = "CollisionTileColor";
inline constexpr const char* kBrushWarningColor = "BrushWarningColor";
inline constexpr const char* kMapGridColor = "MapGridColor";
inline constexpr const char* kMapSelectionColor = "MapSelectionColor";
inline constexpr const char* kMapDrawSelectionColor = "MapDrawSelectionColor";
inline constexpr const char* kCollisionFocusColor = "CollisionFocusColor";
inline constexpr const char* kCollisionActiveColor = "CollisionActiveColor";
inline constexpr const char* kCollisionInactiveColor = "CollisionInactiveColor";
inline constexpr const char* kMapFocusColor = "MapFocusColor";
inline constexpr const char* kMapActiveColor = "MapActiveColor";
inline constexpr const char* kMapInactiveColor = "MapInactiveColor";
inline constexpr const char* kTileGridColor = "TileGridColor";
inline constexpr const char* kTileSelectionColor = "TileSelectionColor";
inline constexpr const char* kTileDrawSelectionColor = "TileDrawSelectionColor";
inline constexpr const char* kTilesetFocusColor = "TilesetFocusColor";
inline constexpr const char* kTilesetActiveColor = "TilesetActiveColor";
inline constexpr const char* kTilesetInactiveColor = "TilesetInactiveColor";

// Opacity levels 0 to 15.
inline constexpr const char* kBrushAlphaValue = "BrushAlphaValue";
inline constexpr const char* kLayerAlphaValue = "LayerAlphaValue";
inline constexpr const char* kCollisionLayerAlphaValue = "CollisionLayerAlphaValue";

// Folders of the file choosers.
inline constexpr const char* kDefMapPath = "DefMapPath";
inline constexpr const char* kUseDefMapPath = "UseDefMapPath";
inline constexpr const char* kDefTilesetPath = "DefTilesetPath";
inline constexpr const char* kUseDefTilesetPath = "UseDefTilesetPath";
inline constexpr const char* kLastMapPath = "LastMapPath";
inline constexpr const char* kLastTilesetPath = "LastTilesetPath";

// The entity catalogue file the Entities bar lists besides the built-in rows.
inline constexpr const char* kEntityCatalogue = "EntityCatalogue";

// Target screen in pixels.
inline constexpr const char* kScreenWidth = "ScreenWidth";
inline constexpr const char* kScreenHeight = "ScreenHeight";

// View options, written when the main frame closes.
inline constexpr const char* kClearColor = "ClearColor";
inline constexpr const char* kMapGrid = "MapGrid";
inline constexpr const char* kTileGrid = "TileGrid";
inline constexpr const char* kMapGridAlpha = "MapGridAlpha";
inline constexpr const char* kTileGridAlpha = "TileGridAlpha";
inline constexpr const char* kFrameMask = "GBA_Mask";
inline constexpr const char* kCenteredView = "CenteredView";
inline constexpr const char* kShowLayerBounds = "ShowLayerBounds";
inline constexpr const char* kMapPageScale = "MapPageScale";
inline constexpr const char* kTilePageScale = "TilePageScale";

// Run Map: an emulator command line to play the map in instead of the
// built-in player ("%f" stands for the ROM; without it the ROM goes last).
inline constexpr const char* kEmulatorCommand = "EmulatorCommand";

// Written only by the Undo page of the Preferences.
inline constexpr const char* kUndoLevels = "UndoLevels";

// The Preferences' "Classic keys": Ctrl+V, Ctrl+A and Delete keep their
// first meanings (layer visibility, layer alpha, zoom out) instead of
// Paste, Select All and Delete. Off by default.
inline constexpr const char* kClassicKeys = "ClassicKeys";

}  // namespace qarto::setting_keys
