#pragma once

#include "model/settings/settings_store.h"

namespace qarto {

// The display options of the map view that persist between sessions. The
// values here are the ones the view has when nothing is stored.
struct ViewOptions {
  float clearColor[4] = {0.0f, 0.0f, 0.0f, 0.0f};  // red, green, blue, alpha in 0 to 1
  bool showMapGrid = true;
  bool showTileGrid = false;
  bool mapGridAlpha = true;
  bool tileGridAlpha = true;
  bool showFrameMask = false;
  bool centeredView = true;
  bool showLayerBounds = true;
  int screenWidth = 240;
  int screenHeight = 160;
  float mapZoom = 2.0f;
  float tileZoom = 2.0f;
};

// The zoom range of the zoom commands; a stored zoom outside it is pulled in.
inline constexpr float kMinViewZoom = 0.25f;
inline constexpr float kMaxViewZoom = 10.0f;

// Reads the options of section "Settings" into `options`. Each read uses the
// current value as its default, except the zooms, whose default is 2.0. A
// number that cannot be read keeps the current value.
void loadViewOptions(SettingsStore& store, ViewOptions& options);

// Writes every option; the undo level count is not among them.
void saveViewOptions(SettingsStore& store, const ViewOptions& options);

// The undo levels the map view starts with: 1 when nothing is stored.
int readUndoLevels(SettingsStore& store);

}  // namespace qarto
