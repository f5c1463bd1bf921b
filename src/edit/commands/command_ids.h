#pragma once

namespace qarto::cmd {

// The command numbers that menus, accelerators, the toolbar and the prompt
// texts share.

// File
inline constexpr int kNewMapWizard = 57600;
inline constexpr int kOpenMap = 57601;
inline constexpr int kOpenTilesets = 32779;
inline constexpr int kSaveMap = 57603;
inline constexpr int kSaveMapAs = 57604;
inline constexpr int kExportBinary = 32791;
inline constexpr int kExportHeaders = 32792;
inline constexpr int kMakeCll = 61216;
inline constexpr int kExportCollision = 61217;
inline constexpr int kPreferences = 61260;
inline constexpr int kRecentFile1 = 57616;  // to 57624
inline constexpr int kRecentFile9 = 57624;
inline constexpr int kExit = 57665;
// Edit, View
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
inline constexpr int kToggleToolBar = 59392;
inline constexpr int kToggleLayerBar = 32866;
inline constexpr int kToggleStatusBar = 59393;
inline constexpr int kToggleView = 61214;
// Layers
inline constexpr int kAddLayer = 32780;
inline constexpr int kResizeLayer = 61219;
inline constexpr int kDeleteLayer = 32806;
inline constexpr int kCloneLayer = 61238;
inline constexpr int kMergeDown = 61263;
inline constexpr int kEatHiddenTiles = 61264;
inline constexpr int kShiftLayer = 61242;
inline constexpr int kFlipLayerVertically = 61240;
inline constexpr int kFlipLayerHorizontally = 61241;
inline constexpr int kPreviousLayer = 32797;
inline constexpr int kNextLayer = 32796;
inline constexpr int kShuffleLayerUp = 32800;
inline constexpr int kShuffleLayerDown = 32801;
inline constexpr int kToggleLayerVisibility = 32798;
inline constexpr int kToggleLayerAlpha = 32799;
inline constexpr int kToggleLayerLocking = 32804;
inline constexpr int kAutoHideNever = 61225;
inline constexpr int kAutoHideAlways = 61223;
inline constexpr int kAutoHideDuringSelection = 61224;
inline constexpr int kExportLayerBmp = 61222;
inline constexpr int kImportBmpLayer = 61236;
inline constexpr int kImportSourceLayer = 61237;
inline constexpr int kSoloLayer = 61258;
inline constexpr int kShowAllLayers = 61259;
// Tools, Help
inline constexpr int kPaletteRemapper = 61232;
inline constexpr int kValidateTileset = 61262;
inline constexpr int kRunMap = 32835;
inline constexpr int kSaveRomAs = 32870;
inline constexpr int kAbout = 57664;
inline constexpr int kUniqueTileCount = 32803;
// Zoom
inline constexpr int kZoom1 = 32783;
inline constexpr int kZoom2 = 32784;
inline constexpr int kZoom3 = 32785;
inline constexpr int kZoom4 = 32786;
inline constexpr int kZoom5 = 32802;
inline constexpr int kZoom6 = 32805;
inline constexpr int kZoom7 = 32830;
inline constexpr int kZoom8 = 32831;
inline constexpr int kZoom9 = 32832;
inline constexpr int kZoom10 = 32833;
inline constexpr int kZoomIn = 61243;
inline constexpr int kZoomOut = 61244;
// View aids
inline constexpr int kBackgroundBlack = 32814;
inline constexpr int kBackgroundGrey = 32817;
inline constexpr int kBackgroundCustom = 61215;
inline constexpr int kGrid = 61210;
inline constexpr int kGridAlpha = 61235;
inline constexpr int kFrameMask = 61213;
inline constexpr int kCenteredView = 61220;
inline constexpr int kLayerBounds = 61227;
inline constexpr int kMapHome = 61212;
// Brushes
inline constexpr int kBrushAlpha = 61211;
inline constexpr int kBrushHFlip = 61208;
inline constexpr int kBrushVFlip = 61209;
inline constexpr int kTrimBrush = 61226;
inline constexpr int kClearBrush = 32787;
inline constexpr int kNextBrush = 32789;
inline constexpr int kPrevBrush = 32790;
inline constexpr int kShapeRectangle = 32853;
inline constexpr int kShapeEllipse = 32854;
inline constexpr int kShapeSlash = 32855;
inline constexpr int kShapeBackslash = 32856;
inline constexpr int kGrowUniform = 32861;
inline constexpr int kGrowWidth = 32859;
inline constexpr int kGrowHeight = 32862;
inline constexpr int kShrinkUniform = 32864;
inline constexpr int kShrinkWidth = 32863;
inline constexpr int kShrinkHeight = 32865;
inline constexpr int kPaintLockOff = 61228;
inline constexpr int kPaintLockHorizontal = 61230;
inline constexpr int kPaintLockVertical = 61229;
inline constexpr int kAutoPaintCollision = 61218;
// Tilesets
inline constexpr int kRemoveTileset = 61245;
inline constexpr int kUpdateTileset = 61246;
inline constexpr int kExportTileset = 61247;
// Tools
inline constexpr int kPaintMode = 32809;
inline constexpr int kDetailPaintMode = 32807;
inline constexpr int kRubberStampMode = 32808;
inline constexpr int kFloodFillMode = 32810;
inline constexpr int kFlagPaintMode = 61234;
inline constexpr int kEntityPlacementMode = 61261;
// Export Map As: the presets
inline constexpr int kExportGrit = 33120;
inline constexpr int kExportButano = 33121;

// Regions of cells: the platform's usual Edit numbers, then our own.
inline constexpr int kDelete = 57632;
inline constexpr int kCopy = 57634;
inline constexpr int kCut = 57635;
inline constexpr int kPaste = 57637;
inline constexpr int kSelectAll = 57642;
inline constexpr int kSelectMode = 33140;
inline constexpr int kRegionAllLayers = 33141;
// Everyday editing
inline constexpr int kShowMarkers = 33160;
// The hardware budget: its bar, and the tint of cells whose tile or palette is used once.
inline constexpr int kToggleBudgetBar = 33180;
inline constexpr int kToggleUsedOnceTint = 33181;
// Tiled maps
inline constexpr int kImportTiledMap = 33220;
inline constexpr int kExportTiledMap = 33221;
// Pictures
inline constexpr int kNewMapFromPicture = 33100;
inline constexpr int kImportPictureLayer = 33101;

// The zoom commands in order 1x to 10x.
inline constexpr int kZoomIds[10] = {kZoom1, kZoom2, kZoom3, kZoom4, kZoom5,
                                     kZoom6, kZoom7, kZoom8, kZoom9, kZoom10};

}  // namespace qarto::cmd
